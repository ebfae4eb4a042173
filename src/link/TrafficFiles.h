#pragma once

#include "link/TrafficRecord.h"

#include <memory>
#include <optional>
#include <string>

namespace tarn {

// "Save..." and "Load..." of the Traffic window.
namespace TrafficFiles {

struct Saved {
    std::string logPath;     // the text log
    std::string capturePath; // the capture
    // The system's reason and the file it concerns, when one could not be written.
    std::optional<std::string> failure;
    std::string failedPath;
};

// Writes the text log and the capture side by side, named after `chosen`
// without a ".txt" or ".tcap" ending: NAME.txt and NAME.tcap. Neither is
// ever left half written.
Saved save(const TrafficRecord& record, const std::string& chosen);

struct Opened {
    std::unique_ptr<TrafficRecord> record; // null when the file could not be read
    std::string failure;                   // why not, in the system's or our words
    bool damaged = false;                  // read only up to a damaged record
    std::size_t entriesRead = 0;
};

Opened open(const std::string& path);

// "traffic-20240501-140000.txt", from the session's start.
std::string suggestedName(const SessionStart& start);

} // namespace TrafficFiles
} // namespace tarn
