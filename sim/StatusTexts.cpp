#include "sim/StatusTexts.h"

#include "sim/CameraState.h"
#include "sim/PresetCode.h"
#include "sim/TextFields.h"

#include <algorithm>
#include <cmath>

namespace tarn::sim::StatusTexts {

namespace {

constexpr int GainOffset = 16; // gain and aperture bytes are 16 + the number, clear of the control bytes

using TextFields::digitChar;
using TextFields::field;

} // namespace

std::string address(const CameraState& state)
{
    return "A" + TextFields::decimal(state.identity.address, state.addressDigits());
}

char lensStatusByte(const CameraState& state)
{
    return static_cast<char>(0x40 | state.lensStatusBits());
}

char focusStatusByte(const CameraState& state)
{
    return state.manualFocus ? '1' : '0';
}

int tiltOnTheWire(const CameraState& state)
{
    return (state.tilt.roundedPosition() + CameraState::PanTurn) % CameraState::PanTurn;
}

std::string lensStatus(const CameraState& state)
{
    return {'L', lensStatusByte(state), 'A', focusStatusByte(state)};
}

std::string housingStatus(const CameraState& state)
{
    return {'H', digitChar(state.heaterOn ? 1 : 0), 'L', lensStatusByte(state), 'A',
            focusStatusByte(state)};
}

std::string setupStatus(const CameraState& state)
{
    std::string text = "b";
    text += {'L', lensStatusByte(state), 'A', focusStatusByte(state)};
    // Three characters whatever the reading: the fields after it sit at fixed places.
    text += 'T' + TextFields::decimal(std::clamp(state.temperature, -99, 999), 3);
    text += field('P', state.identity.protocol);
    text += field('v', state.videoType);
    text += field('p', state.lineLockPhase);
    std::string version = state.firmware.substr(0, 4);
    version.resize(4, '0');
    text += 'S' + version;
    text += field('M', static_cast<int>(state.identity.model));
    text += field('C', static_cast<int>(state.identity.module));
    text += field('N', state.ntcip ? 1 : 0);
    text += 'X' + TextFields::decimal(state.pan.roundedPosition(), 4);
    text += 'Y' + TextFields::decimal(tiltOnTheWire(state), 4);
    text += {'F', state.videoFreeze};
    return text;
}

std::string dayNightStatus(const CameraState& state)
{
    const DspSettings& dsp = state.dsp;
    std::string text = "c";
    text += field('M', dsp.dayNightMode);
    text += field('R', dsp.infraredMode);
    text += field('S', dsp.shutter);
    text += field('W', dsp.whiteBalance);
    text += field('Y', dsp.wideDynamicRange);
    text += field('B', dsp.backLight);
    text += field('E', dsp.stabiliser);
    text += field('D', dsp.digitalZoom);
    text += {'G', static_cast<char>(GainOffset + dsp.maximumGain)};
    text += field('k', dsp.slowShutterLimit);
    text += {'L', lensStatusByte(state), 'A', focusStatusByte(state)};
    text += field('F', dsp.stabiliserFrequency);
    text += field('w', dsp.indoorOutdoor);
    text += field('P', state.identity.protocol);
    text += field('v', state.videoType);
    text += 'V' + dspZoomPosition(state);
    text += {'a', digitChar(dsp.apertureMode), static_cast<char>(GainOffset + dsp.apertureHorizontal),
             static_cast<char>(GainOffset + dsp.apertureVertical)};
    text += field('p', dsp.poll);
    text += {'z', static_cast<char>(zoomMagnification(state))};
    return text;
}

int zoomMagnification(const CameraState& state)
{
    return 1 + static_cast<int>(std::lround(state.zoom.position() * (HighestMagnification - 1)
                                            / CameraState::LensTop));
}

std::string dspZoomPosition(const CameraState& state)
{
    const long position = std::lround(state.zoom.position() * DspZoomTop / CameraState::LensTop);
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4)
        text += digits[(position >> shift) & 0x0F];
    return text;
}

std::string panTiltDecimal(const CameraState& state)
{
    return "cP" + TextFields::decimal(state.pan.roundedPosition(), 4)
           + TextFields::decimal(tiltOnTheWire(state), 4);
}

std::string panTiltNibbles(const CameraState& state)
{
    return "P" + TextFields::nibbles(state.pan.roundedPosition(), 3)
           + TextFields::nibbles(tiltOnTheWire(state), 3);
}

std::string lensPosition(const CameraState& state)
{
    return "V" + TextFields::nibbles(state.zoom.roundedPosition(), 3)
           + TextFields::nibbles(state.focus.roundedPosition(), 3);
}

std::string presetName(const CameraState& state, int index)
{
    const Preset& preset = state.presets[static_cast<std::size_t>(index)];
    return std::string("dS") + PresetCode::codeOf(index) + preset.name;
}

} // namespace tarn::sim::StatusTexts
