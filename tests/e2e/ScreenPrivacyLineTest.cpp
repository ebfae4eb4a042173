// The Screen Privacy Zone Setup logic against a day/night tarn-camsim over a
// pty: what one dialog sets in a zone, a fresh one reads back.

#include "SimulatorLine.h"

#include "programming/ScreenPrivacy.h"

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class ScreenPrivacyLine : public SimulatorLine {
protected:
    // Opens a dialog and counts the answers that reach it.
    std::unique_ptr<ScreenPrivacy> open(int& answers)
    {
        auto dialog = std::make_unique<ScreenPrivacy>(console->link(), console->prompter());
        dialog->open();
        dialog->setChanged([&answers] { ++answers; });
        return dialog;
    }
};

TEST_F(ScreenPrivacyLine, zoneSizeAndColourAreReadBackByAFreshDialog)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    console->state().moduleType = 1;
    {
        int answers = 0;
        auto dialog = open(answers);
        ASSERT_TRUE(console->runUntil([&] { return answers == 1; }, 5s)) << "the opening query was answered";
        EXPECT_EQ(dialog->values().horizontalSize, 0);
        dialog->queryPosition();
        ASSERT_TRUE(console->runUntil([&] { return answers == 2; }));
        EXPECT_EQ(dialog->values().pan, "0000");
        EXPECT_EQ(dialog->values().tilt, "0000");

        dialog->chooseZone(2);
        ASSERT_TRUE(console->runUntil([&] { return answers == 4; }, 5s)); // the choice, its query's answer
        dialog->setMode(2);
        dialog->setSize(ScreenPrivacy::Size::Horizontal, 7);
        dialog->setSize(ScreenPrivacy::Size::Vertical, 127);
        dialog->setColour(ScreenPrivacy::Colour::Shade, 12);
        dialog->setColour(ScreenPrivacy::Colour::Red, 15);
        ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
    }

    int answers = 0;
    auto fresh = open(answers);
    fresh->chooseZone(0);
    fresh->chooseZone(2);
    ASSERT_TRUE(console->runUntil([&] { return answers == 3; }, 5s));
    const ScreenPrivacyValues& values = fresh->values();
    EXPECT_EQ(values.mode, 2);
    EXPECT_EQ(values.horizontalSize, 7);
    EXPECT_EQ(values.verticalSize, 127);
    EXPECT_EQ(values.shade, 12);
    EXPECT_EQ(values.redColour, 15);
    EXPECT_EQ(values.blueColour, 0);
    EXPECT_EQ(console->responseTimeouts(), 0);
    EXPECT_TRUE(console->prompter().shown().empty());
}

} // namespace
} // namespace tarn::e2e
