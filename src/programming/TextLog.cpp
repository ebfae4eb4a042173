#include "programming/TextLog.h"

#include "core/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tarn {

TextLog::TextLog(LocalTimeSource now)
    : m_now(std::move(now))
{
}

bool TextLog::write(const char* mode, std::string_view text)
{
    errno = 0;
    std::FILE* file = std::fopen(m_fileName.c_str(), mode);
    if (!file) {
        m_failure = std::strerror(errno);
        return false;
    }
    // An empty text has no buffer to hand over: creating the file is all.
    const bool written = text.empty() || std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = written ? 0 : errno;
    // A full disk often shows only when the buffer goes out at close.
    if (std::fclose(file) != 0 && error == 0)
        error = errno;
    if (!written || error != 0) {
        m_failure = std::strerror(error != 0 ? error : EIO);
        return false;
    }
    m_failure.clear();
    return true;
}

bool TextLog::create()
{
    return write("w", {});
}

bool TextLog::start(bool enabled, bool timestamps)
{
    m_enabled = enabled;
    m_timestamps = timestamps;
    if (!m_enabled)
        return true;
    const std::tm now = m_now();
    return writeLine(Messages::LogSeparator)
        && writeLine(DateTimeText::date(now) + "  " + DateTimeText::clockTime(now) + "  " + m_title
                     + "\n");
}

bool TextLog::writeLine(std::string_view text)
{
    if (!m_enabled || m_fileName.empty())
        return true;
    std::string line;
    if (m_timestamps) {
        const std::tm now = m_now();
        line = DateTimeText::date(now) + "  " + DateTimeText::clockTime(now) + "  ";
    }
    line += text;
    line += '\n';
    return write("a", line);
}

} // namespace tarn
