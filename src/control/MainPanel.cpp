#include "control/MainPanel.h"

#include "link/ConnectionSequence.h"
#include "core/Messages.h"
#include "control/JavelinMotion.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "link/Protocols.h"
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
    if (CameraType::isMakers(cameraType)) {
        enabling.reset = enabling.lensFast = enabling.manualIris = enabling.manualFocus = true;
        enabling.zoom = enabling.pad = enabling.presets = enabling.setAddress = true;
        enabling.positionPolling = enabling.positionGoto = enabling.cameraId = true;
        enabling.dspStatus = enabling.tourList = enabling.wipe = true;
    }
    if (CameraType::isMakers(cameraType) && !CameraType::hasLensLatches(cameraType))
        enabling.lensFast = enabling.manualIris = enabling.autoFocusOnPtz = false;
    enabling.wash = CameraType::hasWasher(cameraType);
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

} // namespace tarn
