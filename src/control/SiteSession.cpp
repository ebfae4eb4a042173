#include "control/SiteSession.h"

#include "control/MainControl.h"
#include "control/SiteFile.h"
#include "control/SiteFromSweep.h"
#include "core/Messages.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

namespace tarn {

SiteSession::SiteSession(MainControl& control, Prompter& prompter, Timers& timers)
    : m_control(control)
    , m_prompter(prompter)
    , m_timers(timers)
{
    m_control.setStatusHeard([this] { statusHeard(); });
}

SiteSession::~SiteSession()
{
    m_control.setStatusHeard({});
    m_timers.stopAll(*this);
}

void SiteSession::changed()
{
    if (m_changed)
        m_changed();
}

bool SiteSession::open(const std::string& path)
{
    SiteFile::Contents contents = SiteFile::load(path);
    if (!contents.opened) {
        m_prompter.showMessage(Messages::format(Messages::SiteFileUnreadable, path.c_str()), Messages::SiteErrorTitle,
                               MessageIcon::Warning);
        return false;
    }
    if (!contents.problems.empty())
        m_prompter.showMessage(contents.problemText(), Messages::SiteErrorTitle, MessageIcon::Warning);
    m_timers.stop(*this, TimerId::SiteAnswer);
    m_list.replace(std::move(contents.cameras));
    m_path = path;
    m_current.reset();
    changed();
    return true;
}

bool SiteSession::chooseFile()
{
    const auto path = m_prompter.chooseFile(FileChoice::Save, Messages::SiteFileFilter, "site.ini");
    if (!path)
        return false;
    m_path = *path;
    return true;
}

bool SiteSession::save()
{
    if (m_path.empty())
        return false;
    const std::vector<SiteCamera> cameras = m_list.cameras();
    if (const auto failure = SiteFile::save(m_path, cameras)) {
        m_prompter.showMessage(Messages::format(Messages::SiteFileNotSaved, m_path.c_str(), failure->c_str()),
                               Messages::SiteErrorTitle, MessageIcon::Warning);
        return false;
    }
    return true;
}

bool SiteSession::choose(int index)
{
    if (index < 0 || index >= m_list.size())
        return false;
    if (!m_control.switchToCamera(m_list.at(index).camera)) {
        m_list.setState(index, SiteCameraState::NoAnswer);
        changed();
        return false;
    }
    m_current = index;
    m_timers.start(*this, TimerId::SiteAnswer, AnswerWindowMs);
    changed();
    return true;
}

void SiteSession::statusHeard()
{
    if (!m_current || *m_current >= m_list.size())
        return;
    m_timers.stop(*this, TimerId::SiteAnswer);
    if (m_list.at(*m_current).state != SiteCameraState::Answered) {
        m_list.setState(*m_current, SiteCameraState::Answered);
        changed();
    }
}

void SiteSession::timerFired(int id)
{
    if (id != TimerId::SiteAnswer)
        return;
    m_timers.stop(*this, TimerId::SiteAnswer);
    if (m_current && *m_current < m_list.size()) {
        m_list.setState(*m_current, SiteCameraState::NoAnswer);
        changed();
    }
}

bool SiteSession::refused(const std::vector<std::string>& reasons)
{
    if (reasons.empty())
        return false;
    std::string text;
    for (const std::string& reason : reasons)
        text += (text.empty() ? "" : "\n") + reason;
    m_prompter.showMessage(text, Messages::SiteErrorTitle, MessageIcon::Warning);
    return true;
}

bool SiteSession::add(SiteCamera camera)
{
    if (m_path.empty() && !chooseFile())
        return false;
    if (refused(m_list.add(std::move(camera))))
        return false;
    save();
    changed();
    return true;
}

bool SiteSession::addCurrent()
{
    SiteCamera camera = m_control.currentCamera();
    camera.name = "Camera " + std::to_string(camera.address);
    if (!add(std::move(camera)))
        return false;
    m_current = m_list.size() - 1;
    changed();
    return true;
}

bool SiteSession::addFound(const SweepFind& find)
{
    return add(siteCameraFromSweep(find, m_control.currentCamera()));
}

bool SiteSession::rename(int index, const std::string& name, const std::string& group, const std::string& note)
{
    if (index < 0 || index >= m_list.size())
        return false;
    SiteCamera camera = m_list.at(index).camera;
    if (camera.name == name && camera.group == group && camera.note == note)
        return true;
    camera.name = name;
    camera.group = group;
    camera.note = note;
    if (refused(m_list.edit(index, std::move(camera))))
        return false;
    save();
    changed();
    return true;
}

void SiteSession::remove(int index)
{
    if (index < 0 || index >= m_list.size())
        return;
    m_list.remove(index);
    if (m_current) {
        if (*m_current == index)
            m_current.reset();
        else if (*m_current > index)
            --*m_current;
    }
    save();
    changed();
}

void SiteSession::move(int from, int to)
{
    if (from < 0 || from >= m_list.size() || to < 0 || to >= m_list.size() || from == to)
        return;
    m_list.move(from, to);
    if (m_current) {
        // The camera in use stays the one in use, wherever it went.
        int& at = *m_current;
        if (at == from)
            at = to;
        else if (from < at && to >= at)
            --at;
        else if (from > at && to <= at)
            ++at;
    }
    save();
    changed();
}

} // namespace tarn
