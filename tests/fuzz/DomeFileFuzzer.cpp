// Arbitrary bytes as "Dome.dat": never read past the end, never a huge
// allocation, and whatever reads whole writes back to the same tables.
#include "programming/DomeFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tarn::DomeFile::Contents contents = tarn::DomeFile::parse(std::span(data, size));
    if (contents.read) {
        const auto written = tarn::DomeFile::serialise(contents.tables);
        const tarn::DomeFile::Contents again = tarn::DomeFile::parse(written);
        if (!again.read || !(again.tables == contents.tables))
            std::abort();
    }
    return 0;
}
