#include "PacedLine.h"

namespace tarn::bench {

PacedLine::PacedLine(int baud)
{
    m_simulator = std::make_unique<e2e::CamSimProcess>(std::vector<std::string>{
        "--pty", "--pace", "line", "--baud", std::to_string(baud), "--log", m_directory.file("camsim.log"),
        "--log-monotonic"});
    m_console = std::make_unique<e2e::ConsoleUnderTest>();
    m_ready = m_simulator->started() && m_simulator->firstLine().starts_with("pty: ")
              && m_console->openSerial(m_simulator->where(), baud);
}

void PacedLine::idle(std::chrono::milliseconds span)
{
    m_console->runUntil([] { return false; }, span);
}

std::optional<e2e::SimTrafficLog::Line> PacedLine::firstFrameSince(double since) const
{
    return e2e::SimTrafficLog::firstReceivedSince(m_log.lines(), since);
}

double PacedLine::monotonicNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace tarn::bench
