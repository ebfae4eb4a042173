#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarn {
namespace {

CommandLine parse(std::vector<std::string_view> args)
{
    return CommandLine::parse(args);
}

TEST(CommandLine, portDeviceInBothForms)
{
    EXPECT_EQ(parse({"--port-device", "/dev/pts/7"}).portDevice, "/dev/pts/7");
    EXPECT_EQ(parse({"--port-device=/tmp/cam"}).portDevice, "/tmp/cam");
    EXPECT_FALSE(parse({}).portDevice);
}

TEST(CommandLine, mistakesAreReportedNotGuessed)
{
    struct Row {
        std::vector<std::string_view> args;
        const char* error;
    };
    const Row rows[] = {
        {{"--port-device"}, "tarn-console: --port-device needs a value"},
        {{"--port-device="}, "tarn-console: --port-device needs a value"},
        {{"--port"}, "tarn-console: unknown option --port"},
        {{"/dev/ttyUSB0"}, "tarn-console: unknown option /dev/ttyUSB0"},
        {{"--trace"}, "tarn-console: --trace needs a value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error);
        const auto line = parse(row.args);
        EXPECT_EQ(line.error, row.error);
        EXPECT_FALSE(line.portDevice);
    }
}

TEST(CommandLine, openDialogIsAPathOfButtons)
{
    EXPECT_EQ(parse({"--open-dialog", "Camera Setup/Lens Maintenance"}).openDialog,
              (std::vector<std::string>{"Camera Setup", "Lens Maintenance"}));
    EXPECT_EQ(parse({"--open-dialog", "/DSP Status//"}).openDialog, std::vector<std::string>{"DSP Status"});
    EXPECT_EQ(parse({"--open-dialog"}).error, "tarn-console: --open-dialog needs a value");
}

TEST(CommandLine, traceNamesItsFile)
{
    EXPECT_EQ(parse({"--trace", "site.tcap", "--port-device", "/dev/pts/7"}).trace, "site.tcap");
    EXPECT_FALSE(parse({}).trace);
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

TEST(CommandLine, sweepForScripts)
{
    const auto line = parse({"--sweep", "--port-device", "/dev/ttyUSB0", "--bauds", "9600,19200,9600", "--protocols",
                             "1,2", "--addresses", "5-40", "--site-out", "site.ini"});
    ASSERT_EQ(line.error, "");
    ASSERT_TRUE(line.sweep);
    EXPECT_EQ(line.sweep->baudIndexes, (std::vector<int>{0, 6})); // indexes of the baud list, once each
    EXPECT_EQ(line.sweep->protocolIndexes, (std::vector<int>{1, 2}));
    EXPECT_EQ(line.sweep->firstAddress, 5);
    EXPECT_EQ(line.sweep->lastAddress, 40);
    EXPECT_EQ(line.sweep->siteOut, "site.ini");

    const auto defaults = parse({"--connect", "10.0.0.9:4001", "--sweep"});
    ASSERT_TRUE(defaults.sweep);
    EXPECT_TRUE(defaults.sweep->baudIndexes.empty());
    EXPECT_EQ(defaults.sweep->firstAddress, 1);
    EXPECT_EQ(defaults.sweep->lastAddress, 254);
    EXPECT_EQ(parse({"--sweep", "--port-device", "/dev/x", "--addresses", "7"}).sweep->lastAddress, 7);
    EXPECT_FALSE(parse({"--port-device", "/dev/x"}).sweep);
}

TEST(CommandLine, sweepMistakesNameTheValue)
{
    struct Row {
        std::vector<std::string_view> args;
        const char* error;
    };
    const Row rows[] = {
        {{"--sweep"}, "tarn-console: --sweep needs --port-device PATH or --connect HOST:PORT"},
        {{"--port-device", "/dev/x", "--bauds", "9600"},
         "tarn-console: --bauds, --protocols, --addresses and --site-out go with --sweep"},
        {{"--sweep", "--port-device", "/dev/x", "--bauds", "9600,1234"},
         "tarn-console: --bauds: 1234 is not one of 300, 600, 1200, 2400, 4800, 9600, 19200"},
        {{"--sweep", "--port-device", "/dev/x", "--bauds", "9600,"},
         "tarn-console: --bauds:  is not one of 300, 600, 1200, 2400, 4800, 9600, 19200"},
        {{"--sweep", "--port-device", "/dev/x", "--protocols", "11"},
         "tarn-console: --protocols: 11 is not a protocol from 0 to 10"},
        {{"--sweep", "--port-device", "/dev/x", "--protocols", "-1"},
         "tarn-console: --protocols: -1 is not a protocol from 0 to 10"},
        {{"--sweep", "--port-device", "/dev/x", "--addresses", "40-5"},
         "tarn-console: --addresses: 40-5 is not a range such as 1-254 (addresses 1 to 9999)"},
        {{"--sweep", "--port-device", "/dev/x", "--addresses", "0-5"},
         "tarn-console: --addresses: 0-5 is not a range such as 1-254 (addresses 1 to 9999)"},
        {{"--sweep", "--port-device", "/dev/x", "--addresses", "1-"},
         "tarn-console: --addresses: 1- is not a range such as 1-254 (addresses 1 to 9999)"},
        {{"--sweep", "--port-device", "/dev/x", "--site-out"}, "tarn-console: --site-out needs a value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error);
        const auto line = parse(row.args);
        EXPECT_EQ(line.error, row.error);
        EXPECT_FALSE(line.sweep);
    }
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

TEST(CommandLine, help)
{
    EXPECT_TRUE(parse({"--help"}).showHelp);
    EXPECT_TRUE(parse({"-h"}).showHelp);
}

} // namespace
} // namespace tarn
