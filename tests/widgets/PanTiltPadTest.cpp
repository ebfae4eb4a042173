#include "widgets/PanTiltPad.h"
#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarn::test {
namespace {

using Sent = std::vector<std::string>;
using Key = PanTiltPad::ArrowKey;

// One axis of a proportional command: direction letter and speed code byte.
std::string axis(char letter, int code)
{
    return {letter, static_cast<char>(code)};
}

// The main window's pad: 123 x 123 window, pad (12,12)-(111,111), centre 61, half 49.
constexpr int C = 61;

// One arrow-key event and what it should send, after the clock moved on by
// laterMs (a pad with timers only).
struct KeyStep {
    bool press;
    Key key;
    bool autoRepeat;
    Sent expected;
    int laterMs = 0;
};

class PanTiltPadTest : public ::testing::Test {
protected:
    Sent sent;
    VirtualClock clock; // outlives the pad, which stops its timer on the way out
    PanTiltPad pad{[this](std::string_view command) { sent.emplace_back(command); }};

    Sent take() { return std::exchange(sent, {}); }

    void runKeys(const std::vector<KeyStep>& steps)
    {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const KeyStep& step = steps[i];
            if (step.press)
                pad.keyPress(step.key, step.autoRepeat);
            else
                pad.keyRelease(step.key, step.autoRepeat);
            clock.advance(step.laterMs);
            EXPECT_EQ(take(), step.expected) << "step " << i;
        }
    }
};

TEST_F(PanTiltPadTest, sizeOperationMakesTheWindowOddAndKeepsTheMargin)
{
    pad.setWindowSize(122, 60);
    EXPECT_EQ(pad.windowWidth(), 123);
    EXPECT_EQ(pad.windowHeight(), 61);
    EXPECT_EQ(pad.padRect(), (PadRect{12, 12, 111, 49}));
    EXPECT_EQ(pad.halfWidth(), 49);
    EXPECT_EQ(pad.halfHeight(), 18);
    EXPECT_EQ(pad.centre(), (PadPoint{61, 30}));
}

TEST_F(PanTiltPadTest, hugeSpeedScalesAndPadsSaturateWithoutOverflow)
{
    pad.setWindowSize(2'000'001, 2'000'001);
    pad.setPanTiltType(1);
    pad.setSpeeds(2'000'000'000, 2'000'000'000);
    const PadPoint c = pad.centre();
    pad.press(c.x + 999'000, c.y - 999'000);
    pad.release();
    EXPECT_EQ(take(), (Sent{axis('r', 0x5F) + axis('u', 0x5F), "PSTS"}));
}

// ---- Pan/tilt type 0: zones ------------------------------------------------

TEST_F(PanTiltPadTest, zoneEdgesAreExclusiveOnTheRightAndBottom)
{
    struct Row {
        int x, y, zone;
    };
    // Centre band 8: the centre square is 53..68 on both axes.
    const Row rows[] = {{12, 12, 1},  {52, 52, 1},  {53, 52, 2},  {68, 52, 2},  {69, 52, 3},
                        {110, 52, 3}, {69, 53, 4},  {69, 68, 4},  {69, 69, 5},  {68, 69, 6},
                        {52, 69, 7},  {52, 68, 8},  {53, 53, 0},  {68, 68, 0},  {C, C, 0},
                        {111, C, 0},  {C, 111, 0},  {11, C, 0},   {110, 110, 5}};
    for (const Row& row : rows)
        EXPECT_EQ(pad.zoneAt(row.x, row.y), row.zone) << row.x << "," << row.y;
}

TEST_F(PanTiltPadTest, pressInEachZoneSendsItsCommandAndReleaseStops)
{
    struct Row {
        int x, y, zone;
        const char* command;
    };
    const Row rows[] = {{20, 20, 1, "PLTU"}, {C, 20, 2, "PSTU"},   {100, 20, 3, "PRTU"},
                        {100, C, 4, "PRTS"}, {100, 100, 5, "PRTD"}, {C, 100, 6, "PSTD"},
                        {20, 100, 7, "PLTD"}, {20, C, 8, "PLTS"}};
    for (const Row& row : rows) {
        pad.press(row.x, row.y);
        EXPECT_TRUE(pad.isDragging());
        EXPECT_EQ(pad.zone(), row.zone);
        pad.release();
        EXPECT_EQ(take(), (Sent{row.command, "PSTS"})) << row.command;
        EXPECT_FALSE(pad.isDragging());
        EXPECT_EQ(pad.zone(), 0);
    }
}

TEST_F(PanTiltPadTest, centrePressSendsNothingUntilTheDragReachesAZone)
{
    pad.press(C, C);
    pad.move(C + 3, C - 3);
    EXPECT_TRUE(take().empty());
    pad.move(100, C);
    pad.release();
    EXPECT_EQ(take(), (Sent{"PRTS", "PSTS"}));

    pad.press(C, C);
    pad.release();
    EXPECT_EQ(take(), (Sent{"PSTS"}));
}

TEST_F(PanTiltPadTest, zoneCommandIsSentOnlyWhenTheZoneChanges)
{
    pad.press(20, 20);
    pad.move(30, 30);
    pad.move(C, C);   // centre square keeps zone 1
    pad.move(25, 40); // back in zone 1
    EXPECT_EQ(take(), (Sent{"PLTU"}));
    pad.move(C, C);
    pad.move(100, 20);
    EXPECT_EQ(take(), (Sent{"PRTU"}));
}

TEST_F(PanTiltPadTest, pressOutsideThePadIsIgnoredAndMovesAreConfinedToIt)
{
    pad.press(5, C); // margin, where the nudge buttons are
    pad.move(20, 20);
    EXPECT_FALSE(pad.isDragging());
    EXPECT_TRUE(take().empty());

    pad.press(20, C);
    pad.move(400, -50); // far outside: taken at the pad's up-right corner
    EXPECT_EQ(pad.cursor(), (PadPoint{110, 12}));
    EXPECT_EQ(take(), (Sent{"PLTS", "PRTU"}));
}

// ---- Pan/tilt types 1 and 2: proportional speeds ---------------------------

TEST_F(PanTiltPadTest, pressSendsTheProportionalCommand)
{
    struct Row {
        int type, panScale, tiltScale, x, y;
        std::string command;
    };
    const Row rows[] = {
        {1, 63, 63, C + 49, C, axis('r', 0x5F) + "TS"}, // the edge: full scale
        {2, 63, 63, C + 49, C, axis('r', 0x5F) + "TS"},
        {1, 63, 63, C + 1, C, "PSTS"},                  // dead band of a press
        {1, 63, 63, C - 2, C + 2, "PSTS"},
        {1, 63, 63, C + 3, C, axis('r', 0x14) + "TS"},  // 3*63/49 = 3.86 rounds to 4
        {1, 63, 63, C - 49, C, axis('l', 0x5F) + "TS"},
        {1, 63, 63, C, C - 49, "PS" + axis('u', 0x5F)},
        {1, 63, 63, C, C + 49, "PS" + axis('d', 0x5F)},
        {1, 63, 63, C + 24, C, axis('r', 0x2F) + "TS"}, // s = 31 (30.86 rounded): top of the low band
        {1, 63, 63, C + 25, C, axis('r', 0x40) + "TS"}, // s = 32: the high band starts at 0x40
        {1, 63, 63, C - 39, C + 39, axis('l', 0x52) + axis('d', 0x52)},
        {1, 63, 20, C + 49, C + 49, axis('r', 0x5F) + axis('d', 0x24)},
        {1, 20, 20, C + 3, C - 3, axis('r', 0x13) + axis('u', 0x13)},   // s = 1: slowest press code
        {1, 20, 20, C + 7, C, axis('r', 0x13) + "TS"},                  // s = 3 by the rule
        {1, 20, 20, C + 9, C, axis('r', 0x14) + "TS"},
        {1, 0, 0, C + 49, C - 49, axis('r', 0x13) + axis('u', 0x13)},   // s = 0
        {1, 70, 63, C + 49, C, axis('r', 0x46) + "TS"},  // s above 63 is used unchanged
        {1, 100, 63, C + 49, C, axis('r', 0x5F) + "TS"}, // ... but never above 0x5F
    };
    for (const Row& row : rows) {
        pad.setPanTiltType(row.type);
        pad.setSpeeds(row.panScale, row.tiltScale);
        pad.press(row.x, row.y);
        pad.release();
        EXPECT_EQ(take(), (Sent{row.command, "PSTS"}))
            << "type " << row.type << " scales " << row.panScale << "/" << row.tiltScale << " at "
            << row.x << "," << row.y;
    }
}

TEST_F(PanTiltPadTest, movesSendOnlyWhenTheCommandChanges)
{
    struct Row {
        const char* what;
        int panScale, tiltScale;
        PadPoint press;
        std::vector<PadPoint> moves;
        Sent expected; // after the press's own command
    };
    const Row rows[] = {
        {"no dead band on a move", 63, 63, {C + 49, C}, {{C + 1, C}, {C, C}},
         {axis('r', 0x11) + "TS", "PSTS"}},
        {"tilt speed 0 on a move", 63, 10, {C + 49, C}, {{C + 49, C - 1}},
         {axis('r', 0x5F) + axis('u', 0x11)}},
        {"pan speed 0 on a move", 10, 63, {C + 49, C}, {{C + 1, C}},
         {axis('r', 0x10) + "TS"}},
        // 39 and 40 pixels both give s = 16 at scale 20.
        {"same codes", 20, 20, {C + 40, C}, {{C + 40, C}, {C + 39, C}, {C + 40, C}}, {}},
        {"same distance across the centre", 63, 63, {C + 10, C}, {{C - 10, C}},
         {axis('l', 0x1D) + "TS"}},
        {"confined at the edge", 63, 63, {C + 49, C}, {{500, C}, {C + 49, 300}},
         {axis('r', 0x5F) + axis('d', 0x5F)}},
    };
    for (const Row& row : rows) {
        pad.setPanTiltType(1);
        pad.setSpeeds(row.panScale, row.tiltScale);
        pad.press(row.press.x, row.press.y);
        take();
        for (const PadPoint& point : row.moves)
            pad.move(point.x, point.y);
        EXPECT_EQ(take(), row.expected) << row.what;
        pad.release();
        EXPECT_EQ(take(), (Sent{"PSTS"})) << row.what;
    }
}

TEST_F(PanTiltPadTest, releaseAfterAConfinedDragStopsAndEndsTheDrag)
{
    pad.setPanTiltType(1);
    pad.press(C + 10, C + 10);
    pad.move(-300, 900);
    EXPECT_EQ(pad.cursor(), (PadPoint{12, 110}));
    take();
    pad.release();
    EXPECT_EQ(take(), (Sent{"PSTS"}));
    EXPECT_FALSE(pad.isDragging());
    pad.move(C + 30, C); // button is up: nothing
    EXPECT_TRUE(take().empty());
}

// ---- Arrow keys ------------------------------------------------------------

TEST_F(PanTiltPadTest, arrowKeysDriveTheZonesOfType0)
{
    runKeys({{true, Key::Right, false, {"PRTS"}},
             {true, Key::Right, true, {}},  // auto-repeat
             {false, Key::Right, true, {}}, // auto-repeat's release
             {true, Key::Right, false, {}}, // already held
             {true, Key::Up, false, {"PRTU"}},
             {false, Key::Right, false, {"PSTU"}},
             {true, Key::Down, false, {"PSTS"}}, // up and down cancel
             {false, Key::Up, false, {"PSTD"}},
             {false, Key::Down, false, {"PSTS"}},
             {false, Key::Down, false, {}}});
}

TEST_F(PanTiltPadTest, arrowKeysDriveAtHalfScaleForProportionalTypes)
{
    pad.setPanTiltType(2);
    runKeys({{true, Key::Left, false, {axis('l', 0x40) + "TS"}}, // s = 32
             {true, Key::Down, false, {axis('l', 0x40) + axis('d', 0x40)}},
             {true, Key::Left, true, {}},
             {false, Key::Left, false, {"PS" + axis('d', 0x40)}},
             {false, Key::Down, false, {"PSTS"}}});
    pad.setSpeeds(3, 20);
    runKeys({{true, Key::Right, false, {axis('r', 0x13) + "TS"}}}); // s = 2
}

TEST_F(PanTiltPadTest, aReleaseAndPressOfTheSameKeyWithinTheSettleTimeIsOneHold)
{
    constexpr int Settle = PanTiltPad::KeyRepeatSettleMs;
    pad.setTimers(&clock);
    runKeys({{true, Key::Right, false, {"PRTS"}},
             // Auto-repeat not marked as such: release/press pairs a few ms apart.
             {false, Key::Right, false, {}, 2},
             {true, Key::Right, false, {}, 40},
             {false, Key::Right, false, {}, Settle - 1},
             {true, Key::Right, false, {}},
             {false, Key::Right, true, {}}, // and marked ones, as ever
             {true, Key::Right, true, {}},
             // The real release stops once the settle time has passed.
             {false, Key::Right, false, {}, Settle - 1},
             // Right still held at this press, and released a moment later.
             {true, Key::Up, false, {"PRTU", "PSTU"}, 1},
             {true, Key::Left, false, {"PLTU"}},
             {false, Key::Up, false, {}},
             {false, Key::Left, false, {"PSTS"}, Settle}});
    EXPECT_EQ(clock.runningCount(), 0);

    // Losing the focus, or the pointer taking over, does not wait.
    runKeys({{true, Key::Down, false, {"PSTD"}}, {false, Key::Down, false, {}}});
    pad.releaseKeys();
    EXPECT_EQ(take(), (Sent{"PSTS"}));
    runKeys({{true, Key::Down, false, {"PSTD"}}, {false, Key::Down, false, {}}});
    pad.press(C, C);
    pad.release();
    clock.advance(Settle);
    EXPECT_EQ(take(), (Sent{"PSTS"}));
}

TEST_F(PanTiltPadTest, stopDrivingDoesNotWaitForAReleaseToSettle)
{
    pad.setTimers(&clock);
    pad.keyPress(Key::Up);
    pad.keyRelease(Key::Up); // waiting for the settle time
    pad.stopDriving();
    clock.advance(PanTiltPad::KeyRepeatSettleMs);
    EXPECT_EQ(take(), (Sent{"PSTU", "PSTS"}));
    pad.keyRelease(Key::Up);
    pad.stopDriving();
    EXPECT_TRUE(take().empty());
}

TEST_F(PanTiltPadTest, lostFocusStopsHeldKeysAndThePointerOverridesThem)
{
    pad.keyPress(Key::Left);
    pad.releaseKeys();
    EXPECT_EQ(take(), (Sent{"PLTS", "PSTS"}));
    pad.releaseKeys(); // nothing held any more
    EXPECT_TRUE(take().empty());

    pad.keyPress(Key::Up);
    pad.press(100, 100);
    pad.keyPress(Key::Left); // ignored during a drag
    pad.keyRelease(Key::Up);
    pad.release();
    pad.keyRelease(Key::Left);
    EXPECT_EQ(take(), (Sent{"PSTU", "PRTD", "PSTS"}));
}

} // namespace
} // namespace tarn::test
