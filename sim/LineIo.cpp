#include "sim/LineIo.h"

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace tarn::sim::LineIo {

int pollTimeout(std::optional<TimePoint> due, TimePoint now)
{
    if (!due)
        return -1;
    if (*due <= now)
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*due - now).count());
}

bool writeWithoutWaiting(int fd, std::span<const std::uint8_t> bytes, bool socket)
{
    while (!bytes.empty()) {
        const ssize_t written = socket ? ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                       : ::write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true; // the other end is not reading: the rest is lost
        return false;
    }
    return true;
}

} // namespace tarn::sim::LineIo
