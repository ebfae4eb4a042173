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
    context.protocolIndex = camera.protocolIndex;
    context.baudIndex = camera.baudIndex;
    context.followProtocol = [&control](int protocolIndex) {
        control.link().state().protocolIndex = protocolIndex;
        control.savedSettings().commProtocol = protocolIndex;
    };
    // On a port server the rate is the server's: only the camera changes.
    context.followBaud = [&control](int baudIndex) {
        if (control.link().state().linkMode == 0)
            control.useSerialLine(control.serialPortNumber(), baudIndex);
    };
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
