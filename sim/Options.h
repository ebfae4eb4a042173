#pragma once

#include "sim/BaudRate.h"
#include "sim/Simulator.h"

#include <optional>
#include <string>
#include <vector>

namespace tarn::sim {

// The command line of tarn-camsim.
struct Options {
    enum class Line { None, Pty, Tcp };

    Line line = Line::None;
    std::string linkPath;   // --link: symbolic link to the pty slave
    std::string tcpHost;
    int tcpPort = 0;
    // A port server's serial side runs at one rate: the domes at it answer.
    int tcpBaud = BaudRate::Default;
    std::string logPath;
    // Log time stamps on the monotonic clock's own scale, to the microsecond.
    bool logMonotonic = false;
    // Answer from a console's traffic capture instead of as a camera.
    std::string replayPath;
    Simulator::Settings simulator;
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. On failure returns nothing
// and puts the reason into `error`.
std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error);

std::string usageText();
// "tarn-camsim 0.1": the project version the simulator was built with.
std::string versionText();

} // namespace tarn::sim
