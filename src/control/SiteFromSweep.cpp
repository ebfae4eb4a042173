#include "control/SiteFromSweep.h"

namespace tarn {

SiteCamera siteCameraFromSweep(const SweepFind& find, const SiteCamera& defaults)
{
    SiteCamera camera = defaults;
    camera.name = "Camera " + std::to_string(find.address);
    camera.link = find.link;
    camera.protocolIndex = find.protocolIndex;
    camera.baudIndex = find.baudIndex;
    camera.address = find.address;
    if (find.panTiltType >= 0 && find.panTiltType <= SiteCamera::HighestPanTiltType)
        camera.panTiltType = find.panTiltType;
    camera.group.clear();
    camera.note = find.firmware.empty() ? std::string() : "firmware " + find.firmware;
    return camera;
}

} // namespace tarn
