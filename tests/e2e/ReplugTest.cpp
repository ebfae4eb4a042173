// The whole console core on site: tarn-camsim stopped under it and started
// again on the same link path.

#include "SimulatorLine.h"
#include "WallClockPlatform.h"

#include "core/Messages.h"
#include "control/MainControl.h"
#include "support/HandBuiltFrames.h"

#include <algorithm>

#include <sys/resource.h>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool hasFrame(const std::vector<SimTrafficLog::Line>& lines, const Bytes& frame)
{
    return std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.bytes == frame; });
}

// A MainControl as the program has it, on the real serial port and the
// wall clock, with the main thread run by this test.
class Replug : public ::testing::Test, protected WallClockPlatform {
protected:
    TempDirectory directory;
    const std::string link = directory.file("camera");
    std::unique_ptr<CamSimProcess> simulator;
    std::unique_ptr<MainControl> control;

    ~Replug() override
    {
        control.reset();
        simulator.reset();
    }
    void startSimulator(const std::string& log)
    {
        simulator = std::make_unique<CamSimProcess>(std::vector<std::string>{
            "--pty", "--link", link, "--address", "5", "--module", "daynight", "--log", log});
        ASSERT_TRUE(simulator->started());
    }
};

TEST_F(Replug, StoppedSimulatorIsToldOnceCostsNothingAndIsTakenUpAgainOnTheSameLink)
{
    const std::string firstLog = directory.file("first.log");
    ASSERT_NO_FATAL_FAILURE(startSimulator(firstLog));
    Settings settings;
    settings.rxType = 0; // AlderHD day/night dome, as the demo has it
    settings.camType = 1;
    control = std::make_unique<MainControl>(platform, settings, [this](int) { return link; });
    control->initialise();
    ASSERT_TRUE(runUntil([&] { return control->connection().cameraFound(); }));
    EXPECT_EQ(control->panel().address(), 5);
    control->panel().toggleStatusPolling();
    const Bytes poll = test::handBuiltFrame(0x05, "L?");
    ASSERT_TRUE(runUntil([&] { return hasFrame(SimTrafficLog(firstLog).lines("rx"), poll); }));

    simulator->stop();
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().empty(); }));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].title, Messages::ApplicationErrorTitle);
    const std::string lost = "COM1 (" + link + ") lost \u2013 waiting for it";
    EXPECT_TRUE(prompter.shown()[0].text.ends_with(link + "\n\n" + lost)) << prompter.shown()[0].text;
    EXPECT_EQ(control->linkStatus(), lost);

    // Polling stays chosen while the line is away: nothing is tried, nothing
    // is said again, and waiting costs nothing.
    const double before = cpuSeconds();
    runUntil([] { return false; }, 5s);
    EXPECT_LT(cpuSeconds() - before, 0.05);
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_TRUE(control->panel().statusPolling());

    const std::string secondLog = directory.file("second.log");
    ASSERT_NO_FATAL_FAILURE(startSimulator(secondLog));
    ASSERT_TRUE(runUntil([&] { return control->linkStatus() == "COM1 (" + link + ") reconnected"; }));
    ASSERT_TRUE(runUntil([&] { return hasFrame(SimTrafficLog(secondLog).lines("rx"), poll); }));
    ASSERT_TRUE(runUntil([&] { return !SimTrafficLog(secondLog).lines("tx").empty(); }));
    EXPECT_EQ(prompter.shown().size(), 1u);
}

} // namespace
} // namespace tarn::e2e
