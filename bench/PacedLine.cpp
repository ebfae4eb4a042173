#include "PacedLine.h"

namespace tarn::bench {

PacedLine::PacedLine(int baud, std::vector<std::string> simulatorOptions)
{
    std::vector<std::string> options{"--pty", "--pace", "line", "--baud", std::to_string(baud),
                                     "--log", m_directory.file("camsim.log"), "--log-monotonic"};
    options.insert(options.end(), simulatorOptions.begin(), simulatorOptions.end());
    m_simulator = std::make_unique<e2e::CamSimProcess>(options);
    m_console = std::make_unique<e2e::ConsoleUnderTest>();
    m_ready = m_simulator->started() && m_simulator->firstLine().starts_with("pty: ")
              && m_console->openSerial(m_simulator->where(), baud);
}

void PacedLine::idle(std::chrono::milliseconds span)
{
    m_console->runUntil([] { return false; }, span);
}

std::optional<PacedLine::Arrival> PacedLine::firstFrameSince(double since) const
{
    for (const e2e::SimTrafficLog::Line& line : m_log.lines("rx"))
        if (line.seconds >= since)
            return Arrival{line.seconds, line.bytes.size()};
    return std::nullopt;
}

double PacedLine::monotonicNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace tarn::bench
