// The commissioning sweep on the console's own serial line, against the
// simulated dome: it asks every address once, finds the dome, and gives the
// line back as it was.

#include "CamSimProcess.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"
#include "WallClockPlatform.h"

#include "control/CommissioningSweep.h"
#include "control/LinkSweepLine.h"
#include "control/MainControl.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class SweepLine : public ::testing::Test, protected WallClockPlatform {
protected:
    TempDirectory directory;
    SimTrafficLog log{directory.file("camsim.log")};
    std::unique_ptr<CamSimProcess> simulator;
    std::unique_ptr<MainControl> console;
    std::vector<int> addresses;

    ~SweepLine() override
    {
        console.reset();
        if (simulator)
            simulator->stop();
    }

    void SetUp() override
    {
        simulator = std::make_unique<CamSimProcess>(
            std::vector<std::string>{"--pty", "--address", "37", "--log", directory.file("camsim.log")});
        ASSERT_TRUE(simulator->started());
        Settings settings;
        settings.camType = 1;
        const std::string device = simulator->where();
        console = std::make_unique<MainControl>(platform, settings, [device](int) { return device; });
        console->setAddressChanged([this](int address) { addresses.push_back(address); });
        console->initialise();
        ASSERT_TRUE(runUntil([&] { return !addresses.empty(); }, 3s));
        ASSERT_EQ(addresses.back(), 37);
    }

    // The addresses the dome was asked the status question at, after `from`.
    std::multiset<int> statusQuestionsFrom(std::size_t from) const
    {
        std::multiset<int> asked;
        const auto lines = log.lines("rx");
        for (std::size_t i = from; i < lines.size(); ++i) {
            const auto& bytes = lines[i].bytes;
            // F8, address, "L?", checksum: the four-digit protocol's short form.
            if (bytes.size() == 5 && bytes[0] == 0xF8 && bytes[2] == 'L' && bytes[3] == '?')
                asked.insert(bytes[1]);
        }
        return asked;
    }
};

TEST_F(SweepLine, findsTheDomeAsksEachAddressOnceAndGivesTheLineBack)
{
    const int baudIndex = console->baudIndex();
    const std::size_t before = log.lines("rx").size();
    {
        LinkSweepLine line(*console);
        SweepRequest request;
        request.links = {"COM" + std::to_string(console->serialPortNumber())};
        request.baudIndexes = {baudIndex};
        request.protocolIndexes = {console->link().state().protocolIndex};
        request.firstAddress = 33;
        request.lastAddress = 40;
        CommissioningSweep sweep(line, timers, request, 100);
        line.setSweep(&sweep);
        const auto started = std::chrono::steady_clock::now();
        sweep.start();
        ASSERT_TRUE(runUntil([&] { return !sweep.running(); }, 5s));
        const auto took = std::chrono::steady_clock::now() - started;

        ASSERT_EQ(sweep.found().size(), 1u);
        EXPECT_EQ(sweep.found()[0].address, 37);
        EXPECT_FALSE(sweep.found()[0].status.empty());
        // Eight addresses, seven of them silent: well within eight time-outs
        // and their margin.
        EXPECT_LT(took, 8 * 100ms * 1.1 + 300ms);
        // Nothing else went out meanwhile: no poll, no search, one status
        // question per address.
        const auto asked = statusQuestionsFrom(before);
        EXPECT_EQ(asked, (std::multiset<int>{33, 34, 35, 36, 37, 38, 39, 40}));
    }
    EXPECT_EQ(console->link().state().address, 37);
    EXPECT_EQ(console->baudIndex(), baudIndex);
    EXPECT_FALSE(console->link().queuePaused());
    // The console goes on driving the dome it had.
    const std::size_t after = log.lines("rx").size();
    console->link().enqueue("L?");
    EXPECT_TRUE(runUntil([&] { return statusQuestionsFrom(after).count(37) > 0; }, 2s));
}

TEST_F(SweepLine, sweepsTwoPortServersAndOneThatRefusesInOneRunThenGoesBackToTheSerialLine)
{
    CamSimProcess first({"--tcp", "127.0.0.1:0", "--dome", "5", "--dome", "7"});
    CamSimProcess second({"--tcp", "127.0.0.1:0", "--dome", "9"});
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    // A port nobody listens on: refused at once.
    const std::string nobody = "127.0.0.1:1";
    const int baudIndex = console->baudIndex();
    {
        LinkSweepLine line(*console);
        SweepRequest request;
        request.links = {first.where(), nobody, second.where()};
        request.baudIndexes = {baudIndex};
        request.protocolIndexes = {console->link().state().protocolIndex};
        request.firstAddress = 3;
        request.lastAddress = 10;
        CommissioningSweep sweep(line, timers, request, 100);
        line.setSweep(&sweep);
        sweep.start();
        ASSERT_TRUE(runUntil([&] { return !sweep.running(); }, 10s));

        std::vector<std::pair<std::string, int>> found;
        for (const SweepFind& find : sweep.found())
            found.emplace_back(find.link, find.address);
        EXPECT_EQ(found, (std::vector<std::pair<std::string, int>>{
                             {first.where(), 5}, {first.where(), 7}, {second.where(), 9}}));
        ASSERT_EQ(sweep.problems().size(), 1u);
        EXPECT_EQ(sweep.problems()[0].link, nobody);
        EXPECT_TRUE(sweep.problems()[0].why.starts_with("the connection failed")) << sweep.problems()[0].why;
        EXPECT_EQ(sweep.statusQuestionsAsked(), 16);
        EXPECT_TRUE(prompter.shown().empty()) << "the sweep tells a refused server itself, in no box";
    }
    // Back on the serial line with the dome it had.
    EXPECT_EQ(console->link().state().linkMode, 0);
    EXPECT_FALSE(console->portServer().hasSocket());
    EXPECT_EQ(console->link().state().address, 37);
    EXPECT_EQ(console->baudIndex(), baudIndex);
    const std::size_t after = log.lines("rx").size();
    console->link().enqueue("L?");
    EXPECT_TRUE(runUntil([&] { return statusQuestionsFrom(after).count(37) > 0; }, 2s));
}

TEST_F(SweepLine, aCancelledSweepStopsWithinOneTimeOut)
{
    LinkSweepLine line(*console);
    SweepRequest request;
    request.links = {"COM" + std::to_string(console->serialPortNumber())};
    request.baudIndexes = {console->baudIndex()};
    request.protocolIndexes = {console->link().state().protocolIndex};
    request.firstAddress = 1;
    request.lastAddress = 254;
    CommissioningSweep sweep(line, timers, request, 100);
    line.setSweep(&sweep);
    sweep.start();
    ASSERT_TRUE(runUntil([&] { return sweep.statusQuestionsAsked() >= 3; }, 2s));
    sweep.cancel();
    const std::size_t atCancel = log.lines("rx").size();
    runUntil([] { return false; }, 150ms);
    EXPECT_FALSE(sweep.running());
    EXPECT_LE(log.lines("rx").size(), atCancel + 1); // a question already on the wire at most
}

} // namespace
} // namespace tarn::e2e
