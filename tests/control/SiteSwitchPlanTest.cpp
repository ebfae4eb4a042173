#include "control/SiteSwitchPlan.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

using Step = SiteSwitchPlan::Step;
using Change = SiteSwitchPlan::LineChange;

SiteCamera at(std::string link, int baudIndex, int protocol, int address)
{
    SiteCamera c;
    c.name = "C";
    c.link = std::move(link);
    c.baudIndex = baudIndex;
    c.protocolIndex = protocol;
    c.address = address;
    return c;
}

TEST(SiteSwitchPlan, stopsGoFirstAndTheLineMovesOnlyAsFarAsItMust)
{
    const std::vector<Step> addressOnly = {Step::StopHeld, Step::StopPolling, Step::SetAddress, Step::ApplyTypes,
                                           Step::RequestStatus};
    const std::vector<Step> reopen = {Step::StopHeld,   Step::StopPolling, Step::ReopenPort,
                                      Step::SetAddress, Step::ApplyTypes,  Step::RequestStatus};
    const std::vector<Step> reconnect = {Step::StopHeld,   Step::StopPolling, Step::ConnectPortServer,
                                         Step::SetAddress, Step::ApplyTypes,  Step::RequestStatus};
    struct Row {
        const char* what;
        SiteCamera leaving;
        SiteCamera chosen;
        bool withPortTable;
        Change change;
        std::vector<Step> steps;
    };
    const Row rows[] = {
        {"same line, other address", at("COM1", 0, 1, 5), at("COM1", 0, 1, 7), false, Change::AddressOnly, addressOnly},
        {"same line, other protocol", at("COM1", 0, 1, 5), at("COM1", 0, 2, 7), false, Change::AddressOnly,
         {Step::StopHeld, Step::StopPolling, Step::SetProtocol, Step::SetAddress, Step::ApplyTypes, Step::RequestStatus}},
        {"other rate", at("COM1", 0, 1, 5), at("COM1", 6, 1, 5), false, Change::ReopenPort, reopen},
        {"other COM port", at("COM1", 0, 1, 5), at("COM2", 0, 1, 5), false, Change::ReopenPort, reopen},
        {"COM5 and its device", at("COM5", 0, 1, 5), at("/dev/ttyUSB0", 0, 1, 7), true, Change::AddressOnly, addressOnly},
        {"COM5 and a device, no table", at("COM5", 0, 1, 5), at("/dev/ttyUSB0", 0, 1, 7), false, Change::ReopenPort,
         reopen},
        {"serial to port server", at("COM1", 0, 1, 5), at("10.0.0.5:4001", 0, 1, 5), false, Change::ReconnectPortServer,
         reconnect},
        {"one port server to another", at("10.0.0.5:4001", 0, 1, 5), at("10.0.0.5:4002", 0, 1, 5), false,
         Change::ReconnectPortServer, reconnect},
        {"port server, other rate", at("localhost:4001", 0, 1, 5), at("127.0.0.1:4001", 6, 1, 9), false,
         Change::AddressOnly, addressOnly},
        {"port server to serial", at("10.0.0.5:4001", 0, 1, 5), at("COM1", 0, 1, 5), false, Change::ReopenPort, reopen},
    };
    const SiteSwitchPlan::DevicePathFor table = [](int com) { return com == 5 ? "/dev/ttyUSB0" : "/dev/ttyS9"; };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SiteSwitchPlan plan =
            SiteSwitchPlan::make(row.leaving, row.chosen, row.withPortTable ? table : SiteSwitchPlan::DevicePathFor{});
        EXPECT_EQ(plan.lineChange, row.change);
        EXPECT_EQ(plan.steps, row.steps);
        EXPECT_EQ(plan.stopAddress, row.leaving.address);
    }
}

} // namespace
} // namespace tarn
