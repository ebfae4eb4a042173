#include "LineFigures.h"

#include "PacedLine.h"

#include "control/JoystickControl.h"
#include "control/MainPanel.h"
#include "control/PresetPanel.h"
#include "core/CameraTypes.h"
#include "core/Settings.h"
#include "link/CameraLink.h"
#include "link/ConnectionSequence.h"
#include "platform/SdlJoystick.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace tarn::bench {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A queued command's first pump tick (the panel's hold buttons), the pad's
// (and so the stick's), and the pump's period after each send.
constexpr Seconds QueueArm = 5ms;
constexpr Seconds PadArm = 50ms;
constexpr Seconds PumpPeriod = std::chrono::milliseconds(CameraLink::PumpIntervalMs);
constexpr int AnswerPatienceMs = 2000;

std::string atBaud(const std::string& what, int baud)
{
    return what + " at " + std::to_string(baud) + " baud";
}

std::vector<Figure> notMeasured(const std::string& what, const std::string& why)
{
    std::fprintf(stderr, "line benchmark: %s: %s\n", what.c_str(), why.c_str());
    return {{what, {}, {}, "not measured: " + why}};
}

std::vector<Figure> spread(const std::string& what, const std::vector<Seconds>& samples, Seconds floor,
                           const std::string& note = {})
{
    const std::string count = " (" + std::to_string(samples.size()) + ")";
    return {{what + ", median" + count, median(samples), floor, note},
            {what + ", 99th percentile", percentile99(samples), floor, {}}};
}

// Settings for the panel, the console set up for a day/night dome.
Settings dayNightDome(e2e::ConsoleUnderTest& console)
{
    console.state().cameraType = CameraType::AlderHd;
    console.state().moduleType = ModuleType::DayNight;
    return {};
}

// The main window's panel on the line, for a day/night dome on a
// variable-speed pan/tilt unit.
struct PanelOnLine {
    explicit PanelOnLine(e2e::ConsoleUnderTest& console)
        : settings(dayNightDome(console))
        , connection(console.link(), console.prompter(), console.profile(), settings)
        , panel(console.link(), connection, console.prompter(), 2)
    {
        panel.initialise();
    }
    Settings settings;
    ConnectionSequence connection;
    MainPanel panel;
};

std::uint64_t acknowledgements(e2e::ConsoleUnderTest& console)
{
    return console.link().tally().acknowledgements;
}

// Waits for the next acknowledgement after `before`.
bool acknowledged(e2e::ConsoleUnderTest& console, std::uint64_t before)
{
    return console.runUntil([&] { return acknowledgements(console) > before; },
                            std::chrono::milliseconds(AnswerPatienceMs));
}

// Presses something that makes the console send a command, waits for the
// camera's acknowledgement, and gives how long after the press the
// simulator read the command; then lets go and waits for the stop's.
std::vector<Seconds> pressTimes(PacedLine& line, int count, const std::function<void()>& press,
                                const std::function<void()>& release)
{
    e2e::ConsoleUnderTest& console = line.console();
    // Random pauses between presses, so a press does not keep the same
    // phase to any timer of the console's.
    std::minstd_rand random(7);
    std::uniform_int_distribution<int> pause(5, 40);
    std::vector<Seconds> samples;
    for (int round = 0; round < count; ++round) {
        line.idle(std::chrono::milliseconds(pause(random)));
        const std::uint64_t before = acknowledgements(console);
        const double pressed = PacedLine::monotonicNow();
        press();
        if (!acknowledged(console, before))
            break;
        if (const auto arrival = line.firstFrameSince(pressed))
            samples.emplace_back(arrival->seconds - pressed);
        const std::uint64_t held = acknowledgements(console);
        release();
        if (!acknowledged(console, held) || !console.runUntil([&] { return console.settled(); }))
            break;
    }
    return samples;
}

} // namespace

std::vector<Figure> queueDrain(int baud)
{
    constexpr int Commands = 100;
    const std::string what = atBaud("queue drain, 100 commands", baud);
    PacedLine line(baud);
    if (!line.ready())
        return notMeasured(what, "the simulator's line did not open");
    e2e::ConsoleUnderTest& console = line.console();
    const std::uint64_t before = acknowledgements(console);
    const Clock::time_point start = Clock::now();
    for (int index = 0; index < Commands; ++index)
        console.link().enqueue("PSTS");
    const bool drained = console.runUntil([&] { return acknowledgements(console) >= before + Commands; },
                                          std::chrono::seconds(60));
    const Seconds measured = Clock::now() - start;
    const auto frame = line.firstFrameSince(0);
    if (!drained || !frame)
        return notMeasured(what, "the camera did not acknowledge every command");
    // Each command goes out at a pump tick and is acknowledged before the
    // next: the next tick comes a pump period after the send, or when the
    // acknowledgement does if the line is slower than that.
    const Seconds exchange = wireTime(frame->bytes.size() + 1, baud);
    const Seconds floor = QueueArm + (Commands - 1) * std::max(PumpPeriod, exchange) + exchange;
    return {{what, measured, floor, "a command each 100 ms pump tick"}};
}

std::vector<Figure> roundTrip(int baud, int count)
{
    const std::string what = atBaud("round trip, L? to the panel", baud);
    PacedLine line(baud);
    if (!line.ready())
        return notMeasured(what, "the simulator's line did not open");
    e2e::ConsoleUnderTest& console = line.console();
    const auto& replies = console.events().statusReplies;
    std::vector<Seconds> samples;
    for (int round = 0; round < count; ++round) {
        const std::size_t before = replies.size();
        const Clock::time_point asked = Clock::now();
        console.link().SendCommand("L?");
        if (!console.runUntil([&] { return replies.size() > before; },
                              std::chrono::milliseconds(AnswerPatienceMs)))
            break;
        samples.emplace_back(Clock::now() - asked);
    }
    const auto question = line.firstFrameSince(0);
    if (samples.size() != static_cast<std::size_t>(count) || !question)
        return notMeasured(what, "the camera did not answer every question");
    return spread(what, samples, wireTime(question->bytes.size() + replies.back().size(), baud),
                  "floor: the question's and the reply's bytes");
}

std::vector<Figure> holdPress(int count)
{
    const std::string what = "press to first byte, ZI held";
    PacedLine line(9600);
    if (!line.ready())
        return notMeasured(what, "the simulator's line did not open");
    PanelOnLine onLine(line.console());
    MainPanel& panel = onLine.panel;
    line.idle(300ms);
    const std::vector<Seconds> samples = pressTimes(
        line, count, [&] { panel.lensPressed(LensButton::ZoomIn); }, [&] { panel.lensReleased(); });
    if (samples.size() != static_cast<std::size_t>(count))
        return notMeasured(what, "the camera did not acknowledge every press");
    return spread(what, samples, QueueArm, "floor: the queue's 5 ms first tick");
}

std::vector<Figure> stickPress(int count)
{
    const std::string what = "press to first byte, stick pushed";
    PacedLine line(9600);
    if (!line.ready())
        return notMeasured(what, "the simulator's line did not open");
    e2e::ConsoleUnderTest& console = line.console();
    PanelOnLine onLine(console);
    MainPanel& panel = onLine.panel;
    PresetPanel presets(console.link(), console.profile());
    SdlJoystick input(console.timers());
    if (!input.available())
        return notMeasured(what, std::string("SDL: ") + SDL_GetError());
    JoystickControl control(input, panel, presets, console.link(), [] { return PadSetup{2, 63, 63, 0}; });
    bool plugged = false;
    control.setPlugged([&plugged](const std::string& name) { plugged = !name.empty(); });
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 8, 0);
    SDL_Joystick* stick = device >= 0 ? SDL_JoystickOpen(device) : nullptr;
    if (!stick)
        return notMeasured(what, std::string("no virtual stick: ") + SDL_GetError());
    if (!console.runUntil([&] { return plugged; }, std::chrono::seconds(2)))
        return notMeasured(what, "the console did not pick the stick up");
    line.idle(300ms);

    const std::vector<Seconds> samples = pressTimes(
        line, count, [&] { SDL_JoystickSetVirtualAxis(stick, 0, SDL_JOYSTICK_AXIS_MAX); },
        [&] { SDL_JoystickSetVirtualAxis(stick, 0, 0); });
    const SDL_JoystickID id = SDL_JoystickInstanceID(stick);
    SDL_JoystickClose(stick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id)
            SDL_JoystickDetachVirtual(index);
    if (samples.size() != static_cast<std::size_t>(count))
        return notMeasured(what, "the camera did not acknowledge every push");
    return spread(what, samples, PadArm, "floor: the pad's 50 ms first tick; the stick is read each 16 ms");
}

} // namespace tarn::bench
