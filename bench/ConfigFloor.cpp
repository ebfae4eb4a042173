// The floor of a full configuration snapshot and of a full write: the same
// jobs on the virtual clock, against the simulator's camera in this process,
// with every byte taking its wire time at the line's rate (10 bits a byte)
// and no time at all for anything else. What remains is the wire and the
// pauses the dialogs keep. scripts/benchmark.sh divides the real runs by it.
//
//   tarn_config_floor [BAUD]   prints "snapshot S" and "write S" in seconds

#include "config/ConfigJob.h"
#include "link/ByteTransport.h"
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "sim/Camera.h"
#include "sim/FrameParser.h"
#include "support/DoorOverLink.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>

namespace tarn {
namespace {

// The line and the simulated dome at its end: a frame goes out in its wire
// time, the camera answers at once, and the answer comes back in its own.
class WireLine final : public ByteTransport, public TimerClient {
public:
    WireLine(VirtualClock& clock, int baud, sim::CameraState::Identity identity)
        : m_clock(clock)
        , m_microsPerByte(10'000'000 / baud)
        , m_camera(identity)
    {
    }

    void setLink(CameraLink& link) { m_link = &link; }
    std::int64_t nowMs() const { return m_nowMs; }
    void advance()
    {
        ++m_nowMs;
        m_clock.advance(1);
        deliverDue();
    }

    void write(std::span<const std::uint8_t> bytes) override
    {
        m_lineFreeMicros = std::max(m_lineFreeMicros, m_nowMs * 1000) + wireMicros(bytes.size());
        for (const sim::ReceivedFrame& frame : m_parser.feed(bytes)) {
            const sim::Camera::Response response = m_camera.respond(frame, sim::TimePoint{});
            if (!response.answer)
                continue;
            m_lineFreeMicros += wireMicros(response.answer->bytes.size());
            m_due.push_back({m_lineFreeMicros, response.answer->bytes});
        }
    }
    void timerFired(int) override {}

private:
    std::int64_t wireMicros(std::size_t bytes) const { return static_cast<std::int64_t>(bytes) * m_microsPerByte; }
    void deliverDue()
    {
        while (!m_due.empty() && m_due.front().first <= m_nowMs * 1000) {
            const sim::Bytes bytes = std::move(m_due.front().second);
            m_due.pop_front();
            for (const std::uint8_t byte : bytes)
                m_link->serialByteReceived(byte, 1);
        }
    }

    VirtualClock& m_clock;
    std::int64_t m_microsPerByte;
    sim::FrameParser m_parser{4, false};
    sim::Camera m_camera;
    CameraLink* m_link = nullptr;
    std::int64_t m_nowMs = 0;
    std::int64_t m_lineFreeMicros = 0;
    std::deque<std::pair<std::int64_t, sim::Bytes>> m_due;
};

// The console's link on the virtual clock, and the main window's door over it.
struct FloorConsole final : LinkEvents {
    VirtualClock clock;
    ScriptedPrompter answers;
    MemoryProfileStore profile;
    CameraLink cameraLink{clock, answers, profile, *this};
    test::DoorOverLink door{cameraLink, answers, clock};
};

} // namespace
} // namespace tarn

int main(int argc, char** argv)
{
    using namespace tarn;
    const int baud = argc > 1 ? std::atoi(argv[1]) : 9600;
    const std::filesystem::path domeFile = std::filesystem::temp_directory_path() / "tarn-config-floor-Dome.dat";

    // Reads dome A, then writes what it read into dome B and reads B back.
    ConfigSnapshot read;
    double seconds[2] = {};
    for (int pass = 0; pass < 2; ++pass) {
        FloorConsole console;
        console.cameraLink.state().linkMode = 0;
        console.cameraLink.state().busy = false;
        console.cameraLink.state().address = pass == 0 ? 5 : 9;
        console.cameraLink.state().cameraType = 0; // AlderHD, day/night
        console.cameraLink.state().moduleType = 1;
        console.cameraLink.queue().queueReady = console.cameraLink.queue().dataReplyDone = true;
        sim::CameraState::Identity identity;
        identity.address = console.cameraLink.state().address;
        WireLine line(console.clock, baud, identity);
        line.setLink(console.cameraLink);
        console.cameraLink.setSerialTransport(&line);
        console.answers.scriptAnswer(true);
        SnapshotHeader header;
        header.address = console.cameraLink.state().address;
        header.receiverType = 0;
        header.moduleType = 1;
        ConfigJob job(SnapshotContext{console.door, 0, 1, 1, domeFile.string(), {}}, header);
        if (pass == 0) {
            job.read();
        } else {
            std::vector<std::string> chosen;
            for (const ConfigJob::Choice& choice : job.choicesFor(read))
                if (choice.ticked)
                    chosen.push_back(choice.section);
            job.write(read, chosen);
        }
        while (job.running() && line.nowMs() < 30 * 60 * 1000)
            line.advance();
        if (pass == 0)
            read = job.snapshot();
        // A floor of questions nobody answered would be no floor.
        if (console.cameraLink.tally().silences != 0) {
            std::fprintf(stderr, "tarn_config_floor: the simulated camera left questions unanswered\n");
            return 1;
        }
        seconds[pass] = static_cast<double>(line.nowMs()) / 1000.0;
    }
    std::filesystem::remove(domeFile);
    std::printf("snapshot %.3f\nwrite %.3f\n", seconds[0], seconds[1]);
    return 0;
}
