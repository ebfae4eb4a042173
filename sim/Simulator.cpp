#include "sim/Simulator.h"

#include "sim/CameraMemory.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace tarn::sim {

Simulator::Simulator(const Settings& settings, TrafficLog log)
    : m_camera(settings.identity)
    , m_parser(m_camera.state().addressDigits(), settings.lengthHeaders)
    , m_faults(settings.faults)
    , m_log(std::move(log))
    , m_lengthHeaders(settings.lengthHeaders)
    , m_memoryPath(settings.memoryPath)
{
    m_camera.state().stxReplies = settings.stxReplies;
    m_camera.state().ntcip = settings.ntcip;
    if (!m_memoryPath.empty()) {
        std::ifstream in(m_memoryPath);
        CameraMemory::restore(m_camera.state(), std::string(std::istreambuf_iterator<char>(in), {}));
        m_memory = CameraMemory::serialise(m_camera.state());
    }
}

void Simulator::keepMemory()
{
    if (m_memoryPath.empty())
        return;
    std::string memory = CameraMemory::serialise(m_camera.state());
    if (memory == m_memory)
        return;
    // A new file that takes the old one's place: never half written.
    const std::string temporary = m_memoryPath + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << memory;
        if (!out.flush())
            return;
    }
    if (std::rename(temporary.c_str(), m_memoryPath.c_str()) == 0)
        m_memory = std::move(memory);
}

void Simulator::receive(std::span<const std::uint8_t> bytes, TimePoint now)
{
    for (const ReceivedFrame& frame : m_parser.feed(bytes)) {
        if (m_replay) {
            // As the site's camera did, a spoilt frame included.
            ReplayBook::Response response = frame.intact ? m_replay->respond(frame)
                                                         : ReplayBook::Response{{}, "bad checksum"};
            m_log.received(now, frame.raw, response.note);
            if (!response.writes.empty())
                m_schedule.add(now, std::move(response.writes));
            continue;
        }
        const Camera::Response response = m_camera.respond(frame, now);
        m_log.received(now, frame.raw, response.note);
        if (response.answer)
            m_schedule.add(now, m_faults.shape(*response.answer));
    }
    keepMemory();
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

void Simulator::replay(ReplayBook book)
{
    m_parser = FrameParser(book.addressDigits(), m_lengthHeaders);
    m_replay = std::move(book);
}

void Simulator::lineReset()
{
    m_parser.reset();
    m_schedule.clear();
}

} // namespace tarn::sim
