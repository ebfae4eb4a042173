#include "link/SerialPort.h"

#include "link/SerialPortState.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tarn {
namespace {

// strerror_r comes in two flavours: GNU returns the text, XSI fills the buffer.
[[maybe_unused]] const char* chosenText(int result, const char* buffer)
{
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* chosenText(const char* result, const char*)
{
    return result;
}

} // namespace

SerialPort::SerialPort(MainThreadPoster& poster, Prompter& prompter,
                       std::function<std::string(int port)> devicePathFor)
    : m_state(std::make_unique<State>(poster, prompter, std::move(devicePathFor)))
{
}

SerialPort::~SerialPort()
{
    m_state->stopThread();
    m_state->closeDevice();
}

int SerialPort::open(SerialPortOwner* owner, int port, int baud, char parity, int dataBits,
                     int stopBits, std::uint32_t eventMask, std::size_t writeBufferSize)
{
    State& s = *m_state;
    // The worker may be inside read() or write() on the old descriptor: it
    // has to be gone before the descriptor is closed (and its number reused).
    s.stopThread();
    s.closeDevice();

    // Asked anew each time: the COM map may have changed, and a symbolic link
    // (/dev/serial/by-id/..., a simulator's link) is followed as it is now.
    const std::string path = s.devicePathFor(port);
    int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    int error = fd < 0 ? (path.empty() ? ENOENT : errno) : 0;
    // Another program that locks the device keeps it: sharing a line mixes
    // both programs' frames.
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EBUSY : 0;
        if (error != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    {
        std::lock_guard lock(s.mutex);
        s.owner = owner;
        s.port = port;
        s.eventMask = eventMask;
        s.pendingBytes = {};
        s.pendingBytes.reserve(writeBufferSize);
        s.sendingBytes = {};
        s.sendingBytes.reserve(writeBufferSize);
        s.fd = fd;
        s.path = path;
        s.openError = error;
    }
    if (fd < 0)
        return 0; // the caller tells the user which port is missing, and why

    // Not shared with other programs; failure (e.g. not a terminal) is harmless.
    ::ioctl(fd, TIOCEXCL);
    s.configure(fd, port, baud, parity, dataBits, stopBits);
    // Opening with a non-zero speed already raises DTR and RTS; a line
    // without modem control (a pty) refuses this, which is fine.
    const int modemLines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &modemLines);
    TermiosLine::purge(fd);
    return 1;
}

bool SerialPort::startThread()
{
    State& s = *m_state;
    if (!isOpen())
        return false;
    if (s.alive)
        return true;
    s.stopThread(); // collects a worker that ended on its own

    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        const int error = errno;
        s.report("eventfd()", error, portNumber());
        return false;
    }
    State::Line line{};
    {
        std::lock_guard lock(s.mutex);
        s.wakeFd = wakeFd;
        line = {s.fd, wakeFd, s.owner, s.port, (s.eventMask & SerialEvent::CharReceived) != 0};
    }
    // Returning only once the worker has purged the line means no byte that
    // arrives after startThread() can be thrown away by that purge.
    std::promise<void> started;
    std::future<void> running = started.get_future();
    s.alive = true;
    s.worker = std::thread([&s, line, started = std::move(started)]() mutable {
        s.run(line, std::move(started));
    });
    running.wait();
    return true;
}

void SerialPort::write(std::span<const std::uint8_t> bytes)
{
    State& s = *m_state;
    std::lock_guard lock(s.mutex);
    if (s.fd < 0 || s.lost)
        return;
    s.pendingBytes.insert(s.pendingBytes.end(), bytes.begin(), bytes.end());
    s.pendingSizes.push_back(bytes.size());
    if (s.wakeFd >= 0)
        TermiosLine::signalWake(s.wakeFd);
}

void SerialPort::close()
{
    m_state->stopThread();
    m_state->closeDevice();
}

bool SerialPort::isOpen() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->fd >= 0;
}

bool SerialPort::isLost() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->fd >= 0 && m_state->lost;
}

bool SerialPort::canSend() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->fd >= 0 && !m_state->lost;
}

std::string SerialPort::devicePath() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->path;
}

std::string SerialPort::devicePathNow(int port) const
{
    return m_state->devicePathFor(port);
}

int SerialPort::openError() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->openError;
}

// strerror() may share one buffer between threads; the worker reports too.
std::string SerialPort::errorText(int error)
{
    std::array<char, 256> buffer{};
    return chosenText(::strerror_r(error, buffer.data(), buffer.size()), buffer.data());
}

bool SerialPort::isThreadAlive() const
{
    return m_state->alive;
}

int SerialPort::portNumber() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->port;
}

} // namespace tarn
