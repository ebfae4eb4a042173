#include "control/CommissioningSweep.h"

#include "link/Protocols.h"
#include "platform/VirtualClock.h"
#include "support/SweepDomeLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace tarn {
namespace {

constexpr int ReplyTimeoutMs = 100;

using test::DomeLine;

class Sweep : public ::testing::Test {
protected:
    VirtualClock clock;
    DomeLine line{clock};

    std::unique_ptr<CommissioningSweep> run(SweepRequest request, int untilMs = 1'000'000)
    {
        return runOn(line, std::move(request), untilMs);
    }

    std::unique_ptr<CommissioningSweep> runOn(DomeLine& on, SweepRequest request, int untilMs = 1'000'000)
    {
        auto sweep = std::make_unique<CommissioningSweep>(on, clock, std::move(request), ReplyTimeoutMs);
        on.sweep = sweep.get();
        sweep->start();
        for (int ms = 0; ms < untilMs && sweep->running(); ms += 10)
            clock.advance(10);
        return sweep;
    }
};

TEST_F(Sweep, findsEveryDomeWithWhatItSaysAndAsksOnlyQuestions)
{
    line.domes = {
        {"COM1", 0, Protocol::Tarn, 5, "0107", 1},
        {"COM1", 0, Protocol::Tarn, 7, "", -1},     // another make: status only
        {"COM1", 1, Protocol::Tarn, 12, "0200", 2}, // at 4800
        {"COM2", 0, Protocol::Tarn, 3, "0107", 0},
    };
    const auto sweep = run({{"COM1", "COM2"}, {0, 1}, {Protocol::Tarn}, 1, 20});

    EXPECT_FALSE(sweep->running());
    EXPECT_FALSE(sweep->cancelled());
    const std::vector<SweepFind> expected = {
        {"COM1", 0, Protocol::Tarn, 5, "L\x05", "0107", 1},
        {"COM1", 0, Protocol::Tarn, 7, "L\x05", "", -1},
        {"COM1", 1, Protocol::Tarn, 12, "L\x05", "0200", 2},
        {"COM2", 0, Protocol::Tarn, 3, "L\x05", "0107", 0},
    };
    EXPECT_EQ(sweep->found(), expected);
    for (const auto& [address, question] : line.questions)
        EXPECT_TRUE(question == "L?" || question == "RS" || question == "sS") << question;
    // A dome found at one rate is not asked again at the next.
    EXPECT_EQ(sweep->statusQuestionsAsked(), 20 + 18 + 20 + 19);
    EXPECT_EQ(sweep->progressPercent(), 100);
    EXPECT_EQ(line.restored, 1);
}

TEST_F(Sweep, takesNoLongerThanOneTimeOutPerAddressPlusTenPercent)
{
    line.domes = {{"COM1", 0, Protocol::Tarn, 100, "0107", 1}};
    SweepRequest request{{"COM1"}, {0}, {Protocol::Tarn}, 1, 254};
    const std::int64_t before = clock.nowMs();
    const auto sweep = run(request);
    const std::int64_t took = clock.nowMs() - before;
    EXPECT_EQ(CommissioningSweep::questionCount(request), 254);
    EXPECT_EQ(CommissioningSweep::longestMs(request, ReplyTimeoutMs), 25400);
    EXPECT_LE(took, 25400 * 11 / 10);
    EXPECT_EQ(sweep->found().size(), 1u);
}

TEST_F(Sweep, cancelStopsAtOnceAndPutsTheLineBack)
{
    const auto sweep = run({{"COM1"}, {0}, {Protocol::Tarn}, 1, 254}, 1000);
    ASSERT_TRUE(sweep->running());
    const std::size_t asked = line.questions.size();
    sweep->cancel();
    EXPECT_FALSE(sweep->running());
    EXPECT_TRUE(sweep->cancelled());
    EXPECT_EQ(line.restored, 1);
    clock.advance(10000);
    EXPECT_EQ(line.questions.size(), asked);
    EXPECT_LT(sweep->progressPercent(), 100);
}

TEST_F(Sweep, aLineThatCannotBeUsedIsPassedOverAndTheProtocolLimitsTheAddresses)
{
    line.unusableLinks = {"COM9"};
    line.domes = {{"COM1", 0, Protocol::Tarn, 2, "0107", 1}};
    SweepRequest request{{"COM9", "COM1"}, {0}, {Protocol::Tarn}, 1, 300};
    const auto [first, last] = CommissioningSweep::addressRange(request, Protocol::Tarn);
    const auto sweep = run(request);
    for (const auto& [address, question] : line.questions) {
        EXPECT_GE(address, first);
        EXPECT_LE(address, last);
    }
    EXPECT_EQ(sweep->statusQuestionsAsked(), last - first + 1);
    EXPECT_EQ(sweep->found().size(), 1u);
    EXPECT_EQ(sweep->progressPercent(), 100);
}

TEST_F(Sweep, portServersAreConnectedInTurnAndOneThatFailsIsToldOnce)
{
    struct Row {
        const char* name;
        DomeLine::Connect connect; // of the second server
        std::string why;           // empty: swept
    };
    const Row rows[] = {
        {"connects", {300, true}, ""},
        {"refuses", {50, false}, "refused"},
        {"never answers", {-1, true}, "no connection within 2 s"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DomeLine line(clock);
        line.connects = {{"10.0.0.5:4001", {100, true}}, {"10.0.0.6:4001", row.connect}};
        line.domes = {
            {"10.0.0.5:4001", 0, Protocol::Tarn, 3, "0107", 1},
            {"10.0.0.6:4001", 0, Protocol::Tarn, 4, "", -1}, // at the rate set on the server
            {"COM1", 1, Protocol::Tarn, 2, "", -1},
        };
        const std::int64_t before = clock.nowMs();
        const auto sweep = runOn(line, {{"10.0.0.5:4001", "10.0.0.6:4001", "COM1"}, {0, 1}, {Protocol::Tarn}, 1, 5});
        EXPECT_FALSE(sweep->running());
        // Each server is connected once, whatever its rates and protocols.
        EXPECT_EQ(line.connectsStarted, (std::vector<std::string>{"10.0.0.5:4001", "10.0.0.6:4001"}));
        std::vector<SweepFind> expected = {{"10.0.0.5:4001", 0, Protocol::Tarn, 3, "L\x05", "0107", 1}};
        if (row.why.empty())
            expected.push_back({"10.0.0.6:4001", 0, Protocol::Tarn, 4, "L\x05", "", -1});
        expected.push_back({"COM1", 1, Protocol::Tarn, 2, "L\x05", "", -1});
        EXPECT_EQ(sweep->found(), expected);
        if (row.why.empty())
            EXPECT_TRUE(sweep->problems().empty());
        else
            EXPECT_EQ(sweep->problems(), (std::vector<SweepProblem>{{"10.0.0.6:4001", row.why}}));
        EXPECT_EQ(sweep->progressPercent(), 100);
        EXPECT_EQ(line.restored, 1);
        // A server is asked at the first rate only; the serial port at both.
        for (const auto& [link, baud, protocol] : line.selections)
            EXPECT_TRUE(baud == 0 || link == "COM1") << link;
        // No connect takes longer than the sweep's bound.
        const SweepRequest request{{"10.0.0.5:4001", "10.0.0.6:4001", "COM1"}, {0, 1}, {Protocol::Tarn}, 1, 5};
        EXPECT_LE(clock.nowMs() - before, CommissioningSweep::longestMs(request, ReplyTimeoutMs) + 200);
    }
}

TEST_F(Sweep, aSerialPortThatCannotBeOpenedIsToldOnceForAllItsRates)
{
    line.unusableLinks = {"COM9"};
    const auto sweep = run({{"COM9", "COM1"}, {0, 1, 2}, {Protocol::Tarn}, 1, 2});
    EXPECT_EQ(sweep->problems(), (std::vector<SweepProblem>{{"COM9", "cannot be opened"}}));
    EXPECT_EQ(std::count_if(line.selections.begin(), line.selections.end(),
                            [](const auto& selection) { return std::get<0>(selection) == "COM9"; }),
              1);
    EXPECT_EQ(sweep->statusQuestionsAsked(), 6);
}

TEST_F(Sweep, cancelWhileAPortServerConnectsStopsAtOnceAndAsksNothingMore)
{
    line.connects = {{"10.0.0.5:4001", {-1, true}}};
    auto sweep = std::make_unique<CommissioningSweep>(line, clock, SweepRequest{{"10.0.0.5:4001"}, {0}, {1}, 1, 254},
                                                      ReplyTimeoutMs);
    line.sweep = sweep.get();
    sweep->start();
    clock.advance(500);
    EXPECT_TRUE(sweep->connecting());
    EXPECT_EQ(sweep->currentLink(), "10.0.0.5:4001");
    EXPECT_TRUE(line.questions.empty());
    sweep->cancel();
    EXPECT_FALSE(sweep->running());
    EXPECT_FALSE(sweep->connecting());
    EXPECT_EQ(line.restored, 1);
    // A connect told after the cancel changes nothing.
    sweep->lineSelected(true);
    clock.advance(10000);
    EXPECT_TRUE(line.questions.empty());
    EXPECT_TRUE(sweep->problems().empty());
}

TEST_F(Sweep, theLongestTimeCountsEachPortServersConnect)
{
    // Two rates: the serial port is asked at both, each server at its own.
    const SweepRequest request{{"COM1", "10.0.0.5:4001", "localhost:4002"}, {0, 6}, {Protocol::Tarn}, 1, 10};
    EXPECT_EQ(CommissioningSweep::questionCount(request), 40);
    EXPECT_EQ(CommissioningSweep::longestMs(request, ReplyTimeoutMs),
              40 * ReplyTimeoutMs + 2 * CommissioningSweep::ConnectTimeoutMs);
}

TEST_F(Sweep, anAnswerFromAnotherAddressOrALateOneIsNotTakenForTheDomeAsked)
{
    auto sweep = std::make_unique<CommissioningSweep>(line, clock, SweepRequest{{"COM1"}, {0}, {1}, 1, 3},
                                                      ReplyTimeoutMs);
    line.sweep = sweep.get();
    sweep->start();
    sweep->replyReceived(9, "L\x05"); // not the address asked
    clock.advance(ReplyTimeoutMs);
    sweep->replyReceived(1, "L\x05"); // address 1, after its time-out
    clock.advance(1000);
    EXPECT_TRUE(sweep->found().empty());
}

} // namespace
} // namespace tarn
