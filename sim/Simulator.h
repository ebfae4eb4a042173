#pragma once

#include "sim/Bytes.h"
#include "sim/Camera.h"
#include "sim/FaultLayer.h"
#include "sim/FrameParser.h"
#include "sim/OutputSchedule.h"
#include "sim/ReplayBook.h"
#include "sim/SimClock.h"
#include "sim/TrafficLog.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn::sim {

// The camera at the end of one line: frames in, timed answers out. The
// servers feed it what they read and write what it hands back when due;
// tests drive it the same way with instants of their own.
class Simulator {
public:
    struct Settings {
        CameraState::Identity identity;
        bool stxReplies = false;
        bool ntcip = false;
        // The line is a port server that may put 00 00 LH LL before frames.
        bool lengthHeaders = false;
        Faults faults;
        // Where the dome keeps what it was programmed with; none when empty.
        std::string memoryPath;
    };

    explicit Simulator(const Settings& settings, TrafficLog log = {});

    void receive(std::span<const std::uint8_t> bytes, TimePoint now);
    std::optional<TimePoint> nextDue() const { return m_schedule.nextDue(); }
    // The writes due by `now`, each logged as it is handed out.
    std::vector<Bytes> takeDue(TimePoint now);
    // A new connection: half a frame and unsent answers belong to the old one.
    void lineReset();
    // From now on every command is answered from `book` instead of by the camera.
    void replay(ReplayBook book);

    Camera& camera() { return m_camera; }
    CameraState& state() { return m_camera.state(); }
    FaultLayer& faults() { return m_faults; }

private:
    void keepMemory();

    Camera m_camera;
    FrameParser m_parser;
    FaultLayer m_faults;
    OutputSchedule m_schedule;
    TrafficLog m_log;
    std::optional<ReplayBook> m_replay;
    bool m_lengthHeaders = false;
    std::string m_memoryPath;
    std::string m_memory;
};

} // namespace tarn::sim
