#pragma once

#include <optional>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class ProfileStore;

namespace SettingsSection {
inline constexpr std::string_view Setup = "Setup";
inline constexpr std::string_view TourSetup = "TourSetup";
inline constexpr std::string_view Ntcip = "NTCIP";
inline constexpr std::string_view Presets = "Presets";
} // namespace SettingsSection

namespace SettingsKey {
inline constexpr std::string_view PortIndex = "Port Index";
inline constexpr std::string_view Port = "Port";
inline constexpr std::string_view Baud = "Baud";
inline constexpr std::string_view CommPort = "CommPort";
inline constexpr std::string_view Mode = "Mode";
inline constexpr std::string_view PtImage = "PTImage";
inline constexpr std::string_view RxType = "RxType";
inline constexpr std::string_view CamType = "CamType";
inline constexpr std::string_view PtType = "PTType";
inline constexpr std::string_view PanSpeed = "PSpeed";
inline constexpr std::string_view TiltSpeed = "TSpeed";
inline constexpr std::string_view CommProtocol = "Comm. Protocol";
inline constexpr std::string_view VideoType = "Video Type";
inline constexpr std::string_view LlPhase = "LL Phase";
inline constexpr std::string_view VideoFreezeStatus = "Video Freeze Status";
inline constexpr std::string_view DwellTime = "DwellTime";
inline constexpr std::string_view NtcipMode = "NTCIPMode";
inline constexpr std::string_view NtcipExitNormal = "NTCIPExitNormal";
} // namespace SettingsKey

// The console's persisted values, loaded once at start-up. Each value is
// written back by its owner at the moment it changes, never in a batch.
struct Settings {
    // "Setup"
    int portIndex = 0;
    int port = 1;          // COM number
    int baud = 0;          // baud index, see baudRate()
    int commPort = 0;      // link mode: 0 serial, 1 port server
    int mode = 1;          // frame mode: 1 F8, 0 STX
    int ptImage = 7;
    int rxType = 1;        // camera type
    int camType = 3;       // camera module type
    int ptType = 1;        // pan/tilt type
    int panSpeed = 63;
    int tiltSpeed = 63;
    int videoType = 0;
    int llPhase = 0;
    int videoFreezeStatus = 0;
    // "TourSetup"
    int dwellTime = 5;
    std::array<int, 10> tour{}; // Tour1..Tour10
    // "NTCIP"
    int ntcipMode = 0;
    int ntcipExitNormal = 1;

    // Never read at start-up: every run begins with the maker's own protocol.
    int commProtocol = 1;

    // Values found outside their lists at load, each as "RxType=1000 is now 1";
    // they were replaced by their defaults and the defaults written back.
    std::vector<std::string> repairs;

    // Reads every key in table order. An absent key is created with its stored
    // default while the run goes on with the value used when absent. A value
    // outside its list (link mode, camera type, module type, pan/tilt type,
    // baud index, pad picture) is replaced by its default, which is written
    // back and noted in `repairs`.
    static Settings load(ProfileStore& profile);

    // The baud list: 9600, 4800, 2400, 1200, 600, 300, 19200.
    static constexpr int BaudCount = 7;
    // Line speed for the baud index; an unknown index means 9600.
    static int baudRateForIndex(int index);
    // The index of a line speed of the list, or none.
    static std::optional<int> baudIndexForRate(int rate);
    int baudRate() const { return baudRateForIndex(baud); }
};

// Writes the value only when the profile holds another one (or none).
// Returns true when it wrote.
bool writeIfChanged(ProfileStore& profile, std::string_view section, std::string_view key,
                    int value);

// Stores a preset name under "Presets"/"P<index>" (0-based index).
void writePresetName(ProfileStore& profile, int presetIndex, std::string_view name);

} // namespace tarn
