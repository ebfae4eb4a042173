#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarn::sim {

// Picture settings of the day/night camera block, as its status reply
// reports them. Digits are the console's list indexes.
struct DspSettings {
    int dayNightMode = 0;  // 0 auto, 1 colour, 2 mono
    int infraredMode = 0;  // 0 none, 1 mode 1, 2 mode 2
    int shutter = 0;       // 0 auto, 1..15 for 1/4 .. 1/10000
    int whiteBalance = 0;  // 0 auto (normal), 1 manual, 2 auto (HPS)
    int wideDynamicRange = 0;
    int backLight = 0;
    int stabiliser = 0;
    int stabiliserFrequency = 0;
    int digitalZoom = 0;
    int maximumGain = 20; // dB, 1..40
    int slowShutterLimit = 0;
    int indoorOutdoor = 0;
    int apertureMode = 0;        // 0 auto, 1 manual
    int apertureHorizontal = 16; // 1..31
    int apertureVertical = 16;
    int poll = 1;
    int redGain = 128;  // manual white balance, one step per trim press
    int blueGain = 128;
    int baud = 1;       // 4800, 9600, 19.2K, 38.4K
    bool rxEnabled = false;
};

// The DSP registers the console reads and writes directly, by their four
// hexadecimal address characters, each holding one byte. Addresses nobody
// wrote read as 00.
class DspRegisters {
public:
    static constexpr std::string_view MinimumFocus = "E1F7"; // F7 1 m, F2 3 m
    static constexpr std::string_view AutoFocusType = "F8E0"; // 00, 01, 03, 05
    static constexpr std::string_view FocusControl = "FF0E"; // bit 3 starts a focus run
    static constexpr std::string_view FocusStep = "FCBB";
    static constexpr std::string_view FocusArea = "FCAC";

    DspRegisters();

    std::uint8_t read(std::string_view address) const;
    void write(std::string_view address, std::uint8_t value);

    // Two hexadecimal characters, either case; nothing when garbled.
    static std::optional<std::uint8_t> byteOf(std::string_view hex);
    // Two upper-case hexadecimal characters.
    static std::string hexOf(std::uint8_t value);

private:
    std::map<std::string, std::uint8_t, std::less<>> m_values;
};

} // namespace tarn::sim
