#pragma once

#include "control/CommissioningSweep.h"
#include "control/SiteList.h"
#include "platform/Timers.h"

#include <functional>
#include <optional>
#include <string>

namespace tarn {

class MainControl;
class Prompter;

// The camera list the main window works with: the site file it came from,
// the camera in use, and each camera's lamp. Every change to the list is
// written to its file at once, so nothing the technician set up is lost.
class SiteSession final : public TimerClient {
public:
    // How long a camera switched to has for its first answer.
    static constexpr int AnswerWindowMs = 1500;

    SiteSession(MainControl& control, Prompter& prompter, Timers& timers);
    ~SiteSession();
    SiteSession(const SiteSession&) = delete;
    SiteSession& operator=(const SiteSession&) = delete;

    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    const SiteList& list() const { return m_list; }
    const std::string& path() const { return m_path; }
    std::optional<int> current() const { return m_current; }

    // Opens a site file: its problems are told in one box, every camera that
    // reads is listed. False when the file could not be read at all.
    bool open(const std::string& path);
    // Asks where a new site file goes (for a list started from nothing).
    bool chooseFile();

    // One press on the list: switches the console to that camera.
    bool choose(int index);
    // "Add this camera": the camera the console drives now, named "Camera
    // ADDRESS". Asks for a file first when the list has none.
    bool addCurrent();
    // A dome the sweep found.
    bool addFound(const SweepFind& find);
    // A new name, group or note for the camera at `index`.
    bool rename(int index, const std::string& name, const std::string& group, const std::string& note);
    void remove(int index);
    void move(int from, int to);

    // A status reply reached the console: the camera in use answers.
    void statusHeard();

    void timerFired(int id) override;

private:
    bool add(SiteCamera camera);
    bool refused(const std::vector<std::string>& reasons);
    bool save();
    void changed();

    MainControl& m_control;
    Prompter& m_prompter;
    Timers& m_timers;
    SiteList m_list;
    std::string m_path;
    std::optional<int> m_current;
    std::function<void()> m_changed;
};

} // namespace tarn
