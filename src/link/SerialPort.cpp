#include "link/SerialPort.h"

#include "app/Messages.h"
#include "platform/MainThreadPoster.h"
#include "platform/Prompter.h"

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

using Clock = std::chrono::steady_clock;

// The line gives up on a write that makes no progress for this long.
constexpr auto LineTimeout = std::chrono::milliseconds(1000);
// One read per wake-up at most this big, so a chatty camera cannot hold off
// the commands waiting to go out.
constexpr std::size_t ReadChunk = 512;

// strerror_r comes in two flavours: GNU returns the text, XSI fills the buffer.
[[maybe_unused]] const char* chosenText(int result, const char* buffer)
{
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* chosenText(const char* result, const char*)
{
    return result;
}

speed_t speedFor(int baud)
{
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600; // the console's default rate
    }
}

tcflag_t characterSizeFor(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

tcflag_t parityFor(char parity)
{
    switch (parity) {
    case 'E': return PARENB;
    case 'O': return PARENB | PARODD;
    default: return 0;
    }
}

// How the kernel says the adapter has gone away (unplugged, pty master closed).
bool deviceGone(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF || error == EPIPE;
}

// Discards what is waiting in both directions. A failure is not worth a box:
// there is nothing useful left to discard on a line that refuses the flush.
void purge(int fd)
{
    ::tcflush(fd, TCIOFLUSH);
}

// Before each command: the replies nobody has read belong to the command
// before and are given up. What is still going out stays: cutting the tail
// off the previous frame would put a broken frame on the line.
void discardUnreadReplies(int fd)
{
    ::tcflush(fd, TCIFLUSH);
}

void signalWake(int wakeFd)
{
    const std::uint64_t one = 1;
    // Only fails when the counter is already full, i.e. a wake-up is pending.
    if (::write(wakeFd, &one, sizeof one) < 0) {
    }
}

void drainWake(int wakeFd)
{
    std::uint64_t count = 0;
    if (::read(wakeFd, &count, sizeof count) < 0) {
    }
}

int pollTimeout(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

struct SerialPort::State {
    State(MainThreadPoster& poster, Prompter& prompter,
          std::function<std::string(int port)> devicePathFor)
        : poster(poster), prompter(prompter), devicePathFor(std::move(devicePathFor))
    {
    }

    // What the worker needs; fixed for the life of one worker.
    struct Line {
        int fd;
        int wakeFd;
        SerialPortOwner* owner;
        int port;
        bool watchInput;
    };
    enum class Wait { Ready, TimedOut, Shutdown };

    MainThreadPoster& poster;
    Prompter& prompter;
    std::function<std::string(int port)> devicePathFor;

    // Guards everything below up to the worker. fd and wakeFd only change
    // while no worker runs, so the worker uses its own copies without the lock.
    mutable std::mutex mutex;
    int fd = -1;
    int wakeFd = -1;
    SerialPortOwner* owner = nullptr;
    int port = 0;
    std::uint32_t eventMask = 0;
    bool shutdown = false;
    // The device went away: the worker has ended, writes are dropped.
    bool lost = false;
    std::string path;
    int openError = 0;
    // Write requests waiting for the worker, back to back, oldest first, with
    // one length per request: a second request must never replace the first.
    std::vector<std::uint8_t> pendingBytes;
    std::vector<std::size_t> pendingSizes;

    std::thread worker;
    std::atomic<bool> alive{false};

    // The worker's side of the queue, swapped with the pending one so that
    // steady use does not allocate.
    std::vector<std::uint8_t> sendingBytes;
    std::vector<std::size_t> sendingSizes;

    // The box is shown from the main thread; the closure must not refer to
    // this state, which may be gone by the time it runs.
    void report(const char* call, int error, int comPort) const
    {
        std::string device;
        {
            std::lock_guard lock(mutex);
            device = path;
        }
        // The system's text, then the device on a line of its own.
        const std::string text = Messages::format(Messages::SerialCallFailed, call,
                                                  errorText(error).c_str(), comPort)
            + device + '\n';
        poster.post([&shown = prompter, text] {
            shown.showMessage(text, Messages::ApplicationErrorTitle, MessageIcon::Error);
        });
    }

    // The device went away: from now on nothing is written, and the owner is
    // told once. The worker ends after this.
    void lose(const Line& line, const char* call, int error)
    {
        {
            std::lock_guard lock(mutex);
            lost = true;
            pendingBytes.clear();
            pendingSizes.clear();
        }
        if (line.owner == nullptr)
            return;
        poster.post([owner = line.owner, port = line.port, call = std::string(call), error] {
            owner->serialPortLost(port, call, error);
        });
    }

    bool shuttingDown() const
    {
        std::lock_guard lock(mutex);
        return shutdown;
    }

    void stopThread()
    {
        if (!worker.joinable())
            return;
        {
            std::lock_guard lock(mutex);
            shutdown = true;
            signalWake(wakeFd);
        }
        worker.join();
        std::lock_guard lock(mutex);
        shutdown = false;
        ::close(wakeFd);
        wakeFd = -1;
        alive = false;
    }

    void closeDevice()
    {
        std::lock_guard lock(mutex);
        pendingBytes.clear();
        pendingSizes.clear();
        lost = false;
        if (fd < 0)
            return;
        // A pty keeps the exclusive flag after the last close; without this
        // nobody but root could open the same device again.
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        fd = -1;
    }

    void configure(int device, int comPort, int baud, char parity, int dataBits, int stopBits)
    {
        termios tio{};
        if (::tcgetattr(device, &tio) != 0) {
            // Without the current settings there is nothing safe to change.
            report("tcgetattr()", errno, comPort);
            return;
        }
        // Every byte 0x00..0xFF must cross unchanged: the protocol's frames
        // contain XON/XOFF, CR, LF and the interrupt characters as data.
        tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON
                         | IXOFF | IXANY | IMAXBEL);
#ifdef IUCLC
        tio.c_iflag &= ~IUCLC;
#endif
        tio.c_oflag &= ~OPOST;
        tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CRTSCTS
        tio.c_cflag &= ~CRTSCTS;
#endif
        tio.c_cflag |= CLOCAL | CREAD | characterSizeFor(dataBits) | parityFor(parity)
                       | (stopBits == 2 ? CSTOPB : 0);
        // With VMIN 0 a non-blocking read of an idle line would look like a
        // hang-up (end of file).
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = 0;

        const speed_t speed = speedFor(baud);
        if (::cfsetispeed(&tio, speed) != 0)
            report("cfsetispeed()", errno, comPort);
        if (::cfsetospeed(&tio, speed) != 0)
            report("cfsetospeed()", errno, comPort);
        if (::tcsetattr(device, TCSANOW, &tio) != 0)
            report("tcsetattr()", errno, comPort);
    }

    void run(const Line& line, std::promise<void> started)
    {
        purge(line.fd);
        started.set_value();
        bool watching = true;
        for (;;) {
            bool writesWaiting = false;
            {
                std::lock_guard lock(mutex);
                if (shutdown)
                    break;
                writesWaiting = !pendingSizes.empty();
            }
            std::array<pollfd, 2> fds{{{line.wakeFd, POLLIN, 0},
                                       {line.fd, static_cast<short>(line.watchInput ? POLLIN : 0), 0}}};
            // Queued writes do not wait for the line, but bytes already there
            // are read first.
            const int ready = ::poll(fds.data(), watching ? 2 : 1, writesWaiting ? 0 : -1);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                lose(line, "poll()", errno);
                break;
            }
            if (fds[0].revents & POLLIN)
                drainWake(line.wakeFd);
            if (shuttingDown())
                break;
            if (watching && fds[1].revents != 0) {
                const Receipt receipt = receive(line, fds[1].revents);
                if (receipt == Receipt::Lost)
                    break;
                watching = receipt == Receipt::Watching;
            }
            if (!sendPending(line))
                break;
        }
        alive = false;
    }

    enum class Receipt { Watching, NotWatching, Lost };

    // A hung-up line stays readable for ever and would spin the worker: the
    // device is lost, and the worker ends.
    Receipt receive(const Line& line, short revents)
    {
        if (revents & POLLNVAL) {
            lose(line, "poll()", EBADF);
            return Receipt::Lost;
        }
        const bool hungUp = (revents & (POLLHUP | POLLERR)) != 0;
        if (!(revents & POLLIN)) {
            if (!hungUp)
                return Receipt::Watching;
            lose(line, "poll()", EIO);
            return Receipt::Lost;
        }
        std::array<std::uint8_t, ReadChunk> buffer{};
        const ssize_t count = ::read(line.fd, buffer.data(), buffer.size());
        if (count > 0) {
            if (line.owner != nullptr) {
                poster.post([owner = line.owner, port = line.port,
                             bytes = std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + count)] {
                    for (const std::uint8_t byte : bytes)
                        owner->serialByteReceived(byte, port);
                });
            }
            return Receipt::Watching;
        }
        // A terminal only reads as end of file once it has been hung up.
        if (count == 0) {
            lose(line, hungUp ? "poll()" : "read()", EIO);
            return Receipt::Lost;
        }
        const int error = errno;
        if (error == EINTR || error == EAGAIN || error == EWOULDBLOCK) {
            // Nothing there after all (a purge got in between), unless hung up.
            if (!hungUp)
                return Receipt::Watching;
            lose(line, "poll()", EIO);
            return Receipt::Lost;
        }
        if (deviceGone(error)) {
            lose(line, "read()", error);
            return Receipt::Lost;
        }
        // Some other trouble with reading: said once, and the line is no
        // longer read, so it cannot repeat.
        report("read()", error, line.port);
        return Receipt::NotWatching;
    }

    // Sends every queued request in order, each after a purge: replies still
    // unread belong to the previous command and are given up. Returns false
    // on shutdown and when the device is lost.
    bool sendPending(const Line& line)
    {
        {
            std::lock_guard lock(mutex);
            if (pendingSizes.empty())
                return true;
            sendingBytes.swap(pendingBytes);
            sendingSizes.swap(pendingSizes);
        }
        bool carryOn = true;
        std::size_t offset = 0;
        for (const std::size_t size : sendingSizes) {
            if (shuttingDown()) {
                carryOn = false;
                break;
            }
            discardUnreadReplies(line.fd);
            if (!sendAll(line, std::span(sendingBytes).subspan(offset, size))) {
                carryOn = false;
                break;
            }
            offset += size;
        }
        sendingBytes.clear();
        sendingSizes.clear();
        return carryOn;
    }

    // Returns false on shutdown and when the device is lost. What the line
    // does not take within the time-out is dropped without a box: no call
    // failed, and the operator simply sends the command again.
    bool sendAll(const Line& line, std::span<const std::uint8_t> bytes)
    {
        auto deadline = Clock::now() + LineTimeout;
        while (!bytes.empty()) {
            const ssize_t written = ::write(line.fd, bytes.data(), bytes.size());
            if (written > 0) {
                bytes = bytes.subspan(static_cast<std::size_t>(written));
                deadline = Clock::now() + LineTimeout;
                continue;
            }
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                const int error = errno;
                if (deviceGone(error)) {
                    lose(line, "write()", error);
                    return false;
                }
                report("write()", error, line.port);
                return true;
            }
            switch (waitWritable(line, deadline)) {
            case Wait::Ready: break;
            case Wait::TimedOut: return true;
            case Wait::Shutdown: return false; // or lost
            }
        }
        return true;
    }

    // Waits for room in the output queue, but wakes for a shutdown at once.
    Wait waitWritable(const Line& line, Clock::time_point deadline)
    {
        for (;;) {
            const int timeout = pollTimeout(deadline);
            if (timeout == 0)
                return Wait::TimedOut;
            std::array<pollfd, 2> fds{{{line.fd, POLLOUT, 0}, {line.wakeFd, POLLIN, 0}}};
            const int ready = ::poll(fds.data(), fds.size(), timeout);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                lose(line, "poll()", errno);
                return Wait::Shutdown;
            }
            if (fds[1].revents & POLLIN) {
                drainWake(line.wakeFd);
                if (shuttingDown())
                    return Wait::Shutdown;
            }
            // Room, or an error condition that the next write() will name.
            if (fds[0].revents != 0)
                return Wait::Ready;
        }
    }
};

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
    purge(fd);
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
        signalWake(s.wakeFd);
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
