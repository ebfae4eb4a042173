#pragma once

#include "config/ConfigCompare.h"
#include "config/ConfigSnapshot.h"
#include "config/SnapshotHeader.h"
#include "config/SnapshotPass.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

// One configuration job on the camera the console drives: read it (to save
// or to compare), or write a configuration into it and read it back. The
// window's progress dialog and the command line run the same job.
class ConfigJob {
public:
    enum class Phase { Idle, Reading, Writing, ReadingBack, Done };

    ConfigJob(SnapshotContext context, SnapshotHeader header);
    ~ConfigJob();
    ConfigJob(const ConfigJob&) = delete;
    ConfigJob& operator=(const ConfigJob&) = delete;

    // The sections `source` holds that could be written, in writing order,
    // with whether each is ticked at first: every section read, unless it is
    // a picture section of another camera module than this camera's.
    struct Choice {
        std::string section;
        bool ticked = true;
        bool picture = false;
    };
    std::vector<Choice> choicesFor(const ConfigSnapshot& source) const;

    // Reads every section that applies to the camera.
    void read();
    // Checks `source`'s chosen sections and asks once, naming the camera and
    // its address; then writes them, reads the camera back and compares.
    // Nothing is sent when a field cannot be written (a value out of range,
    // a picture section for another module: `Refused`, with the reason) or
    // the user says no.
    struct WriteStart {
        enum class Kind { Started, Refused, NotConfirmed };
        Kind kind = Kind::Started;
        std::string reason;
    };
    WriteStart write(const ConfigSnapshot& source, std::vector<std::string> chosen);
    void cancel();

    Phase phase() const { return m_phase; }
    bool running() const { return m_phase != Phase::Idle && m_phase != Phase::Done; }
    bool cancelled() const { return m_cancelled; }
    // The section in progress, for the progress line.
    std::string_view sectionInProgress() const;
    int partsDone() const;
    int partCount() const;

    // What was read, with its header (after a read, or the read-back).
    const ConfigSnapshot& snapshot() const { return m_snapshot; }
    // The camera answered nothing at all.
    bool cameraSilent() const;
    // After a write: every field of the chosen sections that the camera does
    // not now hold as written (reported-only fields aside).
    const std::vector<ConfigDifference>& notTaken() const { return m_notTaken; }

    // Told when the progress changes and when the job ends.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    void startPass(std::unique_ptr<SnapshotPass> pass);
    void passChanged();
    void finishReading();
    void compareWritten();
    static std::unique_ptr<SnapshotPart> partNamed(const std::string& section);

    SnapshotContext m_context;
    SnapshotHeader m_header;
    Phase m_phase = Phase::Idle;
    bool m_cancelled = false;
    std::unique_ptr<SnapshotPass> m_pass;
    ConfigSnapshot m_snapshot;
    ConfigSnapshot m_source;
    std::vector<std::string> m_chosen;
    std::vector<ConfigDifference> m_notTaken;
    std::function<void()> m_changed;
};

} // namespace tarn
