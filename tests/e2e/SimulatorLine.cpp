#include "SimulatorLine.h"

namespace tarn::e2e {

namespace {

std::vector<Bytes> bytesOf(const std::vector<SimTrafficLog::Line>& lines)
{
    std::vector<Bytes> frames;
    for (const SimTrafficLog::Line& line : lines)
        frames.push_back(line.bytes);
    return frames;
}

} // namespace

SimulatorLine::~SimulatorLine()
{
    console.reset();
    simulator.reset();
}

std::vector<std::string> SimulatorLine::withLog(std::vector<std::string> options) const
{
    options.insert(options.end(), {"--log", directory.file("camsim.log")});
    return options;
}

void SimulatorLine::startOnPty(std::vector<std::string> options)
{
    options.insert(options.begin(), "--pty");
    simulator = std::make_unique<CamSimProcess>(withLog(options));
    ASSERT_TRUE(simulator->started()) << "tarn-camsim did not announce its pty";
    ASSERT_TRUE(simulator->firstLine().starts_with("pty: /dev/")) << simulator->firstLine();
    ASSERT_TRUE(console->openSerial(simulator->where()));
}

void SimulatorLine::startOnTcp(std::vector<std::string> options, bool headerPort)
{
    options.insert(options.begin(), {"--tcp", "127.0.0.1:0"});
    simulator = std::make_unique<CamSimProcess>(withLog(options));
    ASSERT_TRUE(simulator->started()) << "tarn-camsim did not announce its port";
    ASSERT_TRUE(simulator->firstLine().starts_with("tcp: 127.0.0.1:")) << simulator->firstLine();
    ASSERT_TRUE(console->connectPortServer(simulator->where(), headerPort));
}

std::vector<Bytes> SimulatorLine::received() const
{
    return bytesOf(log.lines("rx"));
}

std::vector<Bytes> SimulatorLine::sent() const
{
    return bytesOf(log.lines("tx"));
}

} // namespace tarn::e2e
