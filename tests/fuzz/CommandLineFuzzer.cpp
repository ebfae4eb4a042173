// Any option values: the words are the input split at its zero bytes, taken
// in pairs of an option's name and its value.
#include "app/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        words.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    tarn::CommandLine line;
    for (std::size_t i = 0; i + 1 < words.size() && line.take(words[i], words[i + 1]); i += 2) {
    }
    // An understood --connect always names a usable port.
    if (line.error.empty() && line.connect) {
        const std::string& port = line.connect->port;
        if (port.empty() || port.size() > 5)
            __builtin_trap();
    }
    // Empty steps never become buttons.
    for (const std::string& button : line.openDialog)
        if (button.empty())
            __builtin_trap();
    // A sweep that was understood asks a range of real addresses.
    line.finish(!words.empty() && words[0] == "sweep");
    if (line.error.empty() && line.sweep
        && (line.sweep->firstAddress < 1 || line.sweep->firstAddress > line.sweep->lastAddress))
        __builtin_trap();
    (void)tarn::CommandLine::parsePortServer(text);
    return 0;
}
