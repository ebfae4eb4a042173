// The console core against tarn-camsim serving as a port server on TCP
// loopback, with and without the length header.

#include "SimulatorLine.h"

#include "core/Messages.h"

namespace tarn::e2e {
namespace {

struct PortServer {
    const char* name;
    bool lengthHeader;
    std::vector<std::string> faults;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const PortServer& value, std::ostream* out)
{
    *out << value.name;
}

const PortServer PortServers[] = {
    {"Plain", false, {}},
    {"LengthHeader", true, {}},
    {"LengthHeaderSplitAndGarbage", true, {"split", "garbage"}},
};

class PortServerLine : public SimulatorLine, public ::testing::WithParamInterface<PortServer> {
protected:
    void start()
    {
        std::vector<std::string> options{"--address", "7"};
        if (GetParam().lengthHeader)
            options.push_back("--length-header");
        for (const std::string& fault : GetParam().faults)
            options.insert(options.end(), {"--fault", fault});
        // The console sends the header only to port 1234.
        ASSERT_NO_FATAL_FAILURE(startOnTcp(options, GetParam().lengthHeader));
    }

    void probe()
    {
        const std::size_t before = console->events().connections.size();
        console->state().broadcastNext = true;
        console->link().SendCommand("A?");
        ASSERT_TRUE(console->runUntil(
            [&] { return console->events().connections.size() == before + 1; }));
        EXPECT_EQ(console->events().connections.back(), 7);
    }
};

TEST_P(PortServerLine, ProbeCommandsAndCameraFrames)
{
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(probe());
    console->link().enqueue("LL");
    console->link().enqueue("L?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().statusReplies.size() == 1; }));
    // Camera frames never carry the header, also on port 1234.
    console->link().SendCameraCommand("PS");
    ASSERT_TRUE(console->runUntil([&] { return console->events().positions.size() == 1; }));
    EXPECT_EQ(console->responseTimeouts(), 0);

    const Bytes header = {0x00, 0x00, 0x00, 0x05};
    Bytes probeOnTheLine = {0xF8, 0xFF, 0x41, 0x3F, 0x81};
    if (GetParam().lengthHeader)
        probeOnTheLine.insert(probeOnTheLine.begin(), header.begin(), header.end());
    const auto rx = received();
    ASSERT_EQ(rx.size(), 4u);
    EXPECT_EQ(rx[0], probeOnTheLine);
    EXPECT_EQ(rx[3], (Bytes{0xF8, 0x07, 0x63, 0x50, 0x53, 0x87}));
    EXPECT_EQ(sent().at(0), (Bytes{0xF8, 0x07, 0x41, 0x30, 0x30, 0x30, 0x37, 0x81}));
}

TEST_P(PortServerLine, NextConnectionIsServed)
{
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(probe());
    console->portServer().disconnect();
    ASSERT_TRUE(console->connectPortServer(simulator->where(), GetParam().lengthHeader));
    ASSERT_NO_FATAL_FAILURE(probe());
}

TEST_P(PortServerLine, SimulatorGoingAwayIsToldOnceAndDisconnectsTheLink)
{
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(probe());
    EXPECT_EQ(simulator->stop(), 0);
    ASSERT_TRUE(console->runUntil([&] { return !console->portServer().hasSocket(); }));
    EXPECT_TRUE(console->portServer().controls().connect) << "Connect is offered again";
    EXPECT_FALSE(console->state().networkConnected);
    console->runUntil([] { return false; }, std::chrono::milliseconds(200));
    ASSERT_EQ(console->prompter().shown().size(), 1u);
    EXPECT_EQ(console->prompter().shown()[0].title, Messages::NetworkErrorTitle);
    // What is typed afterwards is not shown as sent.
    console->link().SendCommand("L?");
    EXPECT_TRUE(console->link().monitor().transmitLine().ends_with(Messages::NotSentMark));
}

INSTANTIATE_TEST_SUITE_P(Tcp, PortServerLine, ::testing::ValuesIn(PortServers),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::e2e
