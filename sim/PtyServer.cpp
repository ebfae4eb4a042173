#include "sim/PtyServer.h"

#include "sim/BaudRate.h"
#include "sim/LineIo.h"
#include "sim/Simulator.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tarn::sim {

namespace {

constexpr std::size_t ReadChunk = 512;
// Should the master ever report a hang-up, look again after this long
// instead of spinning on it.
constexpr std::chrono::milliseconds HangUpPause{50};

// Every rate a console might set, so that the log can name a wrong one too.
constexpr std::array<std::pair<speed_t, int>, 18> Speeds{{
    {B50, 50},
    {B75, 75},
    {B110, 110},
    {B134, 134},
    {B150, 150},
    {B200, 200},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B1800, 1800},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
    {B230400, 230400},
}};

// The rate in baud of a termios speed constant; nothing for B0 and for
// speeds it does not know.
std::optional<int> rateOfSpeed(speed_t speed)
{
    for (const auto& [constant, rate] : Speeds) {
        if (constant == speed)
            return rate;
    }
    return std::nullopt;
}

std::string failure(const char* call)
{
    return std::string(call) + ": " + std::strerror(errno);
}

} // namespace

std::string PtyServer::open()
{
    m_master.reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_master.valid())
        return failure("posix_openpt");
    if (::grantpt(m_master.get()) != 0)
        return failure("grantpt");
    if (::unlockpt(m_master.get()) != 0)
        return failure("unlockpt");
    std::array<char, 128> name{};
    if (::ptsname_r(m_master.get(), name.data(), name.size()) != 0)
        return failure("ptsname_r");
    m_slavePath = name.data();
    if (::fcntl(m_master.get(), F_SETFL, ::fcntl(m_master.get(), F_GETFL) | O_NONBLOCK) != 0)
        return failure("fcntl");

    m_slave.reset(::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (!m_slave.valid())
        return failure("open slave");
    // Raw until the console sets the line up itself: no echo, no newline
    // translation, every byte 00..FF through unchanged; at a dome's usual
    // rate, for a writer that never sets one.
    termios settings{};
    if (::tcgetattr(m_slave.get(), &settings) != 0)
        return failure("tcgetattr");
    ::cfmakeraw(&settings);
    static_assert(BaudRate::Default == 9600);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    if (::tcsetattr(m_slave.get(), TCSANOW, &settings) != 0)
        return failure("tcsetattr");
    return {};
}

int PtyServer::lineBaud() const
{
    // The line settings belong to the terminal, not to a descriptor: the
    // simulator's own slave sees the rate the console chose on its.
    termios settings{};
    if (::tcgetattr(m_slave.get(), &settings) != 0)
        return 0;
    return rateOfSpeed(::cfgetospeed(&settings)).value_or(0);
}

void PtyServer::serve(Simulator& simulator, int stopFd)
{
    std::optional<TimePoint> hungUpUntil;
    for (;;) {
        TimePoint now = Clock::now();
        if (hungUpUntil && now >= *hungUpUntil)
            hungUpUntil.reset();
        std::optional<TimePoint> wake = simulator.nextDue();
        if (hungUpUntil && (!wake || *hungUpUntil < *wake))
            wake = hungUpUntil;

        std::array<pollfd, 2> fds{{{stopFd, POLLIN, 0}, {m_master.get(), POLLIN, 0}}};
        const nfds_t count = hungUpUntil ? 1 : 2;
        const int ready = ::poll(fds.data(), count, LineIo::pollTimeout(wake, now));
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents != 0)
            return;

        now = Clock::now();
        if (count == 2 && (fds[1].revents & POLLIN)) {
            std::array<std::uint8_t, ReadChunk> buffer{};
            const ssize_t got = ::read(m_master.get(), buffer.data(), buffer.size());
            if (got > 0) {
                simulator.setLineBaud(lineBaud());
                simulator.receive(std::span(buffer.data(), static_cast<std::size_t>(got)), now);
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                hungUpUntil = now + HangUpPause;
        } else if (count == 2 && fds[1].revents != 0) {
            hungUpUntil = now + HangUpPause;
        }
        for (const Bytes& bytes : simulator.takeDue(now))
            LineIo::writeWithoutWaiting(m_master.get(), bytes, false);
    }
}

} // namespace tarn::sim
