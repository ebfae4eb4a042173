#include "config/SnapshotPass.h"

#include "link/CameraLink.h"
#include "link/DialogDoor.h"
#include "platform/TimerIds.h"

#include <algorithm>

namespace tarn {

SnapshotPass::SnapshotPass(SnapshotContext& context, std::vector<std::unique_ptr<SnapshotPart>> parts,
                           std::optional<std::vector<std::string>> only)
    : m_context(context)
    , m_parts(std::move(parts))
    , m_chosen(only.value_or(std::vector<std::string>{}))
    , m_onlyChosen(only.has_value())
{
}

SnapshotPass::SnapshotPass(SnapshotContext& context, std::vector<std::unique_ptr<SnapshotPart>> parts,
                           const ConfigSnapshot& source, std::vector<std::string> chosen)
    : m_context(context)
    , m_parts(std::move(parts))
    , m_mode(Mode::Write)
    , m_source(source)
    , m_chosen(std::move(chosen))
{
}

SnapshotPass::~SnapshotPass()
{
    cancel();
}

void SnapshotPass::start()
{
    if (m_running)
        return;
    m_running = true;
    m_cancelled = false;
    m_rereading = false;
    m_cameraAnswered = false;
    m_current = 0;
    openNext();
}

void SnapshotPass::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_running = false;
    m_context.door.timers().stop(*this, TimerId::SnapshotStep);
    if (m_open) {
        m_open = false;
        if (m_mode == Mode::Read) {
            ConfigSection dropped;
            m_parts[m_current]->finishReading(dropped);
        } else {
            m_parts[m_current]->finishWriting();
        }
    }
    notify();
}

std::string_view SnapshotPass::sectionInProgress() const
{
    if (!m_running || m_current >= m_parts.size())
        return {};
    return m_parts[m_current]->name();
}

bool SnapshotPass::takes(const SnapshotPart& part) const
{
    if (!part.appliesTo(m_context))
        return false;
    const bool chosen = std::find(m_chosen.begin(), m_chosen.end(), part.name()) != m_chosen.end();
    if (m_mode == Mode::Read)
        return !m_onlyChosen || chosen;
    const ConfigSection* section = m_source.section(part.name());
    return section && section->state != SectionState::NotRead && !part.isLocal() && chosen;
}

void SnapshotPass::openNext()
{
    while (m_current < m_parts.size() && !takes(*m_parts[m_current]))
        ++m_current;
    if (m_current >= m_parts.size()) {
        m_running = false;
        m_context.door.timers().stop(*this, TimerId::SnapshotStep);
        notify();
        return;
    }
    SnapshotPart& part = *m_parts[m_current];
    const CameraLink::Tally& tally = m_context.door.link().tally();
    m_answersAtStart = tally.replies + tally.acknowledgements;
    m_silencesAtStart = tally.silences;
    m_quietTicks = 0;
    m_elapsedMs = 0;
    m_open = true;
    if (m_mode == Mode::Read)
        part.startReading(m_context);
    else
        part.startWriting(m_context, *m_source.section(part.name()));
    notify();
    m_context.door.timers().start(*this, TimerId::SnapshotStep, TickMs);
}

void SnapshotPass::closeCurrent()
{
    SnapshotPart& part = *m_parts[m_current];
    const CameraLink::Tally& tally = m_context.door.link().tally();
    const bool heard = tally.replies + tally.acknowledgements > m_answersAtStart;
    const bool silence = tally.silences > m_silencesAtStart;
    ConfigSection section{std::string(part.name()), SectionState::Read, {}};
    if (part.asksCamera())
        section.state = !heard ? SectionState::NotRead : silence ? SectionState::PartlyRead : SectionState::Read;
    m_open = false;
    const bool missed = section.state == SectionState::PartlyRead
        || (section.state == SectionState::NotRead && m_cameraAnswered);
    if (m_mode == Mode::Read && part.asksCamera() && missed && !m_rereading) {
        // The camera is there, but an answer came late or not at all: a busy
        // line loses one now and then, so the section is asked once more
        // before it is kept as partly or not read. A camera silent from the
        // start is not asked everything twice.
        ConfigSection dropped;
        part.finishReading(dropped);
        m_rereading = true;
        openNext();
        return;
    }
    m_rereading = false;
    // A section the camera left unanswered twice means the camera has gone:
    // the sections after it are not asked twice until it answers again.
    if (part.asksCamera())
        m_cameraAnswered = heard;
    if (m_mode == Mode::Read) {
        part.finishReading(section);
        // A camera that answered nothing reported nothing: no field of the
        // dialog's defaults stands in for it.
        if (section.state == SectionState::NotRead)
            section.fields.clear();
    } else {
        part.finishWriting();
    }
    m_result.sections.push_back(std::move(section));
    ++m_current;
    openNext();
}

bool SnapshotPass::lineQuiet() const
{
    CameraLink& link = m_context.door.link();
    const CommandQueue& queue = link.queue();
    // A dialog that sends at once, past its pump, leaves only the response
    // time-out running while it waits.
    return queue.empty() && queue.queueReady && queue.dataReplyDone
        && !link.timers().isRunning(link, TimerId::ResponseTimeout) && !m_parts[m_current]->busy();
}

void SnapshotPass::timerFired(int id)
{
    if (id != TimerId::SnapshotStep || !m_running || !m_open)
        return;
    m_elapsedMs += TickMs;
    if (m_elapsedMs >= LongestPartMs) {
        // A part that never stops asking is not given its whole time again.
        m_rereading = true;
        closeCurrent();
        return;
    }
    if (!lineQuiet()) {
        m_quietTicks = 0;
        return;
    }
    if (++m_quietTicks < QuietTicks)
        return;
    m_quietTicks = 0;
    if (!m_parts[m_current]->nextStep())
        closeCurrent();
}

void SnapshotPass::notify()
{
    if (m_changed)
        m_changed();
}

} // namespace tarn
