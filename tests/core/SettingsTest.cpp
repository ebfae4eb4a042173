#include "core/Settings.h"
#include "platform/MemoryProfileStore.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

struct StoredKey {
    const char* section;
    std::string key;
    int storedDefault;
};

std::vector<StoredKey> allKeysWithStoredDefaults()
{
    std::vector<StoredKey> keys = {
        {"Setup", "Port Index", 0}, {"Setup", "Port", 1},      {"Setup", "Baud", 0},
        {"Setup", "CommPort", 0},   {"Setup", "Mode", 1},      {"Setup", "PTImage", 7},
        {"Setup", "RxType", 1},     {"Setup", "CamType", 3},   {"Setup", "PTType", 1},
        {"Setup", "PSpeed", 63},    {"Setup", "TSpeed", 63},   {"Setup", "Video Type", 1},
        {"Setup", "LL Phase", 1},   {"Setup", "Video Freeze Status", 1},
        {"TourSetup", "DwellTime", 5},
        {"NTCIP", "NTCIPMode", 0},  {"NTCIP", "NTCIPExitNormal", 1},
    };
    for (int i = 1; i <= 10; ++i)
        keys.push_back({"TourSetup", "Tour" + std::to_string(i), 0});
    return keys;
}

TEST(Settings, firstRunStoresEveryDefaultButWorksWithZeroForTheThreeStatusKeys)
{
    MemoryProfileStore profile;
    const Settings settings = Settings::load(profile);

    for (const auto& expected : allKeysWithStoredDefaults()) {
        SCOPED_TRACE(expected.key);
        EXPECT_EQ(profile.readInt(expected.section, expected.key, -99), expected.storedDefault);
    }
    EXPECT_EQ(profile.values().size(), allKeysWithStoredDefaults().size());
    EXPECT_FALSE(profile.contains("Setup", "Comm. Protocol"));

    EXPECT_EQ(settings.videoType, 0);
    EXPECT_EQ(settings.llPhase, 0);
    EXPECT_EQ(settings.videoFreezeStatus, 0);
    EXPECT_EQ(settings.port, 1);
    EXPECT_EQ(settings.mode, 1);
    EXPECT_EQ(settings.ptImage, 7);
    EXPECT_EQ(settings.rxType, 1);
    EXPECT_EQ(settings.camType, 3);
    EXPECT_EQ(settings.panSpeed, 63);
    EXPECT_EQ(settings.dwellTime, 5);
    EXPECT_EQ(settings.ntcipExitNormal, 1);
    EXPECT_EQ(settings.commProtocol, 1);
}

TEST(Settings, secondRunUsesTheStoredValuesAndWritesNothing)
{
    MemoryProfileStore profile;
    Settings::load(profile);
    const int writesAfterFirstRun = profile.writeCount();

    const Settings settings = Settings::load(profile);
    EXPECT_EQ(profile.writeCount(), writesAfterFirstRun);
    EXPECT_EQ(settings.videoType, 1);
    EXPECT_EQ(settings.llPhase, 1);
    EXPECT_EQ(settings.videoFreezeStatus, 1);
}

TEST(Settings, valuesOutsideTheirListsBecomeTheirDefaultsWrittenBackAndNoted)
{
    struct Row {
        const char* key;
        int stored;
        int used; // the stored value when it is in its list
        int Settings::*member;
    };
    const Row rows[] = {
        {"CommPort", 7, 0, &Settings::commPort}, {"CommPort", 1, 1, &Settings::commPort},
        {"RxType", 1000, 1, &Settings::rxType},  {"RxType", 6, 6, &Settings::rxType}, {"RxType", 7, 1, &Settings::rxType},
        {"CamType", 4, 3, &Settings::camType},   {"CamType", 3, 3, &Settings::camType},
        {"PTType", -2, 1, &Settings::ptType},    {"PTType", 2, 2, &Settings::ptType},
        {"Baud", 7, 0, &Settings::baud},         {"Baud", 6, 6, &Settings::baud},
        {"PTImage", 40, 7, &Settings::ptImage},  {"PTImage", 0, 0, &Settings::ptImage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.key) + "=" + std::to_string(row.stored));
        MemoryProfileStore profile;
        profile.writeInt("Setup", row.key, row.stored);
        const Settings settings = Settings::load(profile);
        EXPECT_EQ(settings.*row.member, row.used);
        EXPECT_EQ(profile.readInt("Setup", row.key, -99), row.used);
        if (row.used == row.stored)
            EXPECT_TRUE(settings.repairs.empty());
        else
            EXPECT_EQ(settings.repairs, std::vector<std::string>{std::string(row.key) + "="
                                                                  + std::to_string(row.stored) + " is now "
                                                                  + std::to_string(row.used)});
    }
}

TEST(Settings, valuesWithoutAListAreUsedAsTheyAre)
{
    MemoryProfileStore profile;
    profile.writeInt("TourSetup", "Tour3", 1);
    profile.writeInt("NTCIP", "NTCIPExitNormal", 0);
    profile.writeInt("Setup", "Mode", 0);
    const Settings settings = Settings::load(profile);
    EXPECT_EQ(settings.tour[2], 1);
    EXPECT_EQ(settings.ntcipExitNormal, 0);
    EXPECT_EQ(settings.mode, 0);
    EXPECT_TRUE(settings.repairs.empty());
}

TEST(Settings, commProtocolIsNeverReadAtStartUp)
{
    MemoryProfileStore profile;
    profile.writeInt("Setup", "Comm. Protocol", 5);
    EXPECT_EQ(Settings::load(profile).commProtocol, 1);
}

TEST(Settings, portZeroOrLessBecomesOneAndOneIsWritten)
{
    for (const int stored : {0, -7}) {
        SCOPED_TRACE(stored);
        MemoryProfileStore profile;
        profile.writeInt("Setup", "Port", stored);
        EXPECT_EQ(Settings::load(profile).port, 1);
        EXPECT_EQ(profile.readInt("Setup", "Port", -99), 1);
    }
}

TEST(Settings, storedMinusOneCountsAsAbsent)
{
    MemoryProfileStore profile;
    profile.writeInt("Setup", "Video Type", -1);
    EXPECT_EQ(Settings::load(profile).videoType, 0);
    EXPECT_EQ(profile.readInt("Setup", "Video Type", -99), 1);
}

TEST(Settings, baudIndexMapsToLineSpeedAndAnythingElseIs9600)
{
    const std::pair<int, int> table[] = {{0, 9600}, {1, 4800}, {2, 2400}, {3, 1200}, {4, 600},
                                         {5, 300},  {6, 19200}, {7, 9600}, {9, 9600}, {-1, 9600}};
    for (const auto& [index, rate] : table) {
        SCOPED_TRACE(index);
        EXPECT_EQ(Settings::baudRateForIndex(index), rate);
    }
    MemoryProfileStore profile;
    profile.writeInt("Setup", "Baud", 9);
    const Settings settings = Settings::load(profile);
    EXPECT_EQ(settings.baud, 0);
    EXPECT_EQ(settings.baudRate(), 9600);
}

TEST(Settings, writeIfChangedWritesOnlyADifferentValue)
{
    MemoryProfileStore profile;
    EXPECT_TRUE(writeIfChanged(profile, "Setup", "LL Phase", 3));
    const int writes = profile.writeCount();
    EXPECT_FALSE(writeIfChanged(profile, "Setup", "LL Phase", 3));
    EXPECT_EQ(profile.writeCount(), writes);
    EXPECT_TRUE(writeIfChanged(profile, "Setup", "LL Phase", 4));
    EXPECT_EQ(profile.readInt("Setup", "LL Phase", -99), 4);
}

TEST(Settings, presetNamesAreStoredAsStringsByZeroBasedIndex)
{
    MemoryProfileStore profile;
    writePresetName(profile, 0, "Gate #2                 ");
    writePresetName(profile, 63, "Car park");
    EXPECT_EQ(profile.readString("Presets", "P0"), "Gate #2                 ");
    EXPECT_EQ(profile.readString("Presets", "P63"), "Car park");
}

} // namespace
} // namespace tarn
