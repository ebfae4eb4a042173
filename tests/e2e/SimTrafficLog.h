#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarn::e2e {

// The simulator's --log file read back: what crossed the line as the camera
// saw it.
class SimTrafficLog {
public:
    struct Line {
        double seconds = 0;
        std::string direction; // "rx" or "tx"
        std::vector<std::uint8_t> bytes;
        std::string note; // after '#': why a frame got no answer, or a fault
    };

    explicit SimTrafficLog(std::string path) : m_path(std::move(path)) {}

    std::vector<Line> lines() const;
    std::vector<Line> lines(const std::string& direction) const;
    // The first frame among `lines` that the simulator read at or after
    // `seconds`, as its log stamps them.
    static std::optional<Line> firstReceivedSince(const std::vector<Line>& lines, double seconds);
    // Waits for the file to change until `done` holds for its lines or the
    // patience runs out; returns whether it held.
    bool waitFor(const std::function<bool(const std::vector<Line>&)>& done,
                 std::chrono::milliseconds patience = std::chrono::seconds(3)) const;

private:
    std::string m_path;
};

} // namespace tarn::e2e
