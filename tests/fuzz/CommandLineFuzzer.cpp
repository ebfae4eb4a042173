// Any command line: the words are the input split at its zero bytes.
#include "app/CommandLine.h"

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
    const tarn::CommandLine line = tarn::CommandLine::parse(words);
    // An understood --connect always names a usable port.
    if (line.error.empty() && line.connect) {
        const std::string& port = line.connect->port;
        if (port.empty() || port.size() > 5)
            __builtin_trap();
    }
    (void)tarn::CommandLine::parsePortServer(text);
    return 0;
}
