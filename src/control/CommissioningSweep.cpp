#include "control/CommissioningSweep.h"

#include "control/SiteLink.h"
#include "core/Messages.h"
#include "link/Protocols.h"

#include <algorithm>

namespace tarn {

CommissioningSweep::CommissioningSweep(SweepLine& line, Timers& timers, SweepRequest request, int replyTimeoutMs)
    : m_line(line)
    , m_timers(timers)
    , m_request(std::move(request))
    , m_replyTimeoutMs(replyTimeoutMs)
{
}

CommissioningSweep::~CommissioningSweep()
{
    m_timers.stopAll(*this);
}

std::pair<int, int> CommissioningSweep::addressRange(const SweepRequest& request, int protocolIndex)
{
    int first = request.firstAddress;
    int last = request.lastAddress;
    if (const ProtocolInfo* info = protocolInfo(protocolIndex)) {
        first = std::max(first, info->entryMin);
        last = std::min(last, info->entryMax);
    }
    return {first, last};
}

int CommissioningSweep::baudCount(const SweepRequest& request, const std::string& link)
{
    // A port server's serial side runs at the rate set on the server: asking
    // again at another rate would ask the same line again.
    if (request.baudIndexes.empty())
        return 0;
    return SiteLink::parse(link).isPortServer() ? 1 : static_cast<int>(request.baudIndexes.size());
}

int CommissioningSweep::questionCount(const SweepRequest& request)
{
    int addresses = 0;
    for (const int protocol : request.protocolIndexes) {
        const auto [first, last] = addressRange(request, protocol);
        addresses += std::max(0, last - first + 1);
    }
    int count = 0;
    for (const std::string& link : request.links)
        count += addresses * baudCount(request, link);
    return count;
}

int CommissioningSweep::longestMs(const SweepRequest& request, int replyTimeoutMs)
{
    const auto servers = std::count_if(request.links.begin(), request.links.end(), [](const std::string& link) {
        return SiteLink::parse(link).isPortServer();
    });
    return questionCount(request) * replyTimeoutMs + static_cast<int>(servers) * ConnectTimeoutMs;
}

int CommissioningSweep::progressPercent() const
{
    if (m_total == 0)
        return m_running ? 0 : 100;
    return std::min(100, m_passed * 100 / m_total);
}

void CommissioningSweep::changed()
{
    if (m_changed)
        m_changed();
}

void CommissioningSweep::start()
{
    m_found.clear();
    m_problems.clear();
    m_failedLinks.assign(m_request.links.size(), false);
    m_asked = m_statusAsked = m_passed = 0;
    m_total = questionCount(m_request);
    m_cancelled = false;
    m_connecting = false;
    m_running = true;
    m_at = {};
    if (m_request.links.empty() || m_request.protocolIndexes.empty() || m_request.baudIndexes.empty()) {
        finish();
        return;
    }
    m_at.address = addressRange(m_request, m_request.protocolIndexes[0]).first;
    m_needsSelect = true;
    changed();
    step();
}

void CommissioningSweep::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    finish();
}

bool CommissioningSweep::alreadyFound(int address) const
{
    const std::string& link = m_request.links[m_at.link];
    const int protocol = m_request.protocolIndexes[m_at.protocol];
    return std::any_of(m_found.begin(), m_found.end(), [&](const SweepFind& find) {
        return find.link == link && find.protocolIndex == protocol && find.address == address;
    });
}

bool CommissioningSweep::nextCombination()
{
    if (++m_at.baud == static_cast<std::size_t>(baudCount(m_request, m_request.links[m_at.link]))) {
        m_at.baud = 0;
        if (++m_at.protocol == m_request.protocolIndexes.size()) {
            m_at.protocol = 0;
            if (++m_at.link == m_request.links.size())
                return false;
        }
    }
    m_at.address = addressRange(m_request, m_request.protocolIndexes[m_at.protocol]).first;
    return true;
}

void CommissioningSweep::linkFailed(std::string why)
{
    // Told once: the link's other rates and protocols are not tried again.
    m_failedLinks[m_at.link] = true;
    m_problems.push_back({m_request.links[m_at.link], std::move(why)});
    m_lineUsable = false;
}

void CommissioningSweep::step()
{
    for (;;) {
        if (m_needsSelect) {
            m_needsSelect = false;
            m_lineUsable = false;
            if (!m_failedLinks[m_at.link]) {
                LineSelection selection = m_line.selectLine(
                    m_request.links[m_at.link], m_request.baudIndexes[m_at.baud],
                    m_request.protocolIndexes[m_at.protocol]);
                if (!m_running)
                    return; // cancelled from inside the line
                switch (selection.state) {
                case LineSelection::State::Ready:
                    m_lineUsable = true;
                    break;
                case LineSelection::State::Unusable:
                    linkFailed(std::move(selection.why));
                    changed();
                    break;
                case LineSelection::State::Connecting:
                    m_connecting = true;
                    m_timers.start(*this, ConnectTimerId, ConnectTimeoutMs);
                    changed();
                    return;
                }
            }
        }
        const auto [first, last] = addressRange(m_request, m_request.protocolIndexes[m_at.protocol]);
        if (m_lineUsable && m_at.address <= last) {
            if (!alreadyFound(m_at.address)) {
                askCurrent();
                return;
            }
            ++m_passed;
            ++m_at.address;
            continue;
        }
        // The rest of this combination is not asked (a line that cannot be used).
        m_passed += std::max(0, last - std::max(first, m_at.address) + 1);
        if (!nextCombination()) {
            finish();
            return;
        }
        m_needsSelect = true;
    }
}

void CommissioningSweep::lineSelected(bool usable, std::string_view why)
{
    if (!m_running || !m_connecting)
        return;
    m_connecting = false;
    m_timers.stop(*this, ConnectTimerId);
    if (usable)
        m_lineUsable = true;
    else
        linkFailed(std::string(why));
    changed();
    if (m_running)
        step();
}

void CommissioningSweep::lineLost(std::string_view why)
{
    if (!m_running || m_connecting || !m_lineUsable)
        return;
    m_timers.stop(*this, TimerId);
    if (m_answering) {
        // It answered the status question: it is there, whatever else it
        // could not say.
        m_found.push_back(*m_answering);
        m_answering.reset();
    }
    linkFailed(std::string(why));
    changed();
    if (m_running)
        step();
}

void CommissioningSweep::askCurrent()
{
    m_step = Step::Status;
    m_answering.reset();
    ++m_statusAsked;
    ++m_asked;
    m_line.ask(m_at.address, StatusQuestion);
    m_timers.start(*this, TimerId, m_replyTimeoutMs);
}

void CommissioningSweep::nextQuestion()
{
    m_timers.stop(*this, TimerId);
    if (m_answering) {
        m_found.push_back(*m_answering);
        m_answering.reset();
    }
    ++m_passed;
    changed();
    if (!m_running)
        return;
    ++m_at.address;
    step();
}

void CommissioningSweep::replyReceived(int address, std::string_view text)
{
    if (!m_running || address != m_at.address || text.empty())
        return;
    switch (m_step) {
    case Step::Status:
        m_answering = SweepFind{m_request.links[m_at.link], m_request.baudIndexes[m_at.baud],
                                m_request.protocolIndexes[m_at.protocol], address, std::string(text), {}, -1};
        m_step = Step::Firmware;
        break;
    case Step::Firmware:
        if (text[0] != 'R')
            return; // not the answer to this question
        m_answering->firmware = text.substr(1);
        m_step = Step::PanTilt;
        break;
    case Step::PanTilt:
        if (text[0] != 's')
            return;
        if (text.size() > 1 && text[1] >= '0' && text[1] <= '9')
            m_answering->panTiltType = text[1] - '0';
        nextQuestion();
        return;
    }
    ++m_asked;
    m_line.ask(address, m_step == Step::Firmware ? FirmwareQuestion : PanTiltQuestion);
    m_timers.start(*this, TimerId, m_replyTimeoutMs);
}

void CommissioningSweep::timerFired(int id)
{
    if (id == ConnectTimerId) {
        m_timers.stop(*this, ConnectTimerId);
        lineSelected(false, Messages::format(Messages::SweepWhyNoConnection, ConnectTimeoutMs / 1000));
        return;
    }
    if (id != TimerId)
        return;
    // No answer in time: nobody at this address, or a dome that does not
    // tell this about itself.
    nextQuestion();
}

void CommissioningSweep::finish()
{
    m_timers.stop(*this, TimerId);
    m_timers.stop(*this, ConnectTimerId);
    m_connecting = false;
    const bool wasRunning = m_running;
    m_running = false;
    if (wasRunning)
        m_line.restore();
    changed();
}

} // namespace tarn
