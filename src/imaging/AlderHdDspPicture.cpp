// The picture itself: day/night and the IR illuminator, shutter and slow
// limit, white balance, aperture and gain, zoom, WDR, BLC, stabilisation
// (EIS), digital zoom and the power-up settings.

#include "imaging/AlderHdDsp.h"

#include "core/Messages.h"
#include "imaging/AlderHdDspWire.h"
#include "platform/FieldInteger.h"

namespace tarn {

using namespace AlderHdDspWire;

// Day/Night, IR illuminator, shutter

void AlderHdDsp::setDayNightMode(int index)
{
    if (!choose(Lists::DayNight, index))
        return;
    changed();
}

void AlderHdDsp::setIrMode(int index)
{
    if (!choose(Lists::Ir, index))
        return;
    // Mode 1 switches day/night itself.
    m_enabling.dayNightRadios = index != 1;
    changed();
}

void AlderHdDsp::selectShutter(int index)
{
    if (!inList(index, ShutterCount))
        return;
    m_controls.shutter = index;
    // The slow shutters (1/4 to 1/50) do not go with stabilisation: EIS
    // goes off first and the shutter follows 100 ms later.
    if (m_controls.eis == 1 && index >= 1 && index <= 5) {
        m_controls.eis = 0;
        send("cE0");
        start(Timer::ShutterAfterEis, 100);
    } else {
        sendIndexed(Lists::Shutter.prefix, index);
    }
    changed();
}

void AlderHdDsp::selectSlowLimit(int index)
{
    if (!choose(Lists::SlowLimit, index))
        return;
    changed();
}

// White balance

void AlderHdDsp::setWhiteBalance(int index)
{
    if (!choose(Lists::WhiteBalance, index))
        return;
    m_enabling.trimButtons = index == 1;
    changed();
}

void AlderHdDsp::setIndoorOutdoor(int index)
{
    if (!choose(Lists::IndoorOutdoor, index))
        return;
    changed();
}

void AlderHdDsp::trimPressed(Trim trim)
{
    static constexpr std::string_view commands[] = {"cWR", "cWr", "cWB", "cWb"};
    send(commands[static_cast<int>(trim)]);
}

void AlderHdDsp::trimReleased()
{
    send("cWQ");
}

// Aperture, gain

void AlderHdDsp::setApertureMode(int index)
{
    if (!choose(Lists::ApertureMode, index))
        return;
    m_enabling.apertureLevels = index == 1;
    changed();
}

void AlderHdDsp::setApertureHorizontal()
{
    if (guarded())
        return;
    // A level out of range is not sent, and not told either.
    if (const auto level = readNumberEdit(m_controls.apertureHorizontal, LowestAperture, HighestAperture).value)
        send(std::string("cAH") + static_cast<char>(ByteOffset + *level));
}

void AlderHdDsp::setApertureVertical()
{
    if (guarded())
        return;
    if (const auto level = readNumberEdit(m_controls.apertureVertical, LowestAperture, HighestAperture).value)
        send(std::string("cAV") + static_cast<char>(ByteOffset + *level));
}

void AlderHdDsp::setMaxAgc()
{
    if (guarded())
        return;
    m_invalidEdit = Edit::None;
    // Gains past the labelled 40 dB still go out as the camera may take
    // them, but never as a NUL or a byte with bit 7 set.
    const auto gain = askNumberEdit(m_prompter, m_controls.maxAgc, 1 - ByteOffset, 0x7F - ByteOffset,
                                    Messages::EnterAnIntegerBetween1And40);
    if (!gain) {
        m_invalidEdit = Edit::MaxAgc;
        return;
    }
    send(std::string("cG") + static_cast<char>(ByteOffset + *gain));
}

// Zoom

void AlderHdDsp::selectZoomMagnification(int index)
{
    if (guarded() || !inList(index, ZoomMagnificationCount))
        return;
    m_controls.zoomMagnification = index;
    // The magnification byte: 1 for 1X up to 35 for 35X.
    send(std::string("cZm") + static_cast<char>(index + 1));
    changed();
}

void AlderHdDsp::setZoomPosition()
{
    if (!readControls())
        return;
    const std::string& text = m_controls.zoomPosition;
    if (text.empty() || text.size() > ZoomPositionLength || !printable(text)) {
        refuse(Messages::InvalidZoom, Edit::ZoomPosition);
        return;
    }
    std::string position(ZoomPositionLength - text.size(), '0');
    position += upperCase(text);
    m_controls.zoomPosition = position;
    changed();
    send("cV" + position);
}

void AlderHdDsp::getZoomPosition()
{
    send("cVS");
}

// WDR, BLC, EIS, digital zoom

void AlderHdDsp::setWdr(int index)
{
    if (!inList(index, Lists::Wdr.count))
        return;
    if (index == 0) {
        m_controls.wdr = 0;
        send("cY0");
    } else if (m_controls.eis == 1) {
        // WDR does not go with stabilisation: EIS goes off first.
        m_controls.eis = 0;
        send("cE0");
        start(Timer::WdrAfterEis, 500);
    } else {
        m_controls.wdr = 1;
        send("cY1");
    }
    changed();
}

void AlderHdDsp::setBlc(int index)
{
    if (!choose(Lists::Blc, index))
        return;
    changed();
}

void AlderHdDsp::setEis(int index)
{
    if (!choose(Lists::Eis, index))
        return;
    if (index == 0)
        m_enabling.digitalZoom = true;
    changed();
}

void AlderHdDsp::selectEisFrequency(int index)
{
    if (!choose(Lists::EisFrequency, index))
        return;
    changed();
}

void AlderHdDsp::selectDigitalZoom(int index)
{
    if (!inList(index, DigitalZoomCount) || !readControls())
        return;
    choose(Lists::DigitalZoom, index);
    changed();
}

void AlderHdDsp::powerUp(PowerUp action)
{
    static constexpr std::string_view commands[] = {"cm0", "cm1", "cmd"};
    send(commands[static_cast<int>(action)]);
}

} // namespace tarn
