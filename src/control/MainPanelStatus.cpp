// The main panel's status section: what the camera's status, position and
// Javelin status replies say, into the lamps, latches and position fields.
#include "control/MainPanel.h"

#include "control/JavelinMotion.h"
#include "link/CameraLink.h"
#include "link/ReplyRouter.h"

#include <cstdio>

namespace tarn {

namespace {

std::uint8_t at(std::span<const std::uint8_t> frame, std::size_t position)
{
    return position < frame.size() ? frame[position] : 0;
}

// Three characters whose low nibbles are the hex digits of a 12-bit value.
std::string nibbleText(std::span<const std::uint8_t> frame, std::size_t position)
{
    const int value = ((at(frame, position) & 0x0F) << 8) | ((at(frame, position + 1) & 0x0F) << 4)
        | (at(frame, position + 2) & 0x0F);
    char text[8];
    std::snprintf(text, sizeof text, "%03X", value);
    return text;
}

} // namespace

void MainPanel::statusReply(std::span<const std::uint8_t> frame)
{
    const std::size_t t = ReplyRouter::letterPosition(frame, m_link.state().protocolIndex);
    const auto text = [&](std::size_t i) { return at(frame, t + i); };

    if (text(0) == 'P') {
        m_positions[0] = nibbleText(frame, t + 1);
        m_positions[1] = nibbleText(frame, t + 4);
    } else if (text(0) == 'V') {
        m_positions[2] = nibbleText(frame, t + 1);
        m_positions[3] = nibbleText(frame, t + 4);
    } else if (text(0) == 'L' && text(1) != 'c') {
        applyStatusByte(text(1), true, frame);
    } else if (text(2) == 'L') {
        applyStatusByte(text(3), false, frame);
    }

    if (text(2) == 'A')
        setManualFocusState(text(3) & 0x01, false);
    else if (text(4) == 'A')
        setManualFocusState(text(5) & 0x01, true);
    statusUpdated();
    changed();
}

void MainPanel::applyStatusByte(std::uint8_t status, bool lForm, std::span<const std::uint8_t> frame)
{
    setManualIrisState(status & 0x01);
    m_lamps.cameraPower = status & 0x02;
    m_lamps.lensFast = status & 0x04;
    if (lForm) {
        m_lensFast = at(frame, 3) & 0x04;
        m_autoFocusOnPtz = status & 0x08;
    }
}

void MainPanel::setManualIrisState(bool irisAdjustable)
{
    m_manualIris = !irisAdjustable;
    m_irisButtons = irisAdjustable;
    m_lamps.manualIris = irisAdjustable;
}

void MainPanel::setManualFocusState(bool focusAdjustable, bool onlyEnable)
{
    m_manualFocus = focusAdjustable;
    m_lamps.manualFocus = focusAdjustable;
    if (focusAdjustable || !onlyEnable)
        m_focusButtons = focusAdjustable;
}

void MainPanel::panTiltPosition(int pan, int tilt)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", pan);
    m_positions[0] = text;
    std::snprintf(text, sizeof text, "%04d", tilt);
    m_positions[1] = text;
    changed();
}

void MainPanel::javelinStatus(int length, std::uint8_t status)
{
    if (length == 8 || isJavelin())
        setManualIrisState(status & 0x08);
    m_focusButtons = status & 0x10;
    m_lamps.manualFocus = status & 0x10;
    m_lamps.cameraPower = status & 0x40;
    statusUpdated();
    changed();
}

void MainPanel::statusFields(const StatusFields& fields)
{
    if (fields.lens) {
        const std::uint8_t lens = *fields.lens;
        m_lamps.cameraPower = lens & 0x02;
        m_lamps.lensFast = lens & 0x04;
        setManualIrisState(lens & 0x01);
        if (fields.dayNightForm)
            m_autoFocusOnPtz = lens & 0x08;
    }
    if (fields.autoFocus)
        setManualFocusState(*fields.autoFocus & 0x01, false);
    statusUpdated();
    changed();
}

} // namespace tarn
