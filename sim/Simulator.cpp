#include "sim/Simulator.h"

namespace tarn::sim {

Simulator::Simulator(const Settings& settings, TrafficLog log)
    : m_camera(settings.identity)
    , m_parser(m_camera.state().addressDigits(), settings.lengthHeaders)
    , m_faults(settings.faults)
    , m_log(std::move(log))
{
    m_camera.state().stxReplies = settings.stxReplies;
    m_camera.state().ntcip = settings.ntcip;
}

void Simulator::receive(std::span<const std::uint8_t> bytes, TimePoint now)
{
    for (const ReceivedFrame& frame : m_parser.feed(bytes)) {
        const Camera::Response response = m_camera.respond(frame, now);
        m_log.received(now, frame.raw, response.note);
        if (response.answer)
            m_schedule.add(now, m_faults.shape(*response.answer));
    }
}

std::vector<Bytes> Simulator::takeDue(TimePoint now)
{
    std::vector<Bytes> writes;
    for (OutputSchedule::Due& due : m_schedule.takeDue(now)) {
        if (!due.write.logged.empty())
            m_log.sent(now, due.write.logged, due.write.note);
        writes.push_back(std::move(due.write.bytes));
    }
    return writes;
}

void Simulator::lineReset()
{
    m_parser.reset();
    m_schedule.clear();
}

} // namespace tarn::sim
