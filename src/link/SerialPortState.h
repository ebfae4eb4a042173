#pragma once

// The serial port's shared state: what the main thread and the worker thread
// both see, under one lock, and the worker's side of the line. Private to the
// serial port's own files.

#include "link/SerialPort.h"
#include "link/TermiosLine.h"
#include "core/Messages.h"
#include "platform/MainThreadPoster.h"
#include "platform/Prompter.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include <sys/ioctl.h>
#include <unistd.h>

namespace tarn {

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
            TermiosLine::signalWake(wakeFd);
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

    // Line settings for a freshly opened device; failures are told once each.
    void configure(int device, int comPort, int baud, char parity, int dataBits, int stopBits);

    // The worker thread: reads what arrives, writes what is queued, in order.
    void run(const Line& line, std::promise<void> started);
    enum class Receipt { Watching, NotWatching, Lost };
    // A hung-up line stays readable for ever and would spin the worker: the
    // device is lost, and the worker ends.
    Receipt receive(const Line& line, short revents);
    // Sends every queued request in order, each after a purge: replies still
    // unread belong to the previous command and are given up. Returns false
    // on shutdown and when the device is lost.
    bool sendPending(const Line& line);
    // Returns false on shutdown and when the device is lost. What the line
    // does not take within the time-out is dropped without a box: no call
    // failed, and the operator simply sends the command again.
    bool sendAll(const Line& line, std::span<const std::uint8_t> bytes);
    // Waits for room in the output queue, but wakes for a shutdown at once.
    Wait waitWritable(const Line& line, std::chrono::steady_clock::time_point deadline);
};

} // namespace tarn
