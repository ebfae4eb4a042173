#include "link/SerialPortState.h"

#include <array>
#include <cerrno>

#include <poll.h>

namespace tarn {
namespace {

using Clock = std::chrono::steady_clock;

// The line gives up on a write that makes no progress for this long.
constexpr auto LineTimeout = std::chrono::milliseconds(1000);
// One read per wake-up at most this big, so a chatty camera cannot hold off
// the commands waiting to go out.
constexpr std::size_t ReadChunk = 512;

int pollTimeout(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

void SerialPort::State::configure(int device, int comPort, int baud, char parity, int dataBits, int stopBits)
{
    TermiosLine::configure(device, baud, parity, dataBits, stopBits,
                           [this, comPort](const char* call, int error) { report(call, error, comPort); });
}

void SerialPort::State::run(const Line& line, std::promise<void> started)
{
    TermiosLine::purge(line.fd);
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
            TermiosLine::drainWake(line.wakeFd);
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

SerialPort::State::Receipt SerialPort::State::receive(const Line& line, short revents)
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
    if (TermiosLine::deviceGone(error)) {
        lose(line, "read()", error);
        return Receipt::Lost;
    }
    // Some other trouble with reading: said once, and the line is no
    // longer read, so it cannot repeat.
    report("read()", error, line.port);
    return Receipt::NotWatching;
}

bool SerialPort::State::sendPending(const Line& line)
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
        TermiosLine::discardUnreadReplies(line.fd);
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

bool SerialPort::State::sendAll(const Line& line, std::span<const std::uint8_t> bytes)
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
            if (TermiosLine::deviceGone(error)) {
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

SerialPort::State::Wait SerialPort::State::waitWritable(const Line& line, Clock::time_point deadline)
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
            TermiosLine::drainWake(line.wakeFd);
            if (shuttingDown())
                return Wait::Shutdown;
        }
        // Room, or an error condition that the next write() will name.
        if (fds[0].revents != 0)
            return Wait::Ready;
    }
}

} // namespace tarn
