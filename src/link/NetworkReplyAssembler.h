#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn {

class ReplySink;

// Turns what one read from the port server returns into acknowledgements and
// F8 frames (the server always answers in F8 form). One read may hold several
// frames, and a frame may continue in the next read.
class NetworkReplyAssembler {
public:
    static constexpr std::size_t BufferSize = 64;

    void feed(std::span<const std::uint8_t> bytes, ReplySink& sink);

    bool collecting() const { return m_collecting; }

private:
    std::array<std::uint8_t, BufferSize> m_buffer{};
    std::size_t m_count = 0;
    bool m_collecting = false;
};

} // namespace tarn
