#include "sim/Simulator.h"

#include "sim/Collision.h"

#include <algorithm>

namespace tarn::sim {

namespace {

std::vector<std::unique_ptr<Dome>> makeDomes(const Simulator::Settings& settings)
{
    std::vector<DomeSettings> domes = settings.domes;
    if (domes.empty())
        domes.push_back({settings.identity, settings.baud, settings.memoryPath});
    std::vector<std::unique_ptr<Dome>> made;
    for (const DomeSettings& dome : domes)
        made.push_back(std::make_unique<Dome>(dome, settings.stxReplies, settings.ntcip));
    return made;
}

} // namespace

Simulator::Simulator(const Settings& settings, TrafficLog log)
    : m_domes(makeDomes(settings))
    // The domes of one line share the protocol, so the digits of one do for all.
    , m_parser(m_domes.front()->camera().state().addressDigits(), settings.lengthHeaders)
    , m_faults(settings.faults)
    , m_log(std::move(log))
    , m_lengthHeaders(settings.lengthHeaders)
    , m_pace(settings.pace)
    , m_paceAtLineRate(settings.paceAtLineRate)
{
    setLineBaud(m_lineBaud);
    m_schedule.setPace(m_pace);
}

void Simulator::setLineBaud(int baud)
{
    m_lineBaud = baud;
    if (m_paceAtLineRate && baud > 0) {
        // A start bit, eight data bits and a stop bit.
        m_pace = std::chrono::microseconds(10'000'000 / baud);
        m_schedule.setPace(m_pace);
    }
}

void Simulator::receive(std::span<const std::uint8_t> bytes, TimePoint now)
{
    // The pty hands over a frame at once; on a real line the dome has it only
    // when its last byte has come, and can answer no sooner.
    TimePoint arrival = now;
    for (const ReceivedFrame& frame : m_parser.feed(bytes)) {
        arrival += m_pace * static_cast<int>(frame.raw.size());
        if (m_replay) {
            // As the site's camera did, a spoilt frame included.
            ReplayBook::Response response = frame.intact ? m_replay->respond(frame)
                                                         : ReplayBook::Response{{}, "bad checksum"};
            m_log.received(now, frame.raw, response.note);
            if (!response.writes.empty())
                m_schedule.add(arrival, std::move(response.writes));
            continue;
        }
        answer(frame, now, arrival);
    }
    for (const std::unique_ptr<Dome>& dome : m_domes)
        dome->keepMemory();
}

void Simulator::answer(const ReceivedFrame& frame, TimePoint now, TimePoint arrival)
{
    std::vector<Answer> answers;
    std::string_view addressedNote;
    for (const std::unique_ptr<Dome>& dome : m_domes) {
        // At another rate the frame is garbage to the dome.
        if (dome->baud() != m_lineBaud)
            continue;
        const Camera::Response response = dome->camera().respond(frame, now);
        if (response.answer)
            answers.push_back(*response.answer);
        else if (addressedNote.empty() && response.note != Camera::OtherCamera)
            addressedNote = response.note;
    }
    if (answers.empty()) {
        m_log.received(now, frame.raw, silenceNote(frame, addressedNote));
        return;
    }
    m_log.received(now, frame.raw, {});
    std::vector<TimedWrite> writes = m_faults.shape(Collision::merge(answers));
    if (answers.size() > 1 && !writes.empty()) {
        std::string& note = writes.front().note;
        note = "collision of " + std::to_string(answers.size()) + " answers" + (note.empty() ? "" : ", ") + note;
    }
    m_schedule.add(arrival, std::move(writes));
}

std::string Simulator::silenceNote(const ReceivedFrame& frame, std::string_view addressedNote) const
{
    if (!addressedNote.empty())
        return std::string(addressedNote);
    const auto atLineRate = [this](const std::unique_ptr<Dome>& dome) { return dome->baud() == m_lineBaud; };
    if (std::none_of(m_domes.begin(), m_domes.end(), atLineRate))
        return "no dome at " + std::to_string(m_lineBaud) + " baud";
    for (const std::unique_ptr<Dome>& dome : m_domes) {
        if (!atLineRate(dome) && dome->camera().addressedBy(frame))
            return "for a dome at " + std::to_string(dome->baud()) + " baud";
    }
    return std::string(Camera::OtherCamera);
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
