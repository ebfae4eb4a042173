#include "control/MainPanel.h"

#include "app/ConnectionSequence.h"
#include "app/Messages.h"
#include "link/CameraLink.h"
#include "link/Protocols.h"
#include "link/ReplyRouter.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tarn {

namespace {

constexpr int PollingMs = 1000;
constexpr int StatusAfterWipeMs = 15000;
constexpr int ProbeAfterNewAddressMs = 50;
constexpr int ModuleDayNight = 1;
constexpr int ModuleThermal = 2;

// Javelin motion: ARG bits 0..5 the axis, bit 6 the direction, bit 7 moving.
namespace Javelin {
constexpr std::uint8_t Reset = 2;
constexpr std::uint8_t Status = 3;
constexpr std::uint8_t Motion = 4;
constexpr std::uint8_t Function = 6;
constexpr std::uint8_t PanLeft = 0xC0, PanLeftStop = 0x40, PanRight = 0x80, PanRightStop = 0x00;
constexpr std::uint8_t TiltUp = 0xC1, TiltUpStop = 0x41, TiltDown = 0x81, TiltDownStop = 0x01;
constexpr std::uint8_t ZoomIn = 0xC2, ZoomInStop = 0x42, ZoomOut = 0x82, ZoomOutStop = 0x02;
constexpr std::uint8_t FocusNear = 0xC3, FocusNearStop = 0x43, FocusFar = 0x83, FocusFarStop = 0x03;
constexpr std::uint8_t IrisOpen = 0x84, IrisOpenStop = 0x04, IrisClose = 0xC4, IrisCloseStop = 0x44;
constexpr std::uint8_t ManualIris = 0x08, ManualFocus = 0x10;
} // namespace Javelin

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

// Left-padded with '0' to `width`, upper case, and in the first three
// characters the hex letters A..F sent as ':'..'?' (so digit d is '0' + d).
std::string positionText(std::string_view typed, std::size_t width)
{
    std::string text(typed);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        char& c = text[i];
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (i < 3 && c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 7);
    }
    return text;
}

int leadingNumber(std::string_view text)
{
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), 1'000'000L);
    }
    return static_cast<int>(value);
}

} // namespace

PanelEnabling PanelEnabling::forCameraType(int cameraType)
{
    PanelEnabling enabling;
    enabling.azimuthSet = true;
    enabling.autoFocusOnPtz = true;
    if (cameraType >= 0 && cameraType <= 5) {
        enabling.reset = enabling.lensFast = enabling.manualIris = enabling.manualFocus = true;
        enabling.zoom = enabling.pad = enabling.presets = enabling.setAddress = true;
        enabling.positionPolling = enabling.positionGoto = enabling.cameraId = true;
        enabling.dspStatus = enabling.tourList = enabling.wipe = true;
    }
    if (cameraType == 4) { // Cedar
        enabling.lensFast = enabling.manualIris = enabling.autoFocusOnPtz = false;
    }
    if (cameraType == 0) // AlderHD
        enabling.wash = true;
    return enabling;
}

std::array<std::uint8_t, 8> MainPanel::javelinFrame(std::uint8_t op, std::uint8_t arg)
{
    // The link puts the address into the two 01 bytes and the checksum last.
    return {0xFF, 0x06, 0x07, op, 0x01, 0x01, arg, 0xFF};
}

MainPanel::MainPanel(CameraLink& link, ConnectionSequence& connection, Prompter& prompter,
                     int ptType)
    : m_link(link)
    , m_connection(connection)
    , m_prompter(prompter)
    , m_ptType(ptType)
{
}

MainPanel::~MainPanel()
{
    m_link.timers().stopAll(*this);
}

bool MainPanel::isJavelin() const
{
    return m_link.state().protocolIndex == Protocol::Javelin;
}

int MainPanel::moduleType() const
{
    return m_link.state().moduleType;
}

int MainPanel::cameraType() const
{
    return m_link.state().cameraType;
}

void MainPanel::changed()
{
    if (m_changed)
        m_changed();
}

void MainPanel::queue(std::string_view text, int delayMs)
{
    if (m_stopsGoNow)
        m_link.SendCommand(text);
    else
        m_link.enqueue(text, delayMs);
}

void MainPanel::queueFrame(std::uint8_t op, std::uint8_t arg, int delayMs)
{
    auto frame = javelinFrame(op, arg);
    if (m_stopsGoNow)
        m_link.SendCommand(std::span<std::uint8_t>(frame));
    else
        m_link.enqueue(std::span<const std::uint8_t>(frame), delayMs);
}

void MainPanel::sendHeldStopsNow()
{
    // The console is closing: the queue no longer runs, so the stops go out
    // at once, before the camera's last commands.
    m_stopsGoNow = true;
    lensReleased();
    if (m_padMoving)
        ptCommand(PadStop);
    m_stopsGoNow = false;
}

void MainPanel::initialise()
{
    applyAddressLimits();
    m_enabling = PanelEnabling::forCameraType(cameraType());
    changed();
}

void MainPanel::applyCameraType()
{
    m_enabling = PanelEnabling::forCameraType(cameraType());
    changed();
}

void MainPanel::setupClosed()
{
    // Resetting to the lowest address would leave the camera that was found
    // (Cancel included) without a word; only a range that no longer holds it
    // moves the address.
    const int address = m_link.state().address;
    applyAddressLimits();
    const AddressLimits limits = addressLimits();
    if (address >= limits.minimum && address <= limits.maximum)
        m_link.state().address = address;
    changed();
}

void MainPanel::statusUpdated()
{
    if (!m_statusPolling)
        return;
    m_shown.cameraPower = m_lamps.cameraPower;
    m_shown.lensFast = m_lamps.lensFast;
    m_shown.manualIris = m_lamps.manualIris;
    m_shown.manualFocus = m_lamps.manualFocus;
    m_shown.autoFocusOnPtz = m_autoFocusOnPtz;
}

MainPanel::AddressLimits MainPanel::addressLimits() const
{
    const ProtocolInfo* info = protocolInfo(m_link.state().protocolIndex);
    if (!info || info->replacedAtStart)
        info = protocolInfo(Protocol::Tarn);
    return {info->entryMin, info->entryMax, info->entryWidth};
}

void MainPanel::applyAddressLimits()
{
    const ProtocolInfo* info = protocolInfo(m_link.state().protocolIndex);
    if (!info || info->replacedAtStart)
        m_link.state().protocolIndex = Protocol::Tarn;
    m_link.state().address = addressLimits().minimum;
    changed();
}

void MainPanel::setAddress(int address)
{
    const AddressLimits limits = addressLimits();
    m_link.state().address = std::clamp(address, limits.minimum, limits.maximum);
}

int MainPanel::address() const
{
    return m_link.state().address;
}

void MainPanel::reset()
{
    if (isJavelin())
        queueFrame(Javelin::Reset, 0x40);
    else
        m_link.SendCommand("rs");
}

void MainPanel::toggleStatusPolling()
{
    m_statusPolling = !m_statusPolling;
    if (m_statusPolling) {
        m_positionPolling = false;
        m_link.timers().stop(*this, TimerId::PositionPolling);
        if (!m_pollingPaused)
            m_link.timers().start(*this, TimerId::StatusPolling, PollingMs);
    } else {
        m_link.timers().stop(*this, TimerId::StatusPolling);
    }
    m_lamps.statusPolling = m_statusPolling;
    statusUpdated();
    changed();
}

void MainPanel::togglePositionPolling()
{
    m_positionPolling = !m_positionPolling;
    if (m_positionPolling) {
        m_statusPolling = false;
        m_link.timers().stop(*this, TimerId::StatusPolling);
        if (!m_pollingPaused)
            m_link.timers().start(*this, TimerId::PositionPolling, PollingMs);
    } else {
        m_link.timers().stop(*this, TimerId::PositionPolling);
    }
    m_lamps.statusPolling = m_positionPolling;
    changed();
}

void MainPanel::stopPolling()
{
    m_statusPolling = m_positionPolling = false;
    m_link.timers().stop(*this, TimerId::StatusPolling);
    m_link.timers().stop(*this, TimerId::PositionPolling);
    m_lamps.statusPolling = false;
    changed();
}

void MainPanel::setPollingPaused(bool paused)
{
    m_pollingPaused = paused;
    Timers& timers = m_link.timers();
    if (paused) {
        timers.stop(*this, TimerId::StatusPolling);
        timers.stop(*this, TimerId::PositionPolling);
    } else if (m_statusPolling) {
        timers.start(*this, TimerId::StatusPolling, PollingMs);
    } else if (m_positionPolling) {
        timers.start(*this, TimerId::PositionPolling, PollingMs);
    }
}

void MainPanel::setNewAddress(std::string_view digits)
{
    const int address = leadingNumber(digits);
    const int protocol = m_link.state().protocolIndex;
    const bool makers = m_link.state().isMakersCamera();
    int highest = 0;
    std::string_view message;
    switch (protocol) {
    case Protocol::PelcoD: highest = 254; message = Messages::AddressRange254; break;
    case Protocol::PelcoP: highest = 32; message = Messages::AddressRange32; break;
    case Protocol::Javelin: highest = 8191; message = Messages::AddressRange8191; break;
    case Protocol::PhilipsBosch: highest = 16384; message = Messages::AddressRange16384; break;
    case Protocol::Ad: highest = 99; message = Messages::AddressRange99; break;
    case Protocol::Vicon:
    case Protocol::Ultrak: highest = 255; message = Messages::AddressRange255; break;
    default:
        highest = makers ? 8191 : 223;
        message = makers ? Messages::AddressRange8191 : Messages::AddressRange223;
        break;
    }
    if (address > highest) {
        m_prompter.showMessage(message, {}, MessageIcon::None);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, protocol == Protocol::PhilipsBosch ? "As%05d" : "As%04d", address);
    queue(text);
    m_connection.probeSoon(ProbeAfterNewAddressMs);
}

void MainPanel::getAddress()
{
    m_connection.getAddress();
}

void MainPanel::lensPressed(LensButton button)
{
    const int module = moduleType();
    const bool javelin = isJavelin();
    const bool variableSpeed = m_ptType == 1 || m_ptType == 2;
    std::string_view text;
    std::uint8_t arg = 0;
    bool frame = false;

    switch (button) {
    case LensButton::ZoomIn:
    case LensButton::ZoomOut: {
        const bool in = button == LensButton::ZoomIn;
        m_zoomHeld = true;
        if (m_tourInterrupted)
            m_tourInterrupted();
        if (module == ModuleDayNight) {
            if (javelin) {
                frame = true;
                arg = in ? Javelin::ZoomIn : Javelin::ZoomOut;
            } else if (!variableSpeed) {
                text = in ? "ZI" : "ZO";
            } else {
                text = in ? (m_lensFast ? "cZ2" : "cZ0") : (m_lensFast ? "cz2" : "cz0");
            }
        } else if (module == ModuleThermal && !javelin) {
            text = in ? "tXI" : "tXD";
        }
        break;
    }
    case LensButton::FocusNear:
    case LensButton::FocusFar: {
        const bool near = button == LensButton::FocusNear;
        m_focusHeld = true;
        if (m_tourInterrupted)
            m_tourInterrupted();
        if (module == ModuleDayNight || module == ModuleThermal) {
            if (javelin) {
                frame = true;
                arg = near ? Javelin::FocusNear : Javelin::FocusFar;
            } else {
                text = near ? "FN" : "FF";
            }
        }
        break;
    }
    case LensButton::IrisOpen:
    case LensButton::IrisClose: {
        const bool open = button == LensButton::IrisOpen;
        m_irisHeld = true;
        if (module == ModuleDayNight) {
            if (javelin) {
                frame = true;
                arg = open ? Javelin::IrisOpen : Javelin::IrisClose;
            } else {
                text = open ? "IO" : "IC";
            }
        }
        break;
    }
    }
    m_heldButton = button;
    if (frame)
        queueFrame(Javelin::Motion, arg);
    else if (!text.empty())
        queue(text);
}

void MainPanel::lensReleased()
{
    const int module = moduleType();
    const bool javelin = isJavelin();
    const bool variableSpeed = m_ptType == 1 || m_ptType == 2;
    std::string_view text;
    std::uint8_t stop = 0;
    bool allowed = false;
    if (m_zoomHeld) {
        m_zoomHeld = false;
        allowed = module == ModuleDayNight;
        text = "ZS";
        stop = m_heldButton == LensButton::ZoomOut ? Javelin::ZoomOutStop : Javelin::ZoomInStop;
    } else if (m_irisHeld) {
        m_irisHeld = false;
        allowed = module == ModuleDayNight;
        text = variableSpeed ? "IS" : "cIs";
        stop = m_heldButton == LensButton::IrisClose ? Javelin::IrisCloseStop : Javelin::IrisOpenStop;
    } else if (m_focusHeld) {
        m_focusHeld = false;
        allowed = module == ModuleDayNight || module == ModuleThermal;
        text = variableSpeed ? "FS" : "cFs";
        stop = m_heldButton == LensButton::FocusFar ? Javelin::FocusFarStop : Javelin::FocusNearStop;
    } else {
        return;
    }
    changed(); // the buttons lose their pressed look
    if (!allowed)
        return;
    if (javelin)
        queueFrame(Javelin::Motion, stop, 10);
    else
        queue(text, 10);
}

void MainPanel::lensFast()
{
    queue("LL");
}

void MainPanel::toggleManualIris()
{
    const bool javelin = isJavelin();
    const int type = cameraType();
    if (!javelin && !(type >= 0 && type <= 3) && type != 5)
        return;
    // The flag flips: IO and IC become usable exactly when it was set.
    setManualIrisState(m_manualIris);
    m_shown.manualIris = m_lamps.manualIris;
    if (javelin)
        queueFrame(Javelin::Function, Javelin::ManualIris);
    else
        queue("LM");
    changed();
}

void MainPanel::toggleManualFocus()
{
    const bool javelin = isJavelin();
    const int type = cameraType();
    if (!javelin && !(type >= 0 && type <= 3) && type != 5)
        return;
    setManualFocusState(!m_manualFocus, false);
    m_shown.manualFocus = m_lamps.manualFocus;
    if (javelin)
        queueFrame(Javelin::Function, Javelin::ManualFocus);
    else
        queue("L1");
    changed();
}

void MainPanel::toggleAutoFocusOnPtz()
{
    m_autoFocusOnPtz = !m_autoFocusOnPtz;
    m_shown.autoFocusOnPtz = m_autoFocusOnPtz;
    m_link.SendCommand("L6");
    changed();
}

void MainPanel::gotoPosition(std::string_view pan, std::string_view tilt, std::string_view zoom,
                             std::string_view focus)
{
    const std::pair<std::string_view, PositionField> fields[] = {
        {pan, PositionField::Pan}, {tilt, PositionField::Tilt},
        {zoom, PositionField::Zoom}, {focus, PositionField::Focus}};
    const std::string_view messages[] = {Messages::InvalidPan, Messages::InvalidTilt,
                                         Messages::InvalidZoom, Messages::InvalidFocus};
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].first.empty()) {
            m_invalidField = fields[i].second;
            m_prompter.showMessage(messages[i], {}, MessageIcon::None);
            changed();
            return;
        }
    }
    m_invalidField = PositionField::None;
    const std::string panTilt = ("cp" + positionText(pan, 4) + positionText(tilt, 4)).substr(0, 10);
    const std::string zoomFocus = ("v" + positionText(zoom, 3) + positionText(focus, 3)).substr(0, 7);
    queue(panTilt, 50);
    queue(zoomFocus, 50);
}

void MainPanel::wipe()
{
    m_link.SendCommand("L3");
    m_connection.requestStatus(StatusAfterWipeMs);
}

void MainPanel::wash()
{
    m_link.SendCommand("L2");
    m_connection.requestStatus(StatusAfterWipeMs);
}

void MainPanel::seekHome()
{
    m_link.SendCommand("mFH");
}

void MainPanel::getNorthOffset()
{
    m_link.SendCommand("mNS");
}

void MainPanel::timerFired(int id)
{
    if (id == TimerId::StatusPolling) {
        if (m_link.state().isMakersCamera() && isJavelin()) {
            queueFrame(Javelin::Status, 0x00);
        } else if (m_link.state().isMakersCamera()) {
            queue(m_statusPhase == 0 ? "L?" : "cDS");
        } else {
            queue(m_statusPhase == 0 ? "L?" : "H?");
        }
        m_statusPhase ^= 1;
    } else if (id == TimerId::PositionPolling) {
        if (m_zoomHeld) {
            queue("V?");
        } else {
            queue(m_positionPhase == 0 ? "cPS" : "V?");
            m_positionPhase ^= 1;
        }
    }
}

void MainPanel::ptCommand(std::string_view text)
{
    // Nudges are single steps; anything else but the stop leaves the camera moving.
    if (!text.starts_with('n'))
        m_padMoving = text != PadStop;
    if (m_tourInterrupted)
        m_tourInterrupted();
    if (isJavelin()) {
        ptCommandJavelin(text);
        return;
    }
    // The stop overtakes everything that is still waiting.
    if (text == PadStop && (m_ptType == 1 || m_ptType == 2))
        m_link.queue().reset();
    queue(text, 50);
}

void MainPanel::panStop()
{
    queueFrame(Javelin::Motion, m_panLeft ? Javelin::PanLeftStop : Javelin::PanRightStop, 50);
}

void MainPanel::tiltStop()
{
    queueFrame(Javelin::Motion, m_tiltUp ? Javelin::TiltUpStop : Javelin::TiltDownStop, 50);
}

void MainPanel::ptCommandJavelin(std::string_view text)
{
    const auto c = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    const auto tilt = [&](char letter) {
        if (letter == 'u' || letter == 'U') {
            m_tiltUp = true;
            queueFrame(Javelin::Motion, Javelin::TiltUp, 50);
        } else if (letter == 'd' || letter == 'D') {
            m_tiltUp = false;
            queueFrame(Javelin::Motion, Javelin::TiltDown, 50);
        } else {
            tiltStop();
        }
    };
    const auto pan = [&](char letter) {
        if (letter == 'l' || letter == 'L') {
            m_panLeft = true;
            queueFrame(Javelin::Motion, Javelin::PanLeft, 50);
        } else if (letter == 'r' || letter == 'R') {
            m_panLeft = false;
            queueFrame(Javelin::Motion, Javelin::PanRight, 50);
        } else {
            panStop();
        }
    };

    if (text == PadStop) {
        m_link.queue().reset();
        queueFrame(Javelin::Motion, Javelin::PanLeftStop, 50);
        queueFrame(Javelin::Motion, Javelin::PanRightStop, 50);
        queueFrame(Javelin::Motion, Javelin::TiltUpStop, 50);
        queueFrame(Javelin::Motion, Javelin::TiltDownStop, 50);
        return;
    }
    if (c(0) == 'n') {
        queue(text, 50); // nudges go as text
        return;
    }
    if (m_ptType == 0) {
        if (c(0) != 'P')
            return;
        pan(c(1));
        tilt(c(3));
        return;
    }
    // The pad's proportional texts: "l"/"r" + code or "PS", then "u"/"d" + code or "TS".
    if (c(0) == 'P' && c(1) == 'S') {
        queueFrame(Javelin::Motion, Javelin::PanLeftStop, 50);
        queueFrame(Javelin::Motion, Javelin::PanRightStop, 50);
    } else if (c(0) == 'l' || c(0) == 'r') {
        pan(c(0));
    } else {
        return;
    }
    tilt(c(2) == 'T' ? 'S' : c(2));
}

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
