// Arbitrary bytes as a traffic capture opened in the Traffic window: never
// read past the end, every entry decoded and written as a text-log line, and
// whatever reads writes back to the same entries.
#include "link/TrafficCapture.h"
#include "link/TrafficTextLog.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto loaded = tarn::TrafficCapture::load(std::span(data, size));
    if (!loaded)
        return 0;
    tarn::TrafficRecord record(loaded->start, loaded->earlierEntries, loaded->entries.size() + 1);
    for (const tarn::TrafficEntry& entry : loaded->entries)
        record.add(entry);
    // One line per entry, eleven columns each: nothing from the file may
    // break a line or add a column.
    for (std::size_t i = 0; i < record.size(); ++i) {
        const std::string line = tarn::TrafficTextLog::line(record.at(i), record.sessionStart());
        std::size_t tabs = 0, ends = 0;
        for (const char c : line) {
            tabs += c == '\t';
            ends += c == '\n' || c == '\r';
        }
        if (tabs != 10 || ends != 1 || line.back() != '\n')
            std::abort();
    }
    const auto again = tarn::TrafficCapture::load(tarn::TrafficCapture::whole(record));
    if (!again || again->damaged || again->entries.size() != loaded->entries.size())
        std::abort();
    for (std::size_t i = 0; i < loaded->entries.size(); ++i)
        if (!again->entries[i].sameAs(loaded->entries[i]) || again->entries[i].text != loaded->entries[i].text)
            std::abort();
    return 0;
}
