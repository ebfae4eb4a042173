#include "programming/TourSetup.h"

#include "core/Settings.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

class TourSetupTest : public ::testing::Test {
protected:
    MemoryProfileStore profile;
    ScriptedPrompter prompter;
    Settings saved;
    TourRunFlags running;

    TourSetupTest()
    {
        saved.dwellTime = 20;
        saved.tour[0] = 1;
        saved.tour[9] = 1;
    }
    TourSetup open() { return TourSetup(saved, running, profile, prompter); }
};

TEST_F(TourSetupTest, opensWithTheSavedValues)
{
    const TourSetup setup = open();
    EXPECT_EQ(setup.dwellTime(), 20);
    for (int i = 0; i < TourSetup::PresetCount; ++i)
        EXPECT_EQ(setup.inTour(i), i == 0 || i == 9) << i;
}

TEST_F(TourSetupTest, refusedDwellTimeKeepsTheDialogOpenAndStoresNothing)
{
    struct Row {
        std::string_view text;
        std::string_view message;
    };
    const Row rows[] = {
        {"4", "Please enter an integer between 5 and 60."},
        {"61", "Please enter an integer between 5 and 60."},
        {"-5", "Please enter an integer between 5 and 60."},
        {"", "Please enter an integer."},
        {"1O", "Please enter an integer."},
        {"9999999999", "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        prompter.clear();
        TourSetup setup = open();
        setup.toggle(4);
        EXPECT_FALSE(setup.accept(row.text));
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(row.message)});
        EXPECT_EQ(profile.writeCount(), 0);
        EXPECT_EQ(saved.tour[4], 0);
    }
}

TEST_F(TourSetupTest, dwellTimeLimitsAreAccepted)
{
    for (const std::string_view text : {"5", " 60 ", "+30"}) {
        TourSetup setup = open();
        EXPECT_TRUE(setup.accept(text)) << text;
    }
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(saved.dwellTime, 30);
}

TEST_F(TourSetupTest, clickReachesTheRunningTourAtOnceAndCancelStoresNothing)
{
    {
        TourSetup setup = open();
        EXPECT_TRUE(setup.toggle(2));
        EXPECT_TRUE(running.presets[2]);
        // Cancel: the dialog just goes away.
    }
    EXPECT_EQ(saved.tour[2], 0);
    EXPECT_FALSE(profile.contains(SettingsSection::TourSetup, "Tour3"));
    EXPECT_EQ(profile.writeCount(), 0);
    EXPECT_TRUE(running.presets[2]);
}

TEST_F(TourSetupTest, okStoresOnlyTheChangedValues)
{
    TourSetup setup = open();
    setup.toggle(0); // was in the tour
    setup.toggle(5);
    setup.toggle(7);
    setup.toggle(7); // back to what was saved
    ASSERT_TRUE(setup.accept("20"));

    EXPECT_EQ(profile.writeCount(), 2);
    EXPECT_EQ(profile.readInt(SettingsSection::TourSetup, "Tour1", -1), 0);
    EXPECT_EQ(profile.readInt(SettingsSection::TourSetup, "Tour6", -1), 1);
    EXPECT_EQ(saved.tour[0], 0);
    EXPECT_EQ(saved.tour[5], 1);
    EXPECT_EQ(running.presets[7], false);
}

TEST_F(TourSetupTest, changingOnlyTheDwellTimeWritesOnlyDwellTime)
{
    TourSetup setup = open();
    ASSERT_TRUE(setup.accept("45"));
    EXPECT_EQ(profile.writeCount(), 1);
    EXPECT_EQ(profile.readInt(SettingsSection::TourSetup, SettingsKey::DwellTime, -1), 45);
    EXPECT_EQ(saved.dwellTime, 45);
}

} // namespace
} // namespace tarn
