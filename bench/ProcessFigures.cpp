#include "ProcessFigures.h"

#include "CamSimProcess.h"
#include "ConsoleProcess.h"
#include "PacedLine.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"

#include "link/TrafficRecord.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tarn::bench {

namespace {

using namespace std::chrono_literals;

// The connection sequence's first frame goes 5 ms after the main window is up.
constexpr Seconds FirstFrameStep = 5ms;

// A settings file as a site's laptop has it: a day/night dome, no receiver.
std::string settingsFolder(const e2e::TempDirectory& directory)
{
    const std::string home = directory.file("config");
    std::filesystem::create_directories(home + "/Tarn");
    std::ofstream(home + "/Tarn/tarn-console.conf") << "[Setup]\nRxType=0\nCamType=1\n";
    return home;
}

std::string megabytes(long kb)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kb) / 1024);
    return text;
}

} // namespace

std::vector<Figure> startUp(const std::string& console, int runs)
{
    const std::string what = "start-up to the first frame, median";
    e2e::TempDirectory directory;
    const std::string home = settingsFolder(directory);
    const std::string logPath = directory.file("camsim.log");
    e2e::CamSimProcess simulator({"--pty", "--pace", "line", "--log", logPath, "--log-monotonic"});
    if (!simulator.started())
        return {{what, {}, {}, "not measured: the simulator did not start"}};
    const e2e::SimTrafficLog log(logPath);
    std::vector<Seconds> samples;
    // The first run fills the file cache; it is not counted.
    for (int run = 0; run <= runs; ++run) {
        const double started = PacedLine::monotonicNow();
        ConsoleProcess process(console, {"--port-device", simulator.where()}, home);
        if (!process.started())
            break;
        std::optional<e2e::SimTrafficLog::Line> first;
        log.waitFor(
            [&](const auto& lines) {
                first = e2e::SimTrafficLog::firstReceivedSince(lines, started);
                return first.has_value();
            },
            10s);
        process.stop();
        if (!first)
            break;
        if (run > 0)
            samples.emplace_back(first->seconds - started);
        std::this_thread::sleep_for(200ms);
    }
    if (samples.size() != static_cast<std::size_t>(runs))
        return {{what, {}, {}, "not measured: the console sent nothing"}};
    return {{what + " of " + std::to_string(runs), median(samples), FirstFrameStep,
             "floor: the connection's first step, 5 ms after the window"}};
}

std::vector<Figure> memoryOverAnHour(const std::string& console, int speedUp)
{
    const std::string what = "memory after 1 h of status polling, Traffic open";
    e2e::TempDirectory directory;
    const std::string home = settingsFolder(directory);
    const std::string logPath = directory.file("camsim.log");
    // Answers at once: at --speed-up the response time-out is a few ms.
    e2e::CamSimProcess simulator({"--pty", "--log", logPath});
    if (!simulator.started())
        return {{what, {}, {}, "not measured: the simulator did not start"}};
    const e2e::SimTrafficLog log(logPath);
    ConsoleProcess process(console,
                           {"--port-device", simulator.where(), "--speed-up", std::to_string(speedUp),
                            "--open-dialog", "Status ?/Traffic"},
                           home);
    if (!process.started())
        return {{what, {}, {}, "not measured: the console did not start"}};
    // The buttons are pressed 3 and 4.5 s after start, on the wall clock.
    std::this_thread::sleep_for(6s);
    const long startKb = process.residentKb();
    const std::size_t startFrames = log.lines().size();
    std::this_thread::sleep_for(std::chrono::seconds(3600 / speedUp));
    const long endKb = process.residentKb();
    const std::size_t frames = log.lines().size() - startFrames;
    process.stop();
    if (startKb == 0 || endKb == 0 || frames == 0)
        return {{what, {}, {}, "not measured: the console did not poll"}};

    const double perFrame = static_cast<double>(endKb - startKb) * 1024 / static_cast<double>(frames);
    const auto atCap = static_cast<long>(perFrame * TrafficRecord::DefaultCapacity / 1024);
    char note[200];
    std::snprintf(note, sizeof note,
                  "%s; %s when polling began; %zu frames, %.0f bytes a frame kept, so at most %s more at "
                  "the Traffic window's cap of %zu",
                  megabytes(endKb).c_str(), megabytes(startKb).c_str(), frames, perFrame,
                  megabytes(std::max(atCap, 0L)).c_str(), TrafficRecord::DefaultCapacity);
    return {{what, {}, {}, note}};
}

} // namespace tarn::bench
