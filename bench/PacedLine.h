#pragma once

#include "CamSimProcess.h"
#include "ConsoleUnderTest.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn::bench {

// The console's core with its serial port on a tarn-camsim pty, the
// simulator taking each byte's time at the rate the console set and logging
// on the monotonic clock, so its time stamps stand beside ours.
class PacedLine {
public:
    explicit PacedLine(int baud);

    bool ready() const { return m_ready; }
    e2e::ConsoleUnderTest& console() { return *m_console; }
    const e2e::SimTrafficLog& log() const { return m_log; }

    // Runs the console's main thread for `span`, whatever happens.
    void idle(std::chrono::milliseconds span);
    // The first frame the simulator read at or after `since` (seconds of the
    // monotonic clock).
    std::optional<e2e::SimTrafficLog::Line> firstFrameSince(double since) const;

    // Seconds of the monotonic clock, as the simulator's log has them.
    static double monotonicNow();

private:
    e2e::TempDirectory m_directory;
    e2e::SimTrafficLog m_log{m_directory.file("camsim.log")};
    // The console goes first, so its port is closed before the simulator stops.
    std::unique_ptr<e2e::CamSimProcess> m_simulator;
    std::unique_ptr<e2e::ConsoleUnderTest> m_console;
    bool m_ready = false;
};

} // namespace tarn::bench
