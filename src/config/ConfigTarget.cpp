#include "config/ConfigTarget.h"

#include "control/MainControl.h"

namespace tarn::ConfigTarget {

SnapshotContext context(MainControl& control, std::string domeFilePath)
{
    const SiteCamera camera = control.currentCamera();
    SnapshotContext context{control, camera.receiverType, camera.cameraType, camera.panTiltType,
                            std::move(domeFilePath), {}};
    for (const std::string& name : control.presets().names())
        context.presetNames.push_back(name);
    return context;
}

SnapshotHeader header(const MainControl& control, std::string link, std::string date)
{
    const SiteCamera camera = control.currentCamera();
    SnapshotHeader header;
    header.date = std::move(date);
    header.link = std::move(link);
    header.address = camera.address;
    header.protocolIndex = camera.protocolIndex;
    header.baudRate = control.settings().baudRate();
    header.receiverType = camera.receiverType;
    header.moduleType = camera.cameraType;
    return header;
}

} // namespace tarn::ConfigTarget
