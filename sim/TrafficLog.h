#pragma once

#include "sim/SimClock.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tarn::sim {

// One line per frame received and per answer sent, with the time since the
// simulator started (or, asked, on the monotonic clock's own scale): "12.345 rx F8 01 41 3F 8F", "12.346 tx 06". A frame
// that got no answer carries the reason after a '#'. Each line is flushed,
// so a test may read the file while the simulator runs.
class TrafficLog {
public:
    // A log that writes nowhere.
    TrafficLog();
    // Appends to `path`; false when it cannot be opened. Time stamps count
    // from `start`, to the millisecond, or to the microsecond when `fine`.
    bool open(const std::string& path, TimePoint start, bool fine = false);
    // Writes to a stream the caller keeps open (tests, stderr).
    void attach(std::FILE* stream, TimePoint start);

    void received(TimePoint at, std::span<const std::uint8_t> bytes, std::string_view note);
    void sent(TimePoint at, std::span<const std::uint8_t> bytes, std::string_view note);

    static std::string line(double seconds, std::string_view direction,
                            std::span<const std::uint8_t> bytes, std::string_view note, bool fine = false);

private:
    void write(TimePoint at, std::string_view direction, std::span<const std::uint8_t> bytes,
               std::string_view note);

    struct Closer {
        bool owned = true;
        void operator()(std::FILE* stream) const
        {
            if (owned)
                std::fclose(stream);
        }
    };
    std::unique_ptr<std::FILE, Closer> m_stream;
    TimePoint m_start;
    bool m_fine = false;
};

} // namespace tarn::sim
