#include "RawSerialLine.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tarn::e2e {

namespace {

speed_t speedOf(int baud)
{
    switch (baud) {
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    default: return B9600;
    }
}

} // namespace

RawSerialLine::RawSerialLine(const std::string& device, int baud)
{
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return;
    termios settings{};
    if (::tcgetattr(m_fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, speedOf(baud));
        ::cfsetospeed(&settings, speedOf(baud));
        if (::tcsetattr(m_fd, TCSANOW, &settings) == 0)
            return;
    }
    ::close(m_fd);
    m_fd = -1;
}

RawSerialLine::~RawSerialLine()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<std::uint8_t> RawSerialLine::ask(const std::vector<std::uint8_t>& frame,
                                              std::chrono::milliseconds quiet)
{
    std::vector<std::uint8_t> answer;
    if (::write(m_fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size()))
        return answer;
    pollfd pfd{m_fd, POLLIN, 0};
    // A frame's bytes come together; once they have begun, a short gap ends it.
    constexpr int GapMs = 20;
    while (::poll(&pfd, 1, answer.empty() ? static_cast<int>(quiet.count()) : GapMs) > 0) {
        std::uint8_t buffer[256];
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        answer.insert(answer.end(), buffer, buffer + got);
    }
    return answer;
}

} // namespace tarn::e2e
