#pragma once

// How the day/night camera block's picture settings go on the wire and come
// back, shared by the files of AlderHdDsp: its timers, the register
// addresses, the level bytes and the list settings. Not for other classes.

#include "imaging/AlderHdDsp.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// A setting chosen from a list or a radio group: the entry's index goes on the
// wire as the character '0' + index after the command's prefix (so 10..15 are
// ':' to '?'), and the status field with its letter reports it the same way.
struct DspListSetting {
    int DspControls::*control;
    int count;
    std::string_view prefix;
    char statusLetter;       // 0: no status field reports it
    bool waitsForOpening;    // ignored while the dialog initialises
};

namespace AlderHdDspWire {

// The dialog's timers; they stop themselves when they fire.
namespace Timer {
inline constexpr int Status = 12;                // "cDS" after opening
inline constexpr int WdrAfterEis = 20;           // WDR on, once EIS is off
inline constexpr int ShutterAfterEis = 21;       // a slow shutter, once EIS is off
inline constexpr int FocusRead = 30;             // read FF0E
inline constexpr int MinFocusFar = 31;           // E1F7 := F2 (3 m)
inline constexpr int MinFocusNear = 32;          // E1F7 := F7 (1 m)
inline constexpr int AutoFocusTypeRead = 33;     // read F8E0 after E1F7 read F2
inline constexpr int FocusAreaReset = 34;        // FCAC := 00
inline constexpr int FocusTriggerOn = 35;        // FF0E bit 3 set
inline constexpr int FocusTriggerOff = 36;       // FF0E bit 3 clear
inline constexpr int FocusStepA9 = 37;
inline constexpr int FocusStepAA = 38;
inline constexpr int FocusStepFE = 39;
inline constexpr int AutoFocusTypeReadBack = 40; // read F8E0 after writing it
inline constexpr int MinFocusRead = 41;          // read E1F7
} // namespace Timer

// A level or gain goes on the wire as the byte 16 + the number, clear of the
// control bytes.
inline constexpr int ByteOffset = 16;
inline constexpr int LowestAgc = 1;
inline constexpr int HighestAgc = 40;
inline constexpr int LowestAperture = 1;
inline constexpr int HighestAperture = 31;

// The list settings. Shutter, WDR and EIS have rules of their own around
// stabilisation; the lists here say how each is written and reported.
namespace Lists {
using L = DspListSetting;
using C = DspControls;
inline constexpr L DayNight{&C::dayNightMode, 3, "cM", 'M', false};
inline constexpr L Ir{&C::irMode, 3, "cR", 'R', false};
inline constexpr L Shutter{&C::shutter, AlderHdDsp::ShutterCount, "cS", 'S', false};
inline constexpr L SlowLimit{&C::slowLimit, AlderHdDsp::SlowLimitCount, "ck", 'k', true};
inline constexpr L WhiteBalance{&C::whiteBalance, 3, "cW", 'W', false};
inline constexpr L IndoorOutdoor{&C::indoorOutdoor, 2, "cw", 'w', false};
inline constexpr L ApertureMode{&C::apertureMode, 2, "cA", 'a', true};
inline constexpr L Wdr{&C::wdr, 2, "cY", 'Y', false};
inline constexpr L Blc{&C::blc, 2, "cB", 'B', true};
inline constexpr L Eis{&C::eis, 2, "cE", 'E', false};
inline constexpr L EisFrequency{&C::eisFrequency, AlderHdDsp::EisFrequencyCount, "cEF", 'F', false};
inline constexpr L DigitalZoom{&C::digitalZoom, AlderHdDsp::DigitalZoomCount, "cD", 'D', false};
inline constexpr L Baud{&C::baud, 4, "cC", 0, false};
inline constexpr L Poll{&C::poll, 2, "cn", 'p', false};

// The settings a status field reports as a plain list index.
inline constexpr const L* Reported[] = {&DayNight, &Shutter, &SlowLimit, &Wdr, &Blc,
                                        &EisFrequency, &DigitalZoom, &Poll};
} // namespace Lists

inline bool inList(int index, int count)
{
    return index >= 0 && index < count;
}

inline char indexCharacter(int index)
{
    return static_cast<char>('0' + index);
}

// Only these reach the camera intact: a byte of 0x80 or more reads as a
// frame's checksum, a NUL cuts the command short.
inline bool printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

inline std::string upperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// The number a status digit stands for, when it names an entry of a list
// of `count`.
inline std::optional<int> listDigit(std::uint8_t value, int count)
{
    const int digit = value - '0';
    return inList(digit, count) ? std::optional<int>(digit) : std::nullopt;
}

} // namespace AlderHdDspWire
} // namespace tarn
