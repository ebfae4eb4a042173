#pragma once

#include <cstdint>
#include <span>

namespace tarn {

// Where the assemblers put what they recognised in the byte stream.
class ReplySink {
public:
    virtual void acknowledgementReceived() = 0;
    // A whole reply frame from byte 0; valid only during the call.
    virtual void frameReceived(std::span<const std::uint8_t> frame) = 0;

protected:
    ~ReplySink() = default;
};

} // namespace tarn
