// Arbitrary bytes as a site file: read line by line without reading past the
// end, and whatever loads writes out to a file that loads the same cameras
// with no problem at all.
#include "control/SiteFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tarn::SiteFile::Contents contents =
        tarn::SiteFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (contents.cameras.size() > static_cast<std::size_t>(tarn::SiteFile::MostCameras))
        std::abort();
    const std::string written = tarn::SiteFile::serialise(contents.cameras);
    const tarn::SiteFile::Contents again = tarn::SiteFile::parse(written);
    if (again.cameras != contents.cameras || !again.problems.empty())
        std::abort();
    return 0;
}
