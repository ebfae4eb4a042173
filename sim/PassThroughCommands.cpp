#include "sim/PassThroughCommands.h"

#include "sim/CameraState.h"
#include "sim/ReplyFrames.h"

namespace tarn::sim {

namespace {

constexpr std::uint8_t OpReset = 2;
constexpr std::uint8_t OpStatus = 3;
constexpr std::uint8_t OpMotion = 4;
constexpr std::uint8_t OpPreset = 5;
constexpr std::uint8_t OpToggle = 6;

constexpr std::uint8_t MotionMoving = 0x80;
constexpr std::uint8_t MotionReverse = 0x40;
constexpr std::uint8_t MotionAxisMask = 0x3F;
constexpr std::uint8_t PresetStore = 0x80;
constexpr std::uint8_t ToggleManualIris = 0x08;
constexpr std::uint8_t ToggleManualFocus = 0x10;

// Same speeds as the Tarn commands: tenths of a degree or lens units per second.
constexpr double PanTiltSpeed = 200;
constexpr double LensSpeed = 1024;
constexpr double IrisSpeed = 128;

std::uint8_t motionBits(const CameraState& state)
{
    return static_cast<std::uint8_t>((state.pan.moving() ? 0x01 : 0) | (state.tilt.moving() ? 0x02 : 0)
                                     | (state.zoom.moving() ? 0x04 : 0)
                                     | (state.focus.moving() ? 0x08 : 0)
                                     | (state.iris.moving() ? 0x10 : 0));
}

std::uint8_t statusBits(const CameraState& state)
{
    return static_cast<std::uint8_t>((state.manualIris ? 0x08 : 0) | (state.manualFocus ? 0x10 : 0)
                                     | (state.cameraPower ? 0x40 : 0));
}

// ARG: bits 0..5 the axis, bit 6 the direction, bit 7 set while moving. The
// direction bit means left, up, in, near and close.
void move(CameraState& state, std::uint8_t argument)
{
    const bool moving = (argument & MotionMoving) != 0;
    const bool reverse = (argument & MotionReverse) != 0;
    const auto speed = [&](double units, bool negativeWhenReverse) {
        if (!moving)
            return 0.0;
        return reverse == negativeWhenReverse ? -units : units;
    };
    switch (argument & MotionAxisMask) {
    case 0:
        state.leaveTour();
        state.pan.setSpeed(speed(PanTiltSpeed, true));
        break;
    case 1:
        state.leaveTour();
        state.tilt.setSpeed(speed(PanTiltSpeed, true));
        break;
    case 2: state.zoom.setSpeed(speed(LensSpeed, false)); break;
    case 3: state.focus.setSpeed(speed(LensSpeed, true)); break;
    case 4: state.iris.setSpeed(speed(IrisSpeed, true)); break;
    default: break;
    }
}

void preset(CameraState& state, std::uint8_t argument)
{
    const int index = argument & ~PresetStore;
    if (index >= CameraState::PresetCount)
        return;
    Preset& preset = state.presets[static_cast<std::size_t>(index)];
    if (argument & PresetStore) {
        preset.stored = true;
        preset.pan = state.pan.roundedPosition();
        preset.tilt = state.tilt.roundedPosition();
        preset.zoom = state.zoom.roundedPosition();
        preset.focus = state.focus.roundedPosition();
    } else if (preset.stored) {
        state.stopAll();
        state.leaveTour();
        state.pan.setPosition(preset.pan);
        state.tilt.setPosition(preset.tilt);
        state.zoom.setPosition(preset.zoom);
        state.focus.setPosition(preset.focus);
    }
}

} // namespace

Answer javelinStatusFrame(const CameraState& state)
{
    const bool longForm = answersLongJavelinStatus(state.identity.model);
    const int address = state.identity.address;
    Bytes frame{0xFF,
                static_cast<std::uint8_t>(longForm ? 10 : 8),
                0x07,
                OpStatus,
                static_cast<std::uint8_t>(address / 256),
                static_cast<std::uint8_t>(address % 256),
                motionBits(state),
                static_cast<std::uint8_t>(state.runningTour + 1)};
    if (longForm) {
        // The Birch units also report where the pan axis stands.
        const int pan = state.pan.roundedPosition();
        frame.push_back(static_cast<std::uint8_t>(pan / 256));
        frame.push_back(static_cast<std::uint8_t>(pan % 256));
    }
    frame.push_back(statusBits(state));
    return ReplyFrames::passThrough(std::move(frame));
}

Answer passThroughAnswer(CameraState& state, std::span<const std::uint8_t> frame)
{
    const std::uint8_t op = frame[3];
    const std::uint8_t argument = frame.size() > 7 ? frame[6] : 0;
    switch (op) {
    case OpStatus: return javelinStatusFrame(state);
    case OpReset:
        state.stopAll();
        state.leaveTour();
        break;
    case OpMotion: move(state, argument); break;
    case OpPreset: preset(state, argument); break;
    case OpToggle:
        if (argument == ToggleManualIris)
            state.manualIris = !state.manualIris;
        else if (argument == ToggleManualFocus)
            state.manualFocus = !state.manualFocus;
        break;
    default: break;
    }
    return ReplyFrames::acknowledgement();
}

} // namespace tarn::sim
