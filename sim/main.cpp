// tarn-camsim: a simulated dome camera on a pseudo-terminal or a TCP port.

#include "sim/Options.h"
#include "sim/PtyServer.h"
#include "sim/SignalWatch.h"
#include "sim/Simulator.h"
#include "sim/SymbolicLink.h"
#include "sim/TcpServer.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int failed(const std::string& problem)
{
    std::fprintf(stderr, "tarn-camsim: %s\n", problem.c_str());
    return 1;
}

// The first line of stdout says where the camera is; whoever started us
// waits for it, so it must not sit in a buffer.
void announce(const char* kind, const std::string& where)
{
    std::printf("%s: %s\n", kind, where.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tarn::sim;

    std::string problem;
    const auto options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::fprintf(stderr, "tarn-camsim: %s\n\n%s", problem.c_str(), usageText().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options->version) {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }

    const SignalWatch signals;
    if (!signals.valid())
        return failed("cannot watch for SIGTERM/SIGINT");

    TrafficLog log;
    // The monotonic clock's zero is the same for every program on the machine.
    const TimePoint logStart = options->logMonotonic ? TimePoint{} : Clock::now();
    if (!options->logPath.empty() && !log.open(options->logPath, logStart, options->logMonotonic))
        return failed("cannot open the log " + options->logPath);
    Simulator simulator(options->simulator, std::move(log));
    if (!options->replayPath.empty()) {
        std::ifstream in(options->replayPath, std::ios::binary);
        if (!in)
            return failed("cannot read the capture " + options->replayPath);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto capture = readCapture(bytes);
        if (!capture)
            return failed(options->replayPath + " is not a traffic capture of the console");
        if (capture->damaged)
            std::fprintf(stderr, "tarn-camsim: %s ends in a damaged record; replaying what comes before it\n",
                         options->replayPath.c_str());
        simulator.replay(ReplayBook(*capture));
    }

    if (options->line == Options::Line::Pty) {
        PtyServer server;
        if (problem = server.open(); !problem.empty())
            return failed(problem);
        SymbolicLink link;
        if (!options->linkPath.empty()) {
            if (problem = link.create(options->linkPath, server.slavePath()); !problem.empty())
                return failed(problem);
        }
        announce("pty", server.slavePath());
        server.serve(simulator, signals.fd());
        return 0;
    }

    simulator.setLineBaud(options->tcpBaud);
    TcpServer server;
    if (problem = server.listen(options->tcpHost, options->tcpPort); !problem.empty())
        return failed(problem);
    announce("tcp", server.boundAddress());
    server.serve(simulator, signals.fd());
    return 0;
}
