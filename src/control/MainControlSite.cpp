// The main window's logic for a site list: which camera it drives, and the
// switch from one to another.
#include "control/MainControl.h"

#include "control/SiteLink.h"
#include "control/SiteSwitchPlan.h"
#include "core/Messages.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

namespace tarn {

SiteCamera MainControl::currentCamera() const
{
    const LinkState& state = m_link.state();
    SiteCamera camera;
    // A port server reached some other way than a switch is not known by
    // address: switching away from it reconnects.
    camera.link = state.linkMode == 1 ? m_portServerLink : "COM" + std::to_string(m_settings.port);
    camera.protocolIndex = state.protocolIndex;
    camera.baudIndex = m_settings.baud;
    camera.address = state.address;
    camera.receiverType = state.cameraType;
    camera.cameraType = state.moduleType;
    camera.panTiltType = m_panel.ptType();
    return camera;
}

bool MainControl::switchToCamera(const SiteCamera& chosen)
{
    const SiteLink link = SiteLink::parse(chosen.link);
    // A device of the list is used by its COM number; one without a number
    // gets the next free one in [Ports], as choosing it in Setup does.
    int comNumber = link.comNumber;
    std::optional<SerialPortEntry> unnumbered;
    if (link.kind == SiteLink::Kind::Device) {
        comNumber = 0;
        for (const SerialPortEntry& entry : serialPorts())
            if (entry.device == link.device && entry.present) {
                comNumber = entry.comNumber;
                if (!entry.numbered)
                    unnumbered = entry;
            }
    }
    if (link.kind == SiteLink::Kind::Invalid || (link.isSerial() && comNumber <= 0)) {
        m_platform.prompter.showMessage(Messages::format(Messages::SiteLinkCannotBeUsed, chosen.label().c_str(),
                                                         chosen.link.c_str()),
                                        Messages::SiteErrorTitle, MessageIcon::Warning);
        return false;
    }

    const std::vector<SerialPortEntry> ports = serialPorts();
    const auto devicePathFor = [&ports](int number) {
        for (const SerialPortEntry& entry : ports)
            if (entry.comNumber == number)
                return entry.device;
        return std::string();
    };
    const SiteSwitchPlan plan = SiteSwitchPlan::make(currentCamera(), chosen, devicePathFor);
    LinkState& state = m_link.state();
    for (const SiteSwitchPlan::Step step : plan.steps) {
        switch (step) {
        case SiteSwitchPlan::Step::StopHeld:
            m_panel.sendHeldStopsNow();
            break;
        case SiteSwitchPlan::Step::StopPolling:
            m_panel.stopPolling();
            break;
        case SiteSwitchPlan::Step::ReopenPort:
            if (unnumbered)
                m_portList.assignNumber(*unnumbered);
            if (state.linkMode == 1)
                m_portServer.chooseSerial();
            useSerialLine(comNumber, chosen.baudIndex);
            break;
        case SiteSwitchPlan::Step::ConnectPortServer:
            if (state.linkMode != 1)
                m_portServer.chooseNetwork();
            m_portServer.connect(link.address, std::to_string(link.port));
            m_portServerLink = chosen.link;
            break;
        case SiteSwitchPlan::Step::SetProtocol:
            state.protocolIndex = chosen.protocolIndex;
            break;
        case SiteSwitchPlan::Step::SetAddress:
            m_panel.setAddress(chosen.address);
            if (m_addressChanged)
                m_addressChanged(state.address);
            break;
        case SiteSwitchPlan::Step::ApplyTypes:
            state.cameraType = chosen.receiverType;
            state.moduleType = chosen.cameraType;
            m_panel.setPtType(chosen.panTiltType);
            m_panel.applyCameraType();
            break;
        case SiteSwitchPlan::Step::RequestStatus:
            m_connection.requestStatus(1);
            break;
        }
    }
    return true;
}

} // namespace tarn
