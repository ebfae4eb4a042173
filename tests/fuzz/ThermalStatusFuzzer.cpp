// Arbitrary bytes as a thermal status reply. The first byte chooses where the
// reply letter stands; every setting the reply may change must stay within
// what its field allows.
#include "imaging/ThermalStatusReply.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool within(int value, int lowest, int highest)
{
    return value == tarn::ThermalSettings::NoSelection || (value >= lowest && value <= highest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);
    tarn::ThermalSettings settings;
    tarn::ThermalStatusReply::apply(frame, data[0] % 10, settings);

    require(within(settings.ffcMode, 0, 2) && within(settings.lut, 0, 11) && within(settings.resolution, 0, 1));
    require(within(settings.operatingMode, 0, 1) && within(settings.video, 0, 1));
    require(within(settings.orientation, 0, 3) && within(settings.digitalZoom, 0, 3));
    require(settings.suppOffset == 0 || settings.suppOffset == 1);
    require(settings.ffcInterval >= 5 && settings.ffcInterval <= 30000);
    require(settings.ffcTemperatureChange >= 0 && settings.ffcTemperatureChange <= 100);
    require(settings.plateau >= 10 && settings.plateau <= 1000);
    require(settings.roiLeft <= 639 && settings.roiTop <= 511 && settings.roiRight >= 1 && settings.roiRight <= 640);
    require(settings.roiBottom >= 1 && settings.roiBottom <= 512);
    require(settings.dde >= -15 && settings.dde <= 0x7F - 15);
    return 0;
}
