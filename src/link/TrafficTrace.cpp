#include "link/TrafficTrace.h"

#include "link/TrafficCapture.h"
#include "link/TrafficTextLog.h"

#include <cerrno>
#include <system_error>

namespace tarn {

TrafficTrace::~TrafficTrace()
{
    if (m_record)
        m_record->setListener(nullptr);
}

TrafficTrace::Format TrafficTrace::formatFor(const std::string& path)
{
    return path.ends_with(".txt") ? Format::TextLog : Format::Capture;
}

std::optional<std::string> TrafficTrace::start(const std::string& path, TrafficRecord& record)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::system_category().message(errno);
    m_file.reset(file);
    m_path = path;
    m_format = formatFor(path);
    m_record = &record;
    m_written = record.firstSequence();

    bool written = false;
    if (m_format == Format::Capture) {
        const auto header = TrafficCapture::header(record.sessionStart(), m_written);
        written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    } else {
        const std::string header = TrafficTextLog::header(m_written);
        written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    }
    if (!written || !write(record, record.settledUpTo())) {
        const int error = errno;
        m_file.reset();
        m_record = nullptr;
        return std::system_category().message(error);
    }
    record.setListener(this);
    return std::nullopt;
}

void TrafficTrace::entriesSettled(const TrafficRecord& record, std::uint64_t upTo)
{
    if (!m_file)
        return;
    if (!write(record, upTo))
        fail(errno);
}

bool TrafficTrace::write(const TrafficRecord& record, std::uint64_t upTo)
{
    // Entries cleared from the window before they were written are gone; the
    // trace goes on after them.
    m_written = std::max(m_written, record.firstSequence());
    if (m_written >= upTo)
        return true;
    std::vector<std::uint8_t> capture;
    std::string text;
    for (; m_written < upTo; ++m_written) {
        const TrafficEntry* entry = record.find(m_written);
        if (!entry)
            continue;
        if (m_format == Format::Capture)
            TrafficCapture::appendRecord(capture, *entry);
        else
            text += TrafficTextLog::line(*entry, record.sessionStart());
    }
    errno = 0;
    const std::size_t size = m_format == Format::Capture ? capture.size() : text.size();
    const void* data = m_format == Format::Capture ? static_cast<const void*>(capture.data()) : text.data();
    return std::fwrite(data, 1, size, m_file.get()) == size && std::fflush(m_file.get()) == 0;
}

void TrafficTrace::fail(int error)
{
    m_file.reset();
    if (m_record) {
        m_record->setListener(nullptr);
        m_record = nullptr;
    }
    if (m_failed)
        m_failed(std::system_category().message(error != 0 ? error : EIO));
}

} // namespace tarn
