#pragma once

#include "config/ConfigCompare.h"
#include "config/ConfigJob.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

class MainControl;
class Prompter;

// "Camera Configuration" without widgets: save the camera's configuration to
// a file, compare a file with the camera or with another file, and write a
// file into the camera. Files are chosen and problems told through the
// prompter; the camera is reached through the main window's logic, whose
// pollings stop while a job runs.
class ConfigSession {
public:
    enum class Activity { Idle, Saving, Comparing, ChoosingSections, Writing };

    // `newJob` makes the job for the camera in use now (its header dated).
    ConfigSession(MainControl& control, Prompter& prompter, std::function<std::unique_ptr<ConfigJob>()> newJob);
    ~ConfigSession();
    ConfigSession(const ConfigSession&) = delete;
    ConfigSession& operator=(const ConfigSession&) = delete;

    // The four buttons; each asks for its file(s) first.
    void saveFromCamera();
    void compareWithCamera();
    void compareFiles();
    void chooseFileToWrite();
    // While choosing: the sections the file holds, ticked or not.
    const std::vector<ConfigJob::Choice>& choices() const { return m_choices; }
    void tick(std::size_t index, bool ticked);
    // "Write": the ticked sections, after the one confirmation.
    void write();
    void cancel();

    Activity activity() const { return m_activity; }
    bool busy() const { return m_job && m_job->running(); }
    // One line about what happens or happened.
    const std::string& status() const { return m_status; }
    // Progress of the job: the section in progress and parts done of all.
    std::string_view sectionInProgress() const;
    int partsDone() const;
    int partCount() const;
    // The table: the comparison, or after a write the fields that did not take.
    const std::vector<ConfigRow>& rows() const { return m_rows; }
    int differenceCount() const;
    // The column captions of the table's two values.
    const std::string& firstCaption() const { return m_firstCaption; }
    const std::string& secondCaption() const { return m_secondCaption; }

    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    bool startJob();
    void jobChanged();
    void jobEnded();
    std::optional<ConfigSnapshot> openFile(const std::string& path);
    void notify();

    MainControl& m_control;
    Prompter& m_prompter;
    std::function<std::unique_ptr<ConfigJob>()> m_newJob;
    std::unique_ptr<ConfigJob> m_job;
    Activity m_activity = Activity::Idle;
    std::string m_path;
    ConfigSnapshot m_file;
    std::vector<ConfigJob::Choice> m_choices;
    std::vector<ConfigRow> m_rows;
    std::string m_status;
    std::string m_firstCaption;
    std::string m_secondCaption;
    std::function<void()> m_changed;
};

} // namespace tarn
