// Every fault the simulator can put on the line leaves the console running
// and its queue moving.

#include "SimulatorLine.h"

#include "core/Messages.h"

#include <algorithm>

namespace tarn::e2e {
namespace {

const Bytes StatusReply = {0xF8, 0x01, 0x4C, 0x46, 0x41, 0x30, 0x8A};

struct FaultCase {
    const char* name;
    std::vector<std::string> faults;
    bool repliesArrive; // and are believed
    // Response time-outs expected for the five commands; -1: some, but how
    // many depends on where the late answers fall.
    int timeouts;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const FaultCase& value, std::ostream* out)
{
    *out << value.name;
}

const FaultCase FaultCases[] = {
    {"NoFault", {}, true, 0},
    {"Silent", {"silent"}, false, 5},
    {"Late", {"late=150"}, true, -1},
    {"DropAck", {"drop-ack"}, true, 2},
    {"Split", {"split"}, true, 0},
    {"Garbage", {"garbage"}, true, 0},
    // Replies that fail their checksum are no answer: the three requests time out.
    {"BadChecksum", {"bad-checksum"}, false, 3},
};

class FaultLine : public SimulatorLine, public ::testing::WithParamInterface<FaultCase> {};

// The probe, two commands that are only acknowledged and two requests.
TEST_P(FaultLine, QueueMovesOn)
{
    std::vector<std::string> options;
    for (const std::string& fault : GetParam().faults)
        options.insert(options.end(), {"--fault", fault});
    ASSERT_NO_FATAL_FAILURE(startOnPty(options));

    test::RecordingEvents& events = console->events();
    console->state().broadcastNext = true; // the first command out is the probe
    for (const char* command : {"A?", "LL", "L?", "ZS", "cPS"})
        console->link().enqueue(command);

    const auto allReplies = [&] {
        return events.connections.size() == 1 && events.statusReplies.size() == 1
               && events.positions.size() == 1;
    };
    ASSERT_TRUE(console->runUntil([&] {
        return console->settled()
               && (GetParam().repliesArrive ? allReplies() : console->responseTimeouts() == GetParam().timeouts);
    }));

    if (GetParam().timeouts >= 0)
        EXPECT_EQ(console->responseTimeouts(), GetParam().timeouts);
    else
        EXPECT_GT(console->responseTimeouts(), 0);
    EXPECT_TRUE(console->prompter().shown().empty());
    const auto fiveReceived = [](const std::vector<SimTrafficLog::Line>& lines) {
        const auto isReceived = [](const SimTrafficLog::Line& line) { return line.direction == "rx"; };
        return std::count_if(lines.begin(), lines.end(), isReceived) == 5;
    };
    ASSERT_TRUE(log.waitFor(fiveReceived)) << "every command reached the camera";

    if (!GetParam().repliesArrive) {
        EXPECT_TRUE(events.connections.empty());
        EXPECT_TRUE(events.statusReplies.empty());
        EXPECT_TRUE(events.positions.empty());
        if (GetParam().name == std::string("BadChecksum"))
            EXPECT_TRUE(console->link().monitor().receiveLine().ends_with(Messages::BadChecksumMark));
        else
            EXPECT_TRUE(sent().empty());
        return;
    }
    EXPECT_EQ(events.connections[0], 1);
    EXPECT_EQ(events.positions[0], (std::pair<int, int>{0, 0}));
    EXPECT_EQ(events.statusReplies[0], StatusReply) << "the frame arrived whole";
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultLine, ::testing::ValuesIn(FaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::e2e
