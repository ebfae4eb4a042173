#pragma once

#include "control/CommissioningSweep.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// `--sweep` for scripts: which rates, protocols and addresses to ask. The
// link comes from --port-device or --connect; what is not given is taken from
// the settings when the sweep starts.
struct SweepOptions {
    std::vector<int> baudIndexes;     // empty: the configured rate
    std::vector<int> protocolIndexes; // empty: the configured protocol
    int firstAddress = 1;
    int lastAddress = 254;
    std::optional<std::string> siteOut;

    // "9600,19200": the settings' baud indexes, or why not.
    static std::optional<std::vector<int>> parseBauds(std::string_view text, std::string& error);
    // "1,2": protocol indexes of the protocol list.
    static std::optional<std::vector<int>> parseProtocols(std::string_view text, std::string& error);
    // "1-254", or one address.
    static bool parseAddresses(std::string_view text, SweepOptions& options, std::string& error);
};

// The lines `--sweep` prints.
namespace SweepReport {
// "found /dev/ttyUSB0 baud=9600 protocol=1 address=37 firmware=2.10 pan-tilt=3"
std::string foundLine(const SweepFind& find);
// "swept 254 questions in 25.6 s"
std::string summaryLine(int questions, double seconds);
} // namespace SweepReport

} // namespace tarn
