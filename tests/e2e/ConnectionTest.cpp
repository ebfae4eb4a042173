// The whole console logic (main window, connection sequence, port-server
// link) finding tarn-camsim at start, as a technician's laptop would.

#include "CamSimProcess.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"
#include "WallClockPlatform.h"

#include "core/Settings.h"
#include "control/MainControl.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class Connection : public ::testing::Test, protected WallClockPlatform {
protected:
    TempDirectory directory;
    SimTrafficLog log{directory.file("camsim.log")};
    std::unique_ptr<CamSimProcess> simulator;
    std::unique_ptr<MainControl> console;
    std::vector<int> addresses;

    ~Connection() override
    {
        console.reset();
        if (simulator)
            simulator->stop();
    }

    void startSimulator(std::vector<std::string> options)
    {
        options.insert(options.end(), {"--log", directory.file("camsim.log")});
        simulator = std::make_unique<CamSimProcess>(options);
        ASSERT_TRUE(simulator->started());
    }

    // The console as it starts: settings, the window's initialisation, the search.
    void startConsole(Settings settings)
    {
        const std::string device = simulator->where();
        console = std::make_unique<MainControl>(platform, settings, [device](int) { return device; });
        console->setAddressChanged([this](int address) { addresses.push_back(address); });
        console->initialise();
    }

    // Whether the camera got these bytes; the console keeps running meanwhile.
    bool received(const Bytes& bytes)
    {
        return runUntil([&] {
            for (const auto& line : log.lines("rx"))
                if (line.bytes == bytes)
                    return true;
            return false;
        }, 3s);
    }
};

Settings cameraType(int rxType)
{
    Settings settings;
    settings.rxType = rxType;
    settings.camType = 1;
    return settings;
}

TEST_F(Connection, findsTheCameraOverAPtyWithTheFirstProbe)
{
    ASSERT_NO_FATAL_FAILURE(startSimulator({"--pty", "--address", "37"}));
    startConsole(cameraType(0));
    ASSERT_TRUE(runUntil([&] { return !addresses.empty(); }, 2s));
    EXPECT_EQ(addresses, std::vector<int>{37});
    // The status poll follows, addressed to the camera just found.
    EXPECT_TRUE(received({0xF8, 0x25, 'L', '?', 0x80 | ((0x25 ^ 'L' ^ '?') & 0x0F)}));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(Connection, takesOverAnAlderSdInNtcipModeAndGivesItBackAtExit)
{
    ASSERT_NO_FATAL_FAILURE(startSimulator({"--pty", "--address", "300", "--model", "AlderSD", "--ntcip"}));
    startConsole(cameraType(1));
    ASSERT_TRUE(runUntil([&] { return !addresses.empty(); }, 3s));
    EXPECT_EQ(addresses, std::vector<int>{300});
    EXPECT_EQ(console->connection().ntcipState(), 1);
    EXPECT_TRUE(received({0x7E, 0x01, 0x01, 0x2C, 0x44, 0x7E}));
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 0);

    const int waitMs = console->exit();
    EXPECT_EQ(waitMs, 1000);
    EXPECT_TRUE(received({0xF8, 0xFE, '0', '3', '0', '0', 'm', 'N', 'e',
                          static_cast<std::uint8_t>(0x80 | ((0xFE ^ '0' ^ '3' ^ '0' ^ '0' ^ 'm' ^ 'N' ^ 'e') & 0x0F))}));
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 1);
}

TEST_F(Connection, findsTheCameraThroughAPortServer)
{
    ASSERT_NO_FATAL_FAILURE(startSimulator({"--tcp", "127.0.0.1:0", "--address", "12"}));
    Settings settings = cameraType(3);
    settings.commPort = 1;
    // No serial device in network mode: the port is simply not there.
    startConsole(settings);
    prompter.clear();
    const std::string where = simulator->where();
    console->portServer().connect({127, 0, 0, 1}, where.substr(where.rfind(':') + 1));
    ASSERT_TRUE(runUntil([&] { return !addresses.empty(); }, 4s));
    EXPECT_EQ(addresses.back(), 12);
    EXPECT_TRUE(console->portServer().controls().disconnect);
    EXPECT_TRUE(prompter.shown().empty());
}

} // namespace
} // namespace tarn::e2e
