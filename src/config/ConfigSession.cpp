#include "config/ConfigSession.h"

#include "config/ConfigFile.h"
#include "control/MainControl.h"
#include "core/CameraTypes.h"
#include "core/Messages.h"
#include "platform/Prompter.h"

#include <algorithm>

namespace tarn {

ConfigSession::ConfigSession(MainControl& control, Prompter& prompter,
                             std::function<std::unique_ptr<ConfigJob>()> newJob)
    : m_control(control)
    , m_prompter(prompter)
    , m_newJob(std::move(newJob))
{
    // Which camera the jobs are for, before any of them runs.
    const SiteCamera camera = m_control.currentCamera();
    const bool known = camera.receiverType >= 0 && camera.receiverType < CameraType::OtherMake;
    const std::string name = known ? std::string(CameraType::Names[static_cast<std::size_t>(camera.receiverType)])
                                   : std::string(Messages::ConfigOtherMake);
    m_status = Messages::format(Messages::ConfigCameraInUse, name.c_str(), camera.address, camera.link.c_str());
}

ConfigSession::~ConfigSession()
{
    if (m_job) {
        m_job->setChanged({});
        m_job->cancel();
    }
}

std::optional<ConfigSnapshot> ConfigSession::openFile(const std::string& path)
{
    ConfigFile::Parsed parsed = ConfigFile::load(path);
    if (!parsed.snapshot)
        m_prompter.showMessage(Messages::format(Messages::ConfigFileNotOpened, path.c_str(), parsed.problem.c_str()),
                               Messages::ConfigTitle, MessageIcon::Error);
    return std::move(parsed.snapshot);
}

bool ConfigSession::startJob()
{
    if (busy())
        return false;
    // Nothing of the main window's goes between the job's questions.
    m_control.panel().stopPolling();
    m_control.link().queue().clearForDialog();
    if (m_job)
        m_job->setChanged({});
    m_job = m_newJob();
    m_job->setChanged([this] { jobChanged(); });
    m_rows.clear();
    return true;
}

void ConfigSession::saveFromCamera()
{
    if (busy())
        return;
    const auto path = m_prompter.chooseFile(FileChoice::Save, Messages::ConfigFileFilter, "camera.ini");
    if (!path || !startJob())
        return;
    m_path = *path;
    m_activity = Activity::Saving;
    m_status = Messages::ConfigReading;
    m_job->read();
    notify();
}

void ConfigSession::compareWithCamera()
{
    if (busy())
        return;
    const auto path = m_prompter.chooseFile(FileChoice::Open, Messages::ConfigFileFilter, {});
    if (!path)
        return;
    auto file = openFile(*path);
    if (!file || !startJob())
        return;
    m_path = *path;
    m_file = std::move(*file);
    m_activity = Activity::Comparing;
    m_status = Messages::ConfigReading;
    m_job->read();
    notify();
}

void ConfigSession::compareFiles()
{
    if (busy())
        return;
    const auto first = m_prompter.chooseFile(FileChoice::Open, Messages::ConfigFileFilter, {});
    if (!first)
        return;
    const auto firstFile = openFile(*first);
    if (!firstFile)
        return;
    const auto second = m_prompter.chooseFile(FileChoice::Open, Messages::ConfigFileFilter, {});
    if (!second)
        return;
    const auto secondFile = openFile(*second);
    if (!secondFile)
        return;
    m_activity = Activity::Idle;
    m_firstCaption = *first;
    m_secondCaption = *second;
    m_rows = ConfigCompare::rows(*firstFile, *secondFile);
    m_status = Messages::format(Messages::ConfigDifferences, differenceCount());
    notify();
}

void ConfigSession::chooseFileToWrite()
{
    if (busy())
        return;
    const auto path = m_prompter.chooseFile(FileChoice::Open, Messages::ConfigFileFilter, {});
    if (!path)
        return;
    auto file = openFile(*path);
    if (!file)
        return;
    m_path = *path;
    m_file = std::move(*file);
    m_choices = m_newJob()->choicesFor(m_file);
    m_rows.clear();
    m_activity = Activity::ChoosingSections;
    m_status = Messages::format(Messages::ConfigChooseSections, m_path.c_str());
    notify();
}

void ConfigSession::tick(std::size_t index, bool ticked)
{
    if (m_activity == Activity::ChoosingSections && index < m_choices.size())
        m_choices[index].ticked = ticked;
}

void ConfigSession::write()
{
    if (m_activity != Activity::ChoosingSections || busy())
        return;
    std::vector<std::string> chosen;
    for (const ConfigJob::Choice& choice : m_choices) {
        if (choice.ticked)
            chosen.push_back(choice.section);
    }
    if (chosen.empty()) {
        m_prompter.showMessage(Messages::ConfigNothingTicked, Messages::ConfigTitle, MessageIcon::Information);
        return;
    }
    startJob();
    const ConfigJob::WriteStart start = m_job->write(m_file, chosen);
    if (start.kind == ConfigJob::WriteStart::Kind::Refused) {
        m_prompter.showMessage(start.reason, Messages::ConfigTitle, MessageIcon::Error);
        return;
    }
    if (start.kind == ConfigJob::WriteStart::Kind::NotConfirmed)
        return;
    m_activity = Activity::Writing;
    m_status = Messages::ConfigWriting;
    notify();
}

void ConfigSession::cancel()
{
    if (busy())
        m_job->cancel();
}

std::string_view ConfigSession::sectionInProgress() const
{
    return busy() ? m_job->sectionInProgress() : std::string_view{};
}

int ConfigSession::partsDone() const
{
    return m_job ? m_job->partsDone() : 0;
}

int ConfigSession::partCount() const
{
    return m_job ? m_job->partCount() : 0;
}

int ConfigSession::differenceCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const ConfigRow& row) { return row.differs; }));
}

void ConfigSession::jobChanged()
{
    if (!m_job->running()) {
        jobEnded();
        return;
    }
    if (m_job->phase() == ConfigJob::Phase::ReadingBack)
        m_status = Messages::ConfigReadingBack;
    notify();
}

void ConfigSession::jobEnded()
{
    const Activity ended = m_activity;
    m_activity = Activity::Idle;
    if (m_job->cancelled()) {
        m_status = Messages::ConfigCancelled;
    } else if (m_job->cameraSilent()) {
        m_status = Messages::ConfigNoAnswer;
    } else if (ended == Activity::Saving) {
        if (const auto failure = ConfigFile::save(m_path, m_job->snapshot())) {
            m_status = *failure;
            m_prompter.showMessage(*failure, Messages::ConfigTitle, MessageIcon::Error);
        } else {
            m_status = Messages::format(Messages::ConfigSaved, m_path.c_str());
        }
    } else if (ended == Activity::Comparing) {
        m_firstCaption = m_path;
        m_secondCaption = Messages::ConfigCameraColumn;
        m_rows = ConfigCompare::rows(m_file, m_job->snapshot());
        m_status = Messages::format(Messages::ConfigDifferences, differenceCount());
    } else if (ended == Activity::Writing) {
        m_firstCaption = m_path;
        m_secondCaption = Messages::ConfigCameraColumn;
        for (const ConfigDifference& difference : m_job->notTaken())
            m_rows.push_back({difference.section, difference.field, difference.first, difference.second, true});
        m_status = m_rows.empty() ? std::string(Messages::ConfigWriteMatches)
                                  : Messages::format(Messages::ConfigWriteNotTaken, differenceCount());
    }
    // The main window hears from the camera again.
    m_control.connection().requestStatus(MainControl::StatusAfterSetupMs);
    notify();
}

void ConfigSession::notify()
{
    if (m_changed)
        m_changed();
}

} // namespace tarn
