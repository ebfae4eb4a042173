// The picture settings of the day/night block: what the console's picture
// dialog sets must come back in the status reply and the register reads.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

// The value characters after `letter` in the day/night status (the first
// occurrence from position 1).
std::string statusField(const std::string& status, char letter, std::size_t width = 1)
{
    const auto at = status.find(letter, 1);
    return at == std::string::npos ? std::string() : status.substr(at + 1, width);
}

TEST(DspCommands, SettingsComeBackInTheStatus)
{
    struct Row {
        std::vector<std::string> commands;
        char letter;
        std::string value;
        std::size_t width = 1;
    };
    const Row rows[] = {
        {{"cM2"}, 'M', "2"},
        {{"cR1"}, 'R', "1"},
        {{"cS?"}, 'S', "?"},
        {{"cS@"}, 'S', "0"}, // no 17th shutter: unchanged
        {{"cW1"}, 'W', "1"},
        {{"cY1"}, 'Y', "1"},
        {{"cB1"}, 'B', "1"},
        {{"cD3", "cE1"}, 'D', "0"}, // stabilisation ends the digital zoom
        {{"cE1"}, 'E', "1"},
        {{"cEF1"}, 'F', "1"},
        {{"cG8"}, 'G', "8"},   // 40 dB
        {{"cG="}, 'G', "8"},   // 45 dB is held at 40
        {{"ck3"}, 'k', "3"},
        {{"cw1"}, 'w', "1"},
        {{"cn0"}, 'p', "0"},
        {{"cA1", "cAH\x1C", "cAV\x2F"}, 'a', "1\x1C\x2F", 3},
        {{"cZm\x23"}, 'z', "\x23"},
        {{"cZm\x01"}, 'V', "0000", 4},
        {{"cV2760"}, 'z', "\x23"},
        {{"cV13b0"}, 'V', "13B0", 4},
        {{"cM1", "cmd"}, 'M', "0"},
    };
    for (const Row& row : rows) {
        SimDriver camera;
        std::string trace;
        for (const std::string& command : row.commands) {
            trace += command + ' ';
            EXPECT_EQ(camera.ask(command), (Bytes{0x06})) << command;
        }
        SCOPED_TRACE(trace);
        EXPECT_EQ(statusField(camera.askText("cDS"), row.letter, row.width), row.value);
    }
}

TEST(DspCommands, RegistersAnswerReadsAndTakeWrites)
{
    Simulator::Settings dogwood;
    dogwood.identity.model = Model::DogwoodHD;
    SimDriver camera(dogwood);
    EXPECT_EQ(camera.askText(":RE1F700"), ":RE1F7F2");
    EXPECT_EQ(camera.askText(":RF8E000"), ":RF8E005");
    EXPECT_EQ(camera.ask(":WFF0E48"), (Bytes{0x06}));
    EXPECT_EQ(camera.askText(":RFF0E00"), ":RFF0E48");
    EXPECT_EQ(camera.ask(":WFCBBzz"), (Bytes{0x06})) << "a garbled value is not taken";
    EXPECT_EQ(camera.askText(":RFCBB00"), ":RFCBBFE");
    EXPECT_EQ(camera.askText(":R123400"), ":R123400");
    // The auto-focus type command of the other models lands in the same register.
    camera.ask(":cF2");
    EXPECT_EQ(camera.askText(":RF8E000"), ":RF8E003");
    camera.ask("cF1");
    EXPECT_EQ(camera.askText(":RF8E000"), ":RF8E001");
    EXPECT_EQ(camera.askText("cVS"), "cV0000");
}

} // namespace
} // namespace tarn::sim::test
