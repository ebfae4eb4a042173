// The command line of tarn-camsim.

#include "sim/Options.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarn::sim {
namespace {

struct CommandLine {
    const char* name;
    std::vector<std::string> arguments;
    bool accepted;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const CommandLine& value, std::ostream* out)
{
    *out << value.name;
}

const CommandLine CommandLines[] = {
    {"PtyAlone", {"--pty"}, true},
    {"TcpWithHeader", {"--tcp", "127.0.0.1:0", "--length-header"}, true},
    {"EqualsForm", {"--pty", "--address=12", "--model=Cedar"}, true},
    {"EverythingOnce",
     {"--pty", "--link", "/tmp/x", "--address", "16384", "--protocol", "5", "--model", "DogwoodHD",
      "--module", "thermal", "--stx", "--ntcip", "--log", "/tmp/log", "--fault", "split", "--fault",
      "late=150"},
     true},
    {"HelpAlone", {"--help"}, true},
    {"VersionAlone", {"--version"}, true},
    {"ValueOnVersion", {"--version=2"}, false},
    {"NoLine", {"--address", "3"}, false},
    {"LinkWithTcp", {"--tcp", "127.0.0.1:0", "--link", "/tmp/x"}, false},
    {"HeaderWithPty", {"--pty", "--length-header"}, false},
    {"TcpWithoutPort", {"--tcp", "127.0.0.1"}, false},
    {"TcpPortTooHigh", {"--tcp", "127.0.0.1:65536"}, false},
    {"AddressZero", {"--pty", "--address", "0"}, false},
    {"FiveDigitsWithoutProtocol5", {"--pty", "--address", "12345"}, false},
    {"ProtocolOutOfList", {"--pty", "--protocol", "11"}, false},
    {"UnknownModel", {"--pty", "--model", "Oak"}, false},
    {"UnknownModule", {"--pty", "--module", "infrared"}, false},
    {"ThermalSensor", {"--pty", "--module", "thermal", "--thermal-resolution", "320x256"}, true},
    {"UnknownThermalSensor", {"--pty", "--thermal-resolution", "320x240"}, false},
    {"UnknownFault", {"--pty", "--fault", "wobble"}, false},
    {"MissingValue", {"--pty", "--address"}, false},
    {"ValueOnAFlag", {"--pty=1"}, false},
    {"UnknownOption", {"--pty", "--colour"}, false},
    {"Domes", {"--pty", "--dome", "5:AlderHD:daynight", "--dome", "7:BirchSD:standard", "--dome=12::thermal:19200"}, true},
    {"BaudForTheOneDome", {"--pty", "--baud", "19200"}, true},
    {"BaudNoDomeTakes", {"--pty", "--baud", "38400"}, false},
    {"TcpBaud", {"--tcp", "127.0.0.1:0", "--tcp-baud", "38400"}, true},
    {"TcpBaudWithPty", {"--pty", "--tcp-baud", "9600"}, false},
    {"Pace", {"--pty", "--pace", "1042"}, true},
    {"PaceNegative", {"--pty", "--pace", "-1"}, false},
    {"PaceAtTheLineRate", {"--pty", "--pace", "line"}, true},
    {"PaceWord", {"--pty", "--pace", "fast"}, false},
    {"LogMonotonic", {"--pty", "--log-monotonic"}, true},
    {"LogMonotonicWithValue", {"--pty", "--log-monotonic=1"}, false},
    {"AddressWithDome", {"--pty", "--address", "3", "--dome", "5"}, false},
    {"ReplayWithDome", {"--pty", "--replay", "/tmp/capture.tcap", "--dome", "5"}, false},
    {"DomeFiveDigitsOnProtocol5", {"--pty", "--protocol", "5", "--dome", "12345"}, true},
};

class Arguments : public ::testing::TestWithParam<CommandLine> {};

TEST_P(Arguments, AcceptedOrRefusedWithAReason)
{
    std::string error;
    const auto options = parseOptions(GetParam().arguments, error);
    EXPECT_EQ(options.has_value(), GetParam().accepted) << error;
    EXPECT_EQ(error.empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Options, Arguments, ::testing::ValuesIn(CommandLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Options, ValuesReachTheSimulatorSettings)
{
    std::string error;
    const auto options = parseOptions({"--tcp", "localhost:4001", "--length-header", "--address", "300",
                                       "--model", "BirchSD", "--module", "standard", "--stx",
                                       "--fault", "drop-ack", "--fault", "garbage=3"},
                                      error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->line, Options::Line::Tcp);
    EXPECT_EQ(options->tcpHost, "localhost");
    EXPECT_EQ(options->tcpPort, 4001);
    const Simulator::Settings& sim = options->simulator;
    EXPECT_TRUE(sim.lengthHeaders);
    EXPECT_EQ(sim.identity.address, 300);
    EXPECT_EQ(sim.identity.model, Model::BirchSD);
    EXPECT_EQ(sim.identity.module, Module::Standard);
    EXPECT_TRUE(sim.stxReplies);
    EXPECT_FALSE(sim.ntcip);
    EXPECT_TRUE(sim.faults.dropAck);
    EXPECT_TRUE(sim.faults.garbage);
    EXPECT_EQ(sim.faults.garbageSeed, 3u);
}

struct BadDome {
    const char* name;
    std::vector<std::string> arguments;
    const char* error;
};

void PrintTo(const BadDome& value, std::ostream* out)
{
    *out << value.name;
}

const BadDome BadDomeValues[] = {
    {"NoAddress", {"--dome", ":AlderHD"}, "--dome :AlderHD: the address must be a number of 1 or more"},
    {"AddressZero", {"--dome", "0"}, "--dome 0: the address must be a number of 1 or more"},
    {"AddressNotANumber", {"--dome", "5x"}, "--dome 5x: the address must be a number of 1 or more"},
    {"UnknownModel", {"--dome", "5:Oak"},
     "--dome 5:Oak: the model must be AlderHD, AlderSD, BirchSD, BirchHD, Cedar or DogwoodHD"},
    {"UnknownModule", {"--dome", "5:AlderHD:infrared"},
     "--dome 5:AlderHD:infrared: the module must be standard, daynight or thermal"},
    {"RateNoDomeTakes", {"--dome", "5:AlderHD:daynight:38400"},
     "--dome 5:AlderHD:daynight:38400: the baud rate must be 300, 600, 1200, 2400, 4800, 9600 or 19200"},
    {"FifthField", {"--dome", "5:AlderHD:daynight:9600:x"},
     "--dome 5:AlderHD:daynight:9600:x: give ADDRESS[:MODEL[:MODULE[:BAUD]]], e.g. 12:AlderHD:thermal:19200"},
    {"TooManyDigits", {"--dome", "12345"}, "--dome 12345: the address has more digits than protocol 1 sends"},
    {"SameAddressTwice", {"--dome", "5", "--dome", "5:BirchSD::19200"},
     "--dome 5:BirchSD::19200: address 5 is given twice; one dome per address on a line"},
    {"MemoryFileForSeveral", {"--dome", "5", "--dome", "7", "--memory", "/nonexistent/memory"},
     "--memory /nonexistent/memory is not a folder: with several domes each keeps its own file in one"},
};

class BadDomes : public ::testing::TestWithParam<BadDome> {};

TEST_P(BadDomes, AreRefusedWithTheReason)
{
    std::vector<std::string> arguments{"--pty"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    std::string error;
    EXPECT_FALSE(parseOptions(arguments, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Options, BadDomes, ::testing::ValuesIn(BadDomeValues),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Options, DomeFieldsLeftOutComeFromTheOtherOptions)
{
    std::string error;
    const auto options = parseOptions({"--pty", "--dome", "5", "--dome", "7:BirchSD", "--dome", "12::thermal:19200",
                                       "--model", "Cedar", "--module", "standard", "--baud", "4800",
                                       "--protocol", "3"},
                                      error);
    ASSERT_TRUE(options) << error;
    const std::vector<DomeSettings>& domes = options->simulator.domes;
    ASSERT_EQ(domes.size(), 3u);
    const auto row = [](const DomeSettings& d) {
        return std::tuple(d.identity.address, d.identity.model, d.identity.module, d.baud, d.identity.protocol);
    };
    EXPECT_EQ(row(domes[0]), std::tuple(5, Model::Cedar, Module::Standard, 4800, 3));
    EXPECT_EQ(row(domes[1]), std::tuple(7, Model::BirchSD, Module::Standard, 4800, 3));
    EXPECT_EQ(row(domes[2]), std::tuple(12, Model::Cedar, Module::Thermal, 19200, 3));
}

TEST(Options, AMemoryFolderGivesEachDomeItsOwnFile)
{
    const tarn::test::TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    std::string error;
    const auto several =
        parseOptions({"--pty", "--dome", "5", "--dome", "7", "--memory", folder.path().string()}, error);
    ASSERT_TRUE(several) << error;
    EXPECT_EQ(several->simulator.domes[0].memoryPath, folder.file("dome-5.memory"));
    EXPECT_EQ(several->simulator.domes[1].memoryPath, folder.file("dome-7.memory"));

    const auto one = parseOptions({"--pty", "--address", "9", "--memory", folder.path().string()}, error);
    ASSERT_TRUE(one) << error;
    EXPECT_EQ(one->simulator.memoryPath, folder.file("dome-9.memory"));
    const auto file = parseOptions({"--pty", "--dome", "9", "--memory", folder.file("kept")}, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->simulator.domes[0].memoryPath, folder.file("kept")) << "one dome may keep a file";
}

} // namespace
} // namespace tarn::sim
