#pragma once

#include "link/TrafficRecord.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarn {

// Writes the traffic record to a file as it grows, from the session's first
// entry on, so a trace is there even when the console went down: a capture,
// or the text log when the file's name ends in ".txt". Every entry reaches
// the file as soon as it is final. A failure to write stops the trace and is
// told once.
class TrafficTrace final : public TrafficRecord::Listener {
public:
    enum class Format { Capture, TextLog };

    TrafficTrace() = default;
    ~TrafficTrace();
    TrafficTrace(const TrafficTrace&) = delete;
    TrafficTrace& operator=(const TrafficTrace&) = delete;

    static Format formatFor(const std::string& path);

    // Creates (or empties) the file, writes what the record holds and
    // listens to it from then on. Returns the system's reason on failure.
    std::optional<std::string> start(const std::string& path, TrafficRecord& record);
    // Told once, with the system's reason, when the file cannot be written any more.
    void setFailed(std::function<void(const std::string& reason)> failed) { m_failed = std::move(failed); }

    const std::string& path() const { return m_path; }

    void entriesSettled(const TrafficRecord& record, std::uint64_t upTo) override;

private:
    bool write(const TrafficRecord& record, std::uint64_t upTo);
    void fail(int error);

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::string m_path;
    Format m_format = Format::Capture;
    std::uint64_t m_written = 0;
    TrafficRecord* m_record = nullptr;
    std::function<void(const std::string&)> m_failed;
};

} // namespace tarn
