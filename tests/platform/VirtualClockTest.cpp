#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tarn {
namespace {

struct Recorder : TimerClient {
    std::vector<std::pair<std::int64_t, int>>* log = nullptr;
    VirtualClock* clock = nullptr;
    std::function<void(int)> onFire;
    void timerFired(int id) override
    {
        log->push_back({clock->nowMs(), id});
        if (onFire)
            onFire(id);
    }
};

class VirtualClockTest : public ::testing::Test {
protected:
    VirtualClock clock;
    std::vector<std::pair<std::int64_t, int>> log;
    Recorder a, b;
    void SetUp() override
    {
        a.log = b.log = &log;
        a.clock = b.clock = &clock;
    }
};

TEST_F(VirtualClockTest, timersRepeatUntilStoppedAndFireInTimeOrder)
{
    clock.start(a, 20, 30);
    clock.start(b, 21, 100);
    clock.advance(100);
    const std::vector<std::pair<std::int64_t, int>> expected = {
        {30, 20}, {60, 20}, {90, 20}, {100, 21}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clock.nowMs(), 100);
}

TEST_F(VirtualClockTest, equalDueTimesFireInStartOrder)
{
    clock.start(b, 2, 10);
    clock.start(a, 1, 10);
    clock.advance(10);
    const std::vector<std::pair<std::int64_t, int>> expected = {{10, 2}, {10, 1}};
    EXPECT_EQ(log, expected);
}

TEST_F(VirtualClockTest, startRestartsARunningTimer)
{
    clock.start(a, 21, 100);
    clock.advance(60);
    clock.start(a, 21, 100);
    clock.advance(99);
    EXPECT_TRUE(log.empty());
    clock.advance(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, 160);
}

TEST_F(VirtualClockTest, handlerMayStopItselfAndStartOthersWithinTheSameAdvance)
{
    // A one-shot chain, as the connection sequence builds it: 41 -> 40 -> 42.
    a.onFire = [this](int id) {
        clock.stop(a, id);
        if (id == 41)
            clock.start(a, 40, 1000);
        else if (id == 40)
            clock.start(a, 42, 5);
    };
    clock.start(a, 41, 5);
    clock.advance(2000);
    const std::vector<std::pair<std::int64_t, int>> expected = {{5, 41}, {1005, 40}, {1010, 42}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clock.runningCount(), 0);
}

TEST_F(VirtualClockTest, stopAllDropsOnlyThatClientsTimers)
{
    clock.start(a, 1, 10);
    clock.start(a, 2, 10);
    clock.start(b, 1, 10);
    clock.stopAll(a);
    EXPECT_FALSE(clock.isRunning(a, 1));
    EXPECT_TRUE(clock.isRunning(b, 1));
    EXPECT_EQ(clock.remainingMs(b, 1), 10);
    EXPECT_EQ(clock.remainingMs(a, 2), -1);
}

TEST_F(VirtualClockTest, fireNextJumpsToTheNextDueTimer)
{
    clock.start(a, 44, 1000);
    EXPECT_TRUE(clock.fireNext());
    EXPECT_EQ(clock.nowMs(), 1000);
    clock.stop(a, 44);
    EXPECT_FALSE(clock.fireNext());
}

} // namespace
} // namespace tarn
