#include "control/SiteSwitchPlan.h"

#include "control/SiteLink.h"

namespace tarn {

namespace {

// The device a serial link opens, when it can be told.
std::string devicePath(const SiteLink& link, const SiteSwitchPlan::DevicePathFor& devicePathFor)
{
    if (link.kind == SiteLink::Kind::Device)
        return link.device;
    if (link.kind == SiteLink::Kind::ComPort && devicePathFor)
        return devicePathFor(link.comNumber);
    return {};
}

bool samePort(const SiteLink& a, const SiteLink& b, const SiteSwitchPlan::DevicePathFor& devicePathFor)
{
    if (a == b)
        return true;
    const std::string pathA = devicePath(a, devicePathFor);
    return !pathA.empty() && pathA == devicePath(b, devicePathFor);
}

} // namespace

SiteSwitchPlan SiteSwitchPlan::make(const SiteCamera& leaving, const SiteCamera& chosen,
                                    const DevicePathFor& devicePathFor)
{
    using enum Step;
    SiteSwitchPlan plan;
    plan.stopAddress = leaving.address;
    plan.steps = {StopHeld, StopPolling};

    const SiteLink from = SiteLink::parse(leaving.link);
    const SiteLink to = SiteLink::parse(chosen.link);
    if (to.isPortServer()) {
        if (!(from == to))
            plan.lineChange = LineChange::ReconnectPortServer;
    } else if (!from.isSerial() || !samePort(from, to, devicePathFor) || leaving.baudIndex != chosen.baudIndex) {
        plan.lineChange = LineChange::ReopenPort;
    }
    if (plan.lineChange == LineChange::ReopenPort)
        plan.steps.push_back(ReopenPort);
    else if (plan.lineChange == LineChange::ReconnectPortServer)
        plan.steps.push_back(ConnectPortServer);

    if (leaving.protocolIndex != chosen.protocolIndex)
        plan.steps.push_back(SetProtocol);
    plan.steps.insert(plan.steps.end(), {SetAddress, ApplyTypes, RequestStatus});
    return plan;
}

} // namespace tarn
