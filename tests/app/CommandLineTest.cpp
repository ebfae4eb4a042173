#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarn {
namespace {

// Reading the words is CommandLineParser's (CommandLineParserTest); here
// are the rules for the values.

TEST(CommandLine, valuesAreCheckedByTheirOption)
{
    struct Row {
        std::string_view name;
        std::string_view value;
        const char* error; // empty: taken
    };
    const Row rows[] = {
        {"port-device", "/dev/pts/7", ""},
        {"port-device", "", "tarn-console: --port-device needs a value"},
        {"trace", "", "tarn-console: --trace needs a value"},
        {"open-dialog", "/", ""},
        {"connect", "", "tarn-console: --connect needs an IPv4 address and a port, like 192.168.1.200:4001 (got )"},
        {"connect", "10.0.0.1:4001", ""},
        {"port", "/dev/ttyUSB0", "tarn-console: unknown option --port"},
        {"port", "", "tarn-console: unknown option --port"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::string(row.value));
        CommandLine line;
        EXPECT_EQ(line.take(row.name, row.value), *row.error == '\0');
        EXPECT_EQ(line.error, row.error);
    }
}

TEST(CommandLine, portServerAddressAndPort)
{
    struct Row {
        std::string_view text;
        std::optional<std::string> port; // none: refused
    };
    const Row rows[] = {
        {"192.168.1.20:4001", "4001"},
        {"localhost:7", "7"},
        {"017.0.0.0:0000000000000004", "4"}, // leading zeros name the same port
        {"10.0.0.1:0", std::nullopt},
        {"10.0.0.1:65536", std::nullopt},
        {"10.0.0.1:", std::nullopt},
        {"10.0.0:4001", std::nullopt},
        {"10.0.0.1.5:4001", std::nullopt},
        {"256.0.0.1:4001", std::nullopt},
        {"4001", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text));
        const auto server = CommandLine::parsePortServer(row.text);
        ASSERT_EQ(server.has_value(), row.port.has_value());
        if (server) {
            EXPECT_EQ(server->port, *row.port);
        }
    }
}

TEST(CommandLine, everyLinkOfASweepIsKeptInTheOrderGiven)
{
    CommandLine line;
    ASSERT_TRUE(line.take("connect", "10.0.0.5:4001,localhost:4002"));
    ASSERT_TRUE(line.take("port-device", "/dev/pts/7"));
    ASSERT_TRUE(line.take("connect", "10.0.0.6:04003"));
    ASSERT_TRUE(line.take("port-device", "/dev/ttyUSB1"));
    line.finish(true);
    ASSERT_TRUE(line.sweep);
    EXPECT_EQ(line.sweepLinks, (std::vector<CommandLine::SweepLink>{{"10.0.0.5:4001", true},
                                                                   {"127.0.0.1:4002", true},
                                                                   {"/dev/pts/7", false},
                                                                   {"10.0.0.6:4003", true},
                                                                   {"/dev/ttyUSB1", false}}));
    // The window takes the last of each, as before.
    EXPECT_EQ(line.portDevice, "/dev/ttyUSB1");
    ASSERT_TRUE(line.connect);
    EXPECT_EQ(line.connect->port, "4003");

    // One bad server in a list is quoted alone.
    CommandLine bad;
    EXPECT_FALSE(bad.take("connect", "10.0.0.5:4001,10.0.0.6"));
    EXPECT_EQ(bad.error, "tarn-console: --connect needs an IPv4 address and a port, like 192.168.1.200:4001 (got 10.0.0.6)");
    CommandLine trailing;
    EXPECT_FALSE(trailing.take("connect", "10.0.0.5:4001,"));
}

TEST(CommandLine, sweepReportLines)
{
    SweepFind find{"/dev/ttyUSB0", 6, 1, 37, "L\x05", "2.10", 3};
    EXPECT_EQ(SweepReport::foundLine(find),
              "found /dev/ttyUSB0 baud=19200 protocol=1 address=37 firmware=2.10 pan-tilt=3");
    find.firmware.clear();
    find.panTiltType = -1;
    EXPECT_EQ(SweepReport::foundLine(find), "found /dev/ttyUSB0 baud=19200 protocol=1 address=37");
    EXPECT_EQ(SweepReport::summaryLine(254, 25.64), "swept 254 questions in 25.6 s");
    EXPECT_EQ(SweepReport::summaryLine(0, 0.0), "swept 0 questions in 0.0 s");
}

} // namespace
} // namespace tarn
