// Arbitrary bytes as a camera configuration file: read without reading past
// the end; whatever reads writes out to a file that reads the same, compares
// equal to itself, and every part can check each of its sections.
#include "config/ConfigCompare.h"
#include "config/ConfigFile.h"
#include "config/SnapshotParts.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tarn::ConfigFile::Parsed parsed =
        tarn::ConfigFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.snapshot) {
        if (parsed.problem.empty())
            std::abort();
        return 0;
    }
    const tarn::ConfigFile::Parsed again = tarn::ConfigFile::parse(tarn::ConfigFile::serialise(*parsed.snapshot));
    if (!again.snapshot || *again.snapshot != *parsed.snapshot)
        std::abort();
    if (!tarn::ConfigCompare::differences(*parsed.snapshot, *again.snapshot).empty())
        std::abort();
    for (const auto& part : tarn::allSnapshotParts()) {
        if (const tarn::ConfigSection* section = parsed.snapshot->section(part->name()))
            (void)part->check(*section);
    }
    return 0;
}
