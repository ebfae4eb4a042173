// Whatever the settings file holds: the load takes every value, repairs the
// ones outside their lists and never leaves one there.
#include "core/JoystickSettings.h"
#include "core/Settings.h"
#include "platform/MemoryProfileStore.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view SetupKeys[] = {"Port Index", "Port",    "Baud",   "CommPort",   "Mode",
                                          "PTImage",    "RxType",  "CamType", "PTType",    "PSpeed",
                                          "TSpeed",     "Video Type", "LL Phase", "Video Freeze Status"};

constexpr std::string_view JoystickKeys[] = {
    "PanAxis", "TiltAxis", "ZoomAxis", "ZoomInTrigger", "ZoomOutTrigger", "Deadzone", "Expo", "TopSpeed",
    "FocusNear", "FocusFar", "IrisOpen", "IrisClose", "Goto", "Preset1", "Preset8", "InvertPan",
    "StopOnFocusLoss"};

bool inList(int value, int highest)
{
    return value >= 0 && value <= highest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tarn::MemoryProfileStore profile;
    // Five bytes a key: present or not, then the value.
    std::size_t offset = 0;
    const auto next = [&](std::string_view section, std::string_view key) {
        if (offset + 5 > size)
            return;
        if (data[offset] & 1) {
            int value = 0;
            std::memcpy(&value, data + offset + 1, sizeof value);
            profile.writeInt(section, key, value);
        }
        offset += 5;
    };
    for (const std::string_view key : SetupKeys)
        next("Setup", key);
    next("TourSetup", "DwellTime");
    for (int i = 1; i <= 10; ++i)
        next("TourSetup", "Tour" + std::to_string(i));
    next("NTCIP", "NTCIPMode");
    next("NTCIP", "NTCIPExitNormal");
    for (const std::string_view key : JoystickKeys)
        next("Joystick", key);

    const tarn::Settings settings = tarn::Settings::load(profile);
    if (!inList(settings.commPort, 1) || !inList(settings.rxType, 6) || !inList(settings.camType, 3)
        || !inList(settings.ptType, 2) || !inList(settings.baud, 6) || !inList(settings.ptImage, 7)
        || settings.port < 1)
        __builtin_trap();
    // The stick's settings keep to their ranges, whatever the file says.
    const tarn::JoystickSettings stick = tarn::JoystickSettings::load(profile);
    if (stick.deadzonePercent < 0 || stick.deadzonePercent > 50 || stick.expoPercent < 0 || stick.expoPercent > 100
        || stick.topSpeedPercent < 10 || stick.topSpeedPercent > 100 || stick.panAxis < -1 || stick.panAxis > 15
        || stick.zoomAxis < tarn::JoystickSettings::TriggerZoom || stick.presetButtons[7] > 31)
        __builtin_trap();
    // What was repaired was written back: the next start has nothing to say.
    if (!tarn::Settings::load(profile).repairs.empty())
        __builtin_trap();
    return 0;
}
