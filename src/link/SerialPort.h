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
// in the "Application Error" box naming the call, from the main thread.
class SerialPort final : public ByteTransport {
public:
    // devicePathFor maps a COM number to the device to open (/dev/ttyUSB0, a pty...).
    SerialPort(MainThreadPoster& poster, Prompter& prompter,
               std::function<std::string(int port)> devicePathFor);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Returns 1 when the device was opened, 0 when it was not (no message: the
    // caller reports it). Stops a running worker before closing the old device.
    int open(SerialPortOwner* owner, int port, int baud, char parity, int dataBits,
             int stopBits, std::uint32_t eventMask, std::size_t writeBufferSize);
    // Starts the worker; call after a successful open().
    bool startThread();
    // Copies the bytes and asks the worker to write them; returns at once.
    // Nothing happens when the port is not open.
    void write(std::span<const std::uint8_t> bytes) override;

    bool isOpen() const;
    bool isThreadAlive() const;
    int portNumber() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace tarn
