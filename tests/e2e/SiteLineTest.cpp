// A whole site on one line: the sweep finds every dome (one of them at
// another rate) and nothing else, and the camera list switches between them,
// each command reaching the dome it was meant for.

#include "CamSimProcess.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"
#include "WallClockPlatform.h"

#include "control/CommissioningSweep.h"
#include "control/LinkSweepLine.h"
#include "control/MainControl.h"
#include "control/SiteFromSweep.h"
#include "control/SiteSession.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class SiteLine : public ::testing::Test, protected WallClockPlatform {
protected:
    TempDirectory directory;
    SimTrafficLog log{directory.file("camsim.log")};
    std::unique_ptr<CamSimProcess> simulator;
    std::unique_ptr<MainControl> console;

    ~SiteLine() override
    {
        console.reset();
        if (simulator)
            simulator->stop();
    }

    void SetUp() override
    {
        simulator = std::make_unique<CamSimProcess>(std::vector<std::string>{
            "--pty", "--log", directory.file("camsim.log"), "--dome", "5:AlderHD:daynight", "--dome",
            "7:BirchSD:standard", "--dome", "12:AlderHD:daynight", "--dome", "20:AlderHD:thermal:19200"});
        ASSERT_TRUE(simulator->started());
        Settings settings;
        settings.camType = 1;
        const std::string device = simulator->where();
        console = std::make_unique<MainControl>(platform, settings, [device](int) { return device; });
        console->initialiseWithoutSearch();
    }

    // The addresses that got this command, from `from` on.
    std::multiset<int> addressesOf(std::string_view command, std::size_t from) const
    {
        std::multiset<int> addresses;
        const auto lines = log.lines("rx");
        for (std::size_t i = from; i < lines.size(); ++i) {
            const auto& bytes = lines[i].bytes;
            if (bytes.size() == command.size() + 3 && bytes[0] == 0xF8
                && std::string_view(reinterpret_cast<const char*>(bytes.data()) + 2, command.size()) == command)
                addresses.insert(bytes[1]);
        }
        return addresses;
    }
};

TEST_F(SiteLine, theSweepFindsEveryDomeAtItsRateAndTheListSwitchesBetweenThem)
{
    const std::string link = "COM" + std::to_string(console->serialPortNumber());
    std::vector<SweepFind> found;
    {
        LinkSweepLine line(*console);
        SweepRequest request;
        request.links = {link};
        request.baudIndexes = {0, 6}; // 9600, 19200
        request.protocolIndexes = {console->link().state().protocolIndex};
        request.firstAddress = 1;
        request.lastAddress = 24;
        CommissioningSweep sweep(line, timers, request, 100);
        line.setSweep(&sweep);
        sweep.start();
        ASSERT_TRUE(runUntil([&] { return !sweep.running(); }, 20s));
        found = sweep.found();
    }
    std::set<std::pair<int, int>> domes; // address, baud index
    for (const SweepFind& find : found)
        domes.emplace(find.address, find.baudIndex);
    EXPECT_EQ(domes, (std::set<std::pair<int, int>>{{5, 0}, {7, 0}, {12, 0}, {20, 6}}));
    EXPECT_EQ(console->baudIndex(), 0); // the line as it was

    // Into the camera list, then one press after another.
    SiteSession site(*console, prompter, timers);
    prompter.scriptFile(directory.file("site.ini"));
    for (const SweepFind& find : found)
        ASSERT_TRUE(site.addFound(find));
    ASSERT_EQ(site.list().size(), 4);
    std::set<int> answered;
    for (int index = 0; index < site.list().size(); ++index) {
        const std::size_t before = log.lines("rx").size();
        ASSERT_TRUE(site.choose(index));
        const int address = site.list().at(index).camera.address;
        // The chosen dome is asked for its status, and answers.
        EXPECT_TRUE(runUntil([&] { return site.list().at(index).state == SiteCameraState::Answered; }, 3s))
            << "dome " << address;
        EXPECT_EQ(addressesOf("L?", before).count(address), 1u) << "dome " << address;
        answered.insert(address);
    }
    EXPECT_EQ(answered, (std::set<int>{5, 7, 12, 20}));
    EXPECT_EQ(prompter.shown().size(), 1u); // where the new list goes
}

} // namespace
} // namespace tarn::e2e
