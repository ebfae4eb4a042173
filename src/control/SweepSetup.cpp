#include "control/SweepSetup.h"

#include "control/SiteLink.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"

#include <algorithm>
#include <utility>

namespace tarn {
namespace {

// "COM1, /dev/ttyUSB1 COM3": commas and blanks both separate.
std::vector<std::string> splitLinks(std::string_view text)
{
    std::vector<std::string> links;
    std::string word;
    for (const char c : text) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!word.empty())
                links.push_back(std::exchange(word, {}));
        } else {
            word += c;
        }
    }
    if (!word.empty())
        links.push_back(word);
    return links;
}

std::string trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return std::string(text);
}

bool sameLink(const std::string& a, const std::string& b)
{
    const SiteLink first = SiteLink::parse(a);
    return first.kind != SiteLink::Kind::Invalid ? first == SiteLink::parse(b) : a == b;
}

} // namespace

SweepSetup::SweepSetup(Timers& timers, Prompter& prompter, LineOpener openLine, int replyTimeoutMs)
    : m_timers(timers)
    , m_prompter(prompter)
    , m_openLine(std::move(openLine))
    , m_replyTimeoutMs(replyTimeoutMs)
{
}

SweepSetup::~SweepSetup()
{
    m_changed = {};
    if (m_sweep)
        m_sweep->cancel();
    m_sweep.reset();
    m_line.reset();
}

void SweepSetup::changed()
{
    if (m_changed)
        m_changed();
}

SweepSetup::Checked SweepSetup::check() const
{
    SweepRequest request;
    request.links = splitLinks(m_choices.links);
    for (const SweepChoices::PortServer& server : m_choices.portServers) {
        if (!server.chosen)
            continue;
        if (!SiteLink::parse(server.link).isPortServer())
            return {std::nullopt, Messages::SweepBadPortServer};
        // One connection per server, however often it is named.
        if (std::none_of(request.links.begin(), request.links.end(),
                         [&](const std::string& link) { return sameLink(link, server.link); }))
            request.links.push_back(server.link);
    }
    if (request.links.empty())
        return {std::nullopt, Messages::SweepNoLink};
    for (int i = 0; i < SweepChoices::BaudCount; ++i)
        if (m_choices.bauds[static_cast<std::size_t>(i)])
            request.baudIndexes.push_back(i);
    if (request.baudIndexes.empty())
        return {std::nullopt, Messages::SweepNoBaud};
    for (int i = 0; i < Protocol::Count; ++i)
        if (m_choices.protocols[static_cast<std::size_t>(i)])
            request.protocolIndexes.push_back(i);
    if (request.protocolIndexes.empty())
        return {std::nullopt, Messages::SweepNoProtocol};
    const auto first = readFieldInteger(m_choices.firstAddress);
    const auto last = readFieldInteger(m_choices.lastAddress);
    if (!first || !last || *first < 1 || *last > 9999 || *first > *last)
        return {std::nullopt, Messages::SweepBadAddresses};
    request.firstAddress = *first;
    request.lastAddress = *last;
    return {std::move(request), {}};
}

std::string SweepSetup::estimate() const
{
    const Checked checked = check();
    if (!checked.request)
        return {};
    const int questions = CommissioningSweep::questionCount(*checked.request);
    const int ms = CommissioningSweep::longestMs(*checked.request, m_replyTimeoutMs);
    return Messages::format(Messages::SweepEstimate, questions, (ms + 999) / 1000);
}

std::string_view SweepSetup::addPortServer(std::string_view text)
{
    const std::string link = trimmed(text);
    if (!SiteLink::parse(link).isPortServer())
        return Messages::SweepBadPortServer;
    for (SweepChoices::PortServer& server : m_choices.portServers)
        if (sameLink(server.link, link)) {
            server.chosen = true;
            return {};
        }
    m_choices.portServers.push_back({link, true});
    return {};
}

bool SweepSetup::start()
{
    if (running())
        return false;
    Checked checked = check();
    if (!checked.request) {
        m_prompter.showMessage(checked.problem, Messages::SweepTitle, MessageIcon::Warning);
        return false;
    }
    m_sweep.reset();
    m_line = m_openLine();
    if (!m_line)
        return false;
    m_sweep = std::make_unique<CommissioningSweep>(*m_line, m_timers, std::move(*checked.request), m_replyTimeoutMs);
    m_line->setSweep(m_sweep.get());
    m_sweep->setChanged([this] { changed(); });
    m_sweep->start();
    return true;
}

void SweepSetup::cancel()
{
    if (m_sweep)
        m_sweep->cancel();
}

std::string SweepSetup::progressText() const
{
    if (!m_sweep)
        return {};
    const int asked = m_sweep->statusQuestionsAsked();
    const std::size_t found = m_sweep->found().size();
    if (m_sweep->connecting())
        return Messages::format(Messages::SweepConnecting, std::string(m_sweep->currentLink()).c_str());
    if (m_sweep->running())
        return Messages::format(Messages::SweepProgress, asked, found);
    if (m_sweep->cancelled())
        return Messages::format(Messages::SweepCancelled, asked, found);
    return Messages::format(Messages::SweepDone, asked, found);
}

const std::vector<SweepFind>& SweepSetup::found() const
{
    return m_sweep ? m_sweep->found() : m_noneFound;
}

std::vector<std::string> SweepSetup::problemRows() const
{
    std::vector<std::string> rows;
    if (m_sweep)
        for (const SweepProblem& problem : m_sweep->problems())
            rows.push_back(Messages::format(Messages::SweepLinkSkipped, problem.link.c_str(), problem.why.c_str()));
    return rows;
}

std::string SweepSetup::describe(const SweepFind& find)
{
    std::string text = Messages::format(Messages::SweepFound, find.link.c_str(),
                                        Settings::baudRateForIndex(find.baudIndex), find.protocolIndex,
                                        find.address);
    if (!find.firmware.empty())
        text += Messages::format(Messages::SweepFirmware, find.firmware.c_str());
    if (find.panTiltType >= 0)
        text += Messages::format(Messages::SweepPanTilt, find.panTiltType);
    return text;
}

std::vector<std::string> SweepSetup::foundRows() const
{
    std::vector<std::string> rows;
    for (const SweepFind& find : found())
        rows.push_back(describe(find));
    return rows;
}

} // namespace tarn
