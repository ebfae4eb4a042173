#pragma once

#include "link/ByteTransport.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tarn {

class MainThreadPoster;
class Prompter;

// Receives the bytes of the line on the main thread, one call per byte, in
// arrival order, with the COM number they came from.
class SerialPortOwner {
public:
    virtual void serialByteReceived(std::uint8_t byte, int port) = 0;
    // The device went away (unplugged, its far end closed): `call` failed with
    // `error`. Told once, on the main thread; the worker has ended and the
    // port takes no more writes until it is opened again.
    virtual void serialPortLost(int /*port*/, const std::string& /*call*/, int /*error*/) {}

protected:
    ~SerialPortOwner() = default;
};

// Comm-event mask bits (the console asks for CharReceived | CtsChanged).
namespace SerialEvent {
inline constexpr std::uint32_t CharReceived = 0x0001;
inline constexpr std::uint32_t CtsChanged = 0x0008;
} // namespace SerialEvent

// One COM port on POSIX termios with its worker thread. The worker waits for
// the line and for write requests (shutdown first, then received bytes, then
// writes), purges the port before each write, and hands every received byte to
// the owner through the main-thread poster. Failures of system calls are shown
// in the "Application Error" box naming the call and the device, from the main
// thread; a device that goes away is not a failure box but one notice to the
// owner, after which the port is lost: nothing is written or reported until
// it is opened again.
class SerialPort final : public ByteTransport {
public:
    // devicePathFor maps a COM number to the device to open (/dev/ttyUSB0, a pty...).
    SerialPort(MainThreadPoster& poster, Prompter& prompter,
               std::function<std::string(int port)> devicePathFor);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Returns 1 when the device was opened, 0 when it was not (no message: the
    // caller reports it, with openError()). Stops a running worker before
    // closing the old device. A device another program holds (exclusive, or
    // locked with flock) is not taken: openError() is then EBUSY.
    int open(SerialPortOwner* owner, int port, int baud, char parity, int dataBits,
             int stopBits, std::uint32_t eventMask, std::size_t writeBufferSize);
    // Starts the worker; call after a successful open().
    bool startThread();
    // Copies the bytes and asks the worker to write them; returns at once.
    // Nothing happens when the port is not open.
    void write(std::span<const std::uint8_t> bytes) override;

    // Stops the worker and closes the device.
    void close();

    bool isOpen() const;
    // Open, but the device went away under it.
    bool isLost() const;
    bool canSend() const override;
    bool isThreadAlive() const;
    int portNumber() const;
    // The device of the last open(), as the COM map named it then.
    std::string devicePath() const;
    // The device the COM map names for `port` now.
    std::string devicePathNow(int port) const;
    // Why the last open() failed (errno), 0 after a successful one.
    int openError() const;

    // The system's text for an errno, safe from any thread.
    static std::string errorText(int error);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace tarn
