#pragma once

#include "sim/Bytes.h"
#include "sim/Dome.h"
#include "sim/FaultLayer.h"
#include "sim/FrameParser.h"
#include "sim/OutputSchedule.h"
#include "sim/ReplayBook.h"
#include "sim/SimClock.h"
#include "sim/TrafficLog.h"

#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn::sim {

// The domes at the end of one line: frames in, timed answers out. The
// servers feed it what they read, with the rate the line is set to, and
// write what it hands back when due; tests drive it the same way with
// instants of their own.
class Simulator {
public:
    struct Settings {
        // The one dome, when `domes` is empty.
        CameraState::Identity identity;
        int baud = BaudRate::Default;
        // Where the one dome keeps what it was programmed with; none when empty.
        std::string memoryPath;
        // Several domes on the line, each with its own address, rate and memory.
        std::vector<DomeSettings> domes;

        bool stxReplies = false;
        bool ntcip = false;
        // The line is a port server that may put 00 00 LH LL before frames.
        bool lengthHeaders = false;
        Faults faults;
        // How long a byte takes on the line; 0 answers at once.
        std::chrono::microseconds pace{0};
        // Each byte takes as long as at the rate the console set on the line
        // (10 bits a byte), whatever `pace` says.
        bool paceAtLineRate = false;
    };

    explicit Simulator(const Settings& settings, TrafficLog log = {});

    void receive(std::span<const std::uint8_t> bytes, TimePoint now);
    std::optional<TimePoint> nextDue() const { return m_schedule.nextDue(); }
    // The writes due by `now`, each logged as it is handed out.
    std::vector<Bytes> takeDue(TimePoint now);
    // A new connection: half a frame and unsent answers belong to the old one.
    void lineReset();
    // From now on every command is answered from `book` instead of by the domes.
    void replay(ReplayBook book);

    // The rate the console's side of the line is set to: only the domes at
    // that rate hear it.
    void setLineBaud(int baud);
    int lineBaud() const { return m_lineBaud; }

    // The first dome, the only one unless several were given.
    Camera& camera() { return m_domes.front()->camera(); }
    CameraState& state() { return camera().state(); }
    std::size_t domeCount() const { return m_domes.size(); }
    Dome& dome(std::size_t index) { return *m_domes.at(index); }
    FaultLayer& faults() { return m_faults; }

private:
    void answer(const ReceivedFrame& frame, TimePoint now, TimePoint arrival);
    std::string silenceNote(const ReceivedFrame& frame, std::string_view addressedNote) const;

    std::vector<std::unique_ptr<Dome>> m_domes;
    FrameParser m_parser;
    FaultLayer m_faults;
    OutputSchedule m_schedule;
    TrafficLog m_log;
    std::optional<ReplayBook> m_replay;
    bool m_lengthHeaders = false;
    std::chrono::microseconds m_pace{0};
    bool m_paceAtLineRate = false;
    int m_lineBaud = BaudRate::Default;
};

} // namespace tarn::sim
