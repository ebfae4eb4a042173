#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarn::test {

// An F8 frame as a camera or the console puts it on the line: start byte,
// address byte, text, checksum. Built here by hand, never with the console's
// frame builder or the simulator's, so the tests check both against it.
inline std::vector<std::uint8_t> handBuiltFrame(std::uint8_t addressByte, std::string_view text)
{
    std::vector<std::uint8_t> frame;
    frame.reserve(text.size() + 3);
    frame.push_back(0xF8);
    frame.push_back(addressByte);
    for (const char c : text)
        frame.push_back(static_cast<std::uint8_t>(c));
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < frame.size(); ++i)
        sum ^= frame[i];
    frame.push_back(static_cast<std::uint8_t>(0x80 | (sum & 0x0F)));
    return frame;
}

} // namespace tarn::test
