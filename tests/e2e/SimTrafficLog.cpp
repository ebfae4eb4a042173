#include "SimTrafficLog.h"

#include <array>
#include <fstream>
#include <sstream>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace tarn::e2e {

std::vector<SimTrafficLog::Line> SimTrafficLog::lines() const
{
    std::vector<Line> lines;
    std::ifstream file(m_path);
    std::string text;
    while (std::getline(file, text)) {
        Line line;
        const std::size_t hash = text.find(" # ");
        if (hash != std::string::npos) {
            line.note = text.substr(hash + 3);
            text.resize(hash);
        }
        std::istringstream words(text);
        words >> line.seconds >> line.direction;
        std::string hex;
        while (words >> hex)
            line.bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<SimTrafficLog::Line> SimTrafficLog::lines(const std::string& direction) const
{
    std::vector<Line> picked;
    for (Line& line : lines()) {
        if (line.direction == direction)
            picked.push_back(std::move(line));
    }
    return picked;
}

std::optional<SimTrafficLog::Line> SimTrafficLog::firstReceivedSince(const std::vector<Line>& lines, double seconds)
{
    for (const Line& line : lines)
        if (line.direction == "rx" && line.seconds >= seconds)
            return line;
    return std::nullopt;
}

bool SimTrafficLog::waitFor(const std::function<bool(const std::vector<Line>&)>& done,
                            std::chrono::milliseconds patience) const
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    // Watching before the first look: a line written after it wakes the poll.
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch >= 0)
        ::inotify_add_watch(watch, m_path.c_str(), IN_MODIFY);
    bool held = done(lines());
    while (!held && watch >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd pfd{watch, POLLIN, 0};
        if (::poll(&pfd, 1, static_cast<int>(left)) > 0) {
            std::array<char, 4096> events{};
            while (::read(watch, events.data(), events.size()) > 0) {
            }
        }
        held = done(lines());
    }
    if (watch >= 0)
        ::close(watch);
    return held;
}

} // namespace tarn::e2e
