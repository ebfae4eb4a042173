#pragma once

#include <cstdint>
#include <span>

namespace tarn {

// Where the send operations put their bytes: the serial port or the port-server
// socket. The senders never know which one is in use.
class ByteTransport {
public:
    virtual ~ByteTransport() = default;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
    // False while nothing can go out: a serial port that is lost or was never
    // opened, a socket that is not connected. A write then has no effect.
    virtual bool canSend() const { return true; }
};

} // namespace tarn
