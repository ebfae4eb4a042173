#include "core/Settings.h"

#include "core/Messages.h"
#include "core/ProfileStore.h"

#include <string>

namespace tarn {

namespace {

// Marks an absent key: a stored -1 reads as absent too, as it always did.
constexpr int Absent = -1;

struct KeyRule {
    std::string_view section;
    std::string_view key;
    int storedDefault;
    int usedWhenAbsent;
    int Settings::*member;
};

int readWithDefault(ProfileStore& profile, const KeyRule& rule)
{
    const int value = profile.readInt(rule.section, rule.key, Absent);
    if (value != Absent)
        return value;
    profile.writeInt(rule.section, rule.key, rule.storedDefault);
    return rule.usedWhenAbsent;
}

// The keys that pick an entry of a list: a value outside it would leave the
// console without traffic (link mode), unable to find the camera (camera
// type), or drawing nothing. The module type's default 3 is none of the three
// modules and stays allowed; camera type 6 is the Setup list's entry for a
// receiver that is none of the maker's cameras.
struct ListRule {
    std::string_view key;
    int highest;
    int fallback;
    int Settings::*member;
};

void repairListValues(ProfileStore& profile, Settings& settings)
{
    using namespace SettingsKey;
    static constexpr ListRule rules[] = {
        {Baud, 6, 0, &Settings::baud},       {CommPort, 1, 0, &Settings::commPort},
        {PtImage, 7, 7, &Settings::ptImage}, {RxType, 6, 1, &Settings::rxType},
        {CamType, 3, 3, &Settings::camType}, {PtType, 2, 1, &Settings::ptType},
    };
    for (const ListRule& rule : rules) {
        int& value = settings.*rule.member;
        if (value >= 0 && value <= rule.highest)
            continue;
        settings.repairs.push_back(
            Messages::format(Messages::SettingRepairLine, std::string(rule.key).c_str(), value, rule.fallback));
        value = rule.fallback;
        profile.writeInt(SettingsSection::Setup, rule.key, rule.fallback);
    }
}

} // namespace

Settings Settings::load(ProfileStore& profile)
{
    using namespace SettingsKey;
    constexpr auto setup = SettingsSection::Setup;
    // Video Type, LL Phase and Video Freeze Status store 1 on the first run
    // while that run works with 0.
    static constexpr KeyRule setupRules[] = {
        {setup, PortIndex, 0, 0, &Settings::portIndex},
        {setup, Port, 1, 1, &Settings::port},
        {setup, Baud, 0, 0, &Settings::baud},
        {setup, CommPort, 0, 0, &Settings::commPort},
        {setup, Mode, 1, 1, &Settings::mode},
        {setup, PtImage, 7, 7, &Settings::ptImage},
        {setup, RxType, 1, 1, &Settings::rxType},
        {setup, CamType, 3, 3, &Settings::camType},
        {setup, PtType, 1, 1, &Settings::ptType},
        {setup, PanSpeed, 63, 63, &Settings::panSpeed},
        {setup, TiltSpeed, 63, 63, &Settings::tiltSpeed},
        {setup, VideoType, 1, 0, &Settings::videoType},
        {setup, LlPhase, 1, 0, &Settings::llPhase},
        {setup, VideoFreezeStatus, 1, 0, &Settings::videoFreezeStatus},
    };

    Settings settings;
    for (const KeyRule& rule : setupRules) {
        settings.*rule.member = readWithDefault(profile, rule);
        if (rule.member == &Settings::port && settings.port <= 0) {
            settings.port = 1;
            profile.writeInt(setup, Port, 1);
        }
    }

    settings.dwellTime =
        readWithDefault(profile, {SettingsSection::TourSetup, DwellTime, 5, 5, nullptr});
    for (std::size_t i = 0; i < settings.tour.size(); ++i) {
        const std::string key = "Tour" + std::to_string(i + 1);
        settings.tour[i] = readWithDefault(profile, {SettingsSection::TourSetup, key, 0, 0, nullptr});
    }

    settings.ntcipMode =
        readWithDefault(profile, {SettingsSection::Ntcip, NtcipMode, 0, 0, nullptr});
    settings.ntcipExitNormal =
        readWithDefault(profile, {SettingsSection::Ntcip, NtcipExitNormal, 1, 1, nullptr});
    repairListValues(profile, settings);
    return settings;
}

int Settings::baudRateForIndex(int index)
{
    static constexpr int rates[BaudCount] = {9600, 4800, 2400, 1200, 600, 300, 19200};
    if (index < 0 || index >= BaudCount)
        return 9600;
    return rates[index];
}

std::optional<int> Settings::baudIndexForRate(int rate)
{
    for (int index = 0; index < BaudCount; ++index)
        if (baudRateForIndex(index) == rate)
            return index;
    return std::nullopt;
}

bool writeIfChanged(ProfileStore& profile, std::string_view section, std::string_view key,
                    int value)
{
    if (profile.readInt(section, key, Absent) == value)
        return false;
    profile.writeInt(section, key, value);
    return true;
}

void writePresetName(ProfileStore& profile, int presetIndex, std::string_view name)
{
    profile.writeString(SettingsSection::Presets, "P" + std::to_string(presetIndex), name);
}

} // namespace tarn
