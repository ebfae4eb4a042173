// The command line of tarn-camsim.

#include "sim/Options.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tarn::sim
