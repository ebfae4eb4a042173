#pragma once

#include <climits>
#include <optional>
#include <string_view>

namespace tarn {

// The camera protocols of the "Set Cam Comm Protocol" list, by index. The
// console always sends its own frames; the protocol only sets which camera
// addresses are allowed and how the extended address is written.
namespace Protocol {
inline constexpr int Undefined = 0;
inline constexpr int Tarn = 1;
inline constexpr int PelcoD = 2;
inline constexpr int PelcoP = 3;
inline constexpr int Javelin = 4;
inline constexpr int PhilipsBosch = 5; // five extended-address digits
inline constexpr int Vicon = 6;
inline constexpr int Ultrak = 7;
inline constexpr int Ad = 8;
inline constexpr int FastFieldDevice = 9;
inline constexpr int D12 = 10;
inline constexpr int Count = 11;
} // namespace Protocol

// A closed range of refused addresses; empty when from > to.
struct AddressRefusal {
    int from = 1;
    int to = 0;
    std::string_view message;
    bool refuses(int address) const { return address >= from && address <= to; }
};

struct ProtocolInfo {
    std::string_view listText;
    AddressRefusal sendCommand;       // checked by SendCommand
    AddressRefusal sendCameraCommand; // checked by SendCameraCommand
    int entryMin;                     // address entry of the main window
    int entryMax;
    int entryWidth;                   // characters
    bool replacedAtStart;             // the main window starts with protocol 1 instead
};

// Index outside 0..10: no entry (no address check applies).
const ProtocolInfo* protocolInfo(int index);

// The refusal message of a send, or nothing when the address may be sent.
std::optional<std::string_view> sendCommandRefusal(int protocolIndex, int address);
std::optional<std::string_view> sendCameraCommandRefusal(int protocolIndex, int address);

} // namespace tarn
