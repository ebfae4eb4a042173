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
        if (server)
            EXPECT_EQ(server->port, *row.port);
    }
}

TEST(CommandLine, help)
{
    EXPECT_TRUE(parse({"--help"}).showHelp);
    EXPECT_TRUE(parse({"-h"}).showHelp);
}

} // namespace
} // namespace tarn
