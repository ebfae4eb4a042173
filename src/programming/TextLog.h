#pragma once

#include "programming/DateTimeText.h"

#include <string>
#include <string_view>

namespace tarn {

// A maintenance log file (barrel temperature or pressure). The file is
// reopened, appended to and closed for every line, so every line written is
// on disk even if the console goes down.
//
// The calls report a failure (false, with the system's reason in failure())
// instead of swallowing it, so the caller can tell the technician that the
// recording is not being kept.
class TextLog {
public:
    explicit TextLog(LocalTimeSource now = localTimeNow);

    void setFileName(std::string name) { m_fileName = std::move(name); }
    const std::string& fileName() const { return m_fileName; }
    void setTitle(std::string title) { m_title = std::move(title); }

    // Creates the file, or empties it when it exists.
    bool create();
    // Stores both flags; when enabled, writes a line of stars and the date,
    // time and title.
    bool start(bool enabled, bool timestamps);
    // Appends `text` and a line end, after the date and time when timestamps
    // are on. Nothing happens (and nothing fails) while the log is not enabled
    // or has no file name.
    bool writeLine(std::string_view text);

    bool enabled() const { return m_enabled; }
    // Why the last call failed, as the system words it.
    const std::string& failure() const { return m_failure; }

private:
    bool write(const char* mode, std::string_view text);

    LocalTimeSource m_now;
    std::string m_fileName;
    std::string m_title;
    bool m_enabled = false;
    bool m_timestamps = false;
    std::string m_failure;
};

} // namespace tarn
