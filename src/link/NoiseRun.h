#pragma once

#include "link/ReplySink.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn {

// The bytes an assembler passes over between frames (line noise, the tail of
// a frame given up), kept until the run ends so that it is told once. The
// first `Kept` bytes are kept; the rest are only counted.
class NoiseRun {
public:
    static constexpr std::size_t Kept = 64;

    void add(std::uint8_t byte)
    {
        if (m_count < Kept)
            m_bytes[m_count] = byte;
        ++m_count;
    }
    bool empty() const { return m_count == 0; }
    // The run has ended: the sink hears of it once.
    void flush(ReplySink& sink)
    {
        if (m_count == 0)
            return;
        const std::size_t kept = m_count < Kept ? m_count : Kept;
        const std::size_t total = m_count;
        m_count = 0;
        sink.noiseSkipped(std::span<const std::uint8_t>(m_bytes.data(), kept), total);
    }

private:
    std::array<std::uint8_t, Kept> m_bytes{};
    std::size_t m_count = 0;
};

} // namespace tarn
