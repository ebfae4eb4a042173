#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn {

// Where the assemblers put what they recognised in the byte stream.
class ReplySink {
public:
    virtual void acknowledgementReceived() = 0;
    // A whole reply frame from byte 0; valid only during the call.
    virtual void frameReceived(std::span<const std::uint8_t> frame) = 0;
    // A run of bytes passed over between frames, once it has ended: the
    // first of them (all when `total` is no more) and how many there were.
    virtual void noiseSkipped(std::span<const std::uint8_t> bytes, std::size_t total)
    {
        (void)bytes;
        (void)total;
    }

protected:
    ~ReplySink() = default;
};

} // namespace tarn
