#pragma once

#include "link/CommandQueue.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tarn::test {

// Everything waiting in the queue, oldest first, leaving it empty: texts as
// they are, pass-through frames as their eight bytes in hex ("FF 06 07 ...").
inline std::vector<std::string> takeQueued(CommandQueue& queue)
{
    std::vector<std::string> texts;
    while (!queue.empty()) {
        const auto entry = queue.take();
        if (entry[0] != 0xFF) {
            texts.emplace_back(reinterpret_cast<const char*>(entry.data()));
            continue;
        }
        std::string hex;
        for (std::size_t i = 0; i < 8; ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", entry[i]);
            hex += byte;
        }
        texts.push_back(hex);
    }
    return texts;
}

} // namespace tarn::test
