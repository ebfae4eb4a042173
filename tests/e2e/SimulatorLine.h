#pragma once

#include "CamSimProcess.h"
#include "ConsoleUnderTest.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarn::e2e {

using Bytes = std::vector<std::uint8_t>;

// A console core and a tarn-camsim process on one line. The console goes
// first, so its port is closed before the simulator is stopped.
class SimulatorLine : public ::testing::Test {
protected:
    ~SimulatorLine() override;

    // Starts the simulator on a pty with `options` and opens the console's
    // serial port on it.
    void startOnPty(std::vector<std::string> options = {});
    // Starts the simulator as a port server and connects the console to it.
    void startOnTcp(std::vector<std::string> options, bool headerPort);

    std::vector<std::string> withLog(std::vector<std::string> options) const;
    std::vector<Bytes> received() const;
    std::vector<Bytes> sent() const;

    TempDirectory directory;
    SimTrafficLog log{directory.file("camsim.log")};
    std::unique_ptr<CamSimProcess> simulator;
    std::unique_ptr<ConsoleUnderTest> console = std::make_unique<ConsoleUnderTest>();
};

} // namespace tarn::e2e
