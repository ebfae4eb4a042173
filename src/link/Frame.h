#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn {

// One frame as it goes on the line; never longer than the 100-byte frame buffer.
struct Frame {
    static constexpr std::size_t Capacity = 100;
    std::array<std::uint8_t, Capacity> bytes{};
    std::size_t size = 0;

    std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
    void push(std::uint8_t byte)
    {
        if (size < Capacity)
            bytes[size++] = byte;
    }
};

} // namespace tarn
