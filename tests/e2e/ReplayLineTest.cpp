// A site's conversation, saved by the console as a traffic capture, answers
// a fresh console through tarn-camsim --replay: the capture is written by
// the console and read by the simulator's own reader.

#include "SimulatorLine.h"

#include "link/TrafficCapture.h"
#include "platform/LocalFile.h"
#include "platform/MonotonicClock.h"

namespace tarn::e2e {
namespace {

class ReplayLine : public SimulatorLine {
protected:
    SteadyClock steady;
    TrafficRecord site{steady, SessionStart::now()};
    TrafficRecord desk{steady, SessionStart::now()};

    ~ReplayLine() override { console->link().setTrafficObserver(nullptr); }

    // Sends each command once the one before is answered or given up, and
    // returns what the record heard back: every reply frame and acknowledgement.
    std::vector<Bytes> converse(TrafficRecord& record)
    {
        console->link().setTrafficObserver(&record);
        console->state().address = 5;
        console->state().moduleType = 1;
        console->state().broadcastNext = true;
        console->link().enqueue("A?");
        for (const char* command : {"L?", "cDS", "ZI", "ZS", "cdS\x10", "bS"})
            console->link().enqueue(command);
        EXPECT_TRUE(console->runUntil([&] { return console->settled(); }, std::chrono::seconds(5)));
        std::vector<Bytes> heard;
        for (std::size_t i = 0; i < record.size(); ++i)
            if (record.at(i).direction == TrafficDirection::Received && !record.at(i).bytes.empty())
                heard.push_back(record.at(i).bytes);
        return heard;
    }
};

TEST_F(ReplayLine, AFreshConsoleIsAnsweredAsTheSiteAnsweredTheFirst)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--address", "5", "--module", "daynight"}));
    const std::vector<Bytes> siteAnswers = converse(site);
    ASSERT_EQ(siteAnswers.size(), 7u) << "every command was answered";
    const std::string capture = directory.file("site.tcap");
    ASSERT_EQ(LocalFile::writeAtomically(capture, TrafficCapture::whole(site)), std::nullopt);

    console = std::make_unique<ConsoleUnderTest>();
    simulator.reset();
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--replay", capture}));
    EXPECT_EQ(converse(desk), siteAnswers);
    EXPECT_EQ(console->responseTimeouts(), 0);
}

} // namespace
} // namespace tarn::e2e
