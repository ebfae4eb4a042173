#include "sim/TrafficLog.h"

namespace tarn::sim {

TrafficLog::TrafficLog()
    : m_stream(nullptr, Closer{})
{
}

bool TrafficLog::open(const std::string& path, TimePoint start, bool fine)
{
    m_fine = fine;
    std::FILE* stream = std::fopen(path.c_str(), "a");
    if (!stream)
        return false;
    m_stream = std::unique_ptr<std::FILE, Closer>(stream, Closer{true});
    m_start = start;
    return true;
}

void TrafficLog::attach(std::FILE* stream, TimePoint start)
{
    m_stream = std::unique_ptr<std::FILE, Closer>(stream, Closer{false});
    m_start = start;
}

std::string TrafficLog::line(double seconds, std::string_view direction,
                             std::span<const std::uint8_t> bytes, std::string_view note, bool fine)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, fine ? "%.6f " : "%.3f ", seconds);
    std::string text = stamp;
    text += direction;
    for (const std::uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        text += hex;
    }
    if (!note.empty()) {
        text += " # ";
        text += note;
    }
    text += '\n';
    return text;
}

void TrafficLog::received(TimePoint at, std::span<const std::uint8_t> bytes, std::string_view note)
{
    write(at, "rx", bytes, note);
}

void TrafficLog::sent(TimePoint at, std::span<const std::uint8_t> bytes, std::string_view note)
{
    write(at, "tx", bytes, note);
}

void TrafficLog::write(TimePoint at, std::string_view direction, std::span<const std::uint8_t> bytes,
                       std::string_view note)
{
    if (!m_stream)
        return;
    const double seconds = std::chrono::duration<double>(at - m_start).count();
    const std::string text = line(seconds, direction, bytes, note, m_fine);
    std::fputs(text.c_str(), m_stream.get());
    std::fflush(m_stream.get());
}

} // namespace tarn::sim
