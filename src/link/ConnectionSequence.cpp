#include "link/ConnectionSequence.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "link/Protocols.h"
#include "core/ProfileStore.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <array>
#include <cstdint>

namespace tarn {

namespace {
constexpr int WaitMs = 1000;
constexpr int MaxAttempts = 3;
constexpr int NtcipCommandWaitMs = 500;
// The Javelin status request; the link puts the address into bytes 4 and 5.
constexpr std::array<std::uint8_t, 8> JavelinStatusRequest = {0xFF, 0x06, 0x07, 0x03,
                                                              0x01, 0x01, 0x00, 0xFF};
} // namespace

ConnectionSequence::ConnectionSequence(CameraLink& link, Prompter& prompter,
                                       ProfileStore& profile, const Settings& settings)
    : m_link(link)
    , m_prompter(prompter)
    , m_profile(profile)
    , m_storedNtcipMode(settings.ntcipMode)
    , m_storedNtcipExitNormal(settings.ntcipExitNormal)
{
}

ConnectionSequence::~ConnectionSequence()
{
    m_link.timers().stopAll(*this);
}

bool ConnectionSequence::isAlderSd() const
{
    return m_link.state().cameraType == CameraType::AlderSd;
}

void ConnectionSequence::oneShot(int id, int ms)
{
    m_link.timers().start(*this, id, ms);
}

void ConnectionSequence::start()
{
    m_started = true;
    if (m_paused)
        return; // begins when the line is there
    if (isAlderSd()) {
        m_ntcipState = 0;
        m_attempts = 0;
        m_linkFrames = 0;
        m_probePending = false;
        oneShot(TimerId::LinkFrame, 5);
    } else {
        // Other cameras are not in NTCIP mode: the first attempt starts with the probe.
        oneShot(TimerId::AddressProbe, 5);
    }
}

void ConnectionSequence::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (paused) {
        m_link.timers().stopAll(*this);
        return;
    }
    if (!m_started)
        return;
    if (m_found)
        startStatusPoll(500, 2500);
    else
        start();
}

void ConnectionSequence::getAddress()
{
    sendLinkFrame();
    oneShot(TimerId::AddressProbe, 500);
}

void ConnectionSequence::probeAfterConnect()
{
    oneShot(TimerId::AddressProbe, 1100);
}

void ConnectionSequence::probeSoon(int delayMs)
{
    oneShot(TimerId::AddressProbe, delayMs);
}

void ConnectionSequence::requestStatus(int delayMs)
{
    oneShot(TimerId::StatusPoll, delayMs);
}

void ConnectionSequence::sendAddressLinkFrameSoon()
{
    oneShot(TimerId::AddressLinkFrame, 500);
}

void ConnectionSequence::sendLinkFrame()
{
    static constexpr std::array<std::uint8_t, 6> linkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
    m_link.SendRawBytes(linkFrame);
}

void ConnectionSequence::sendAddressLinkFrame()
{
    const int address = m_link.state().address;
    const std::array<std::uint8_t, 6> frame = {0x7E, 0x01,
                                               static_cast<std::uint8_t>((address >> 8) & 0xFF),
                                               static_cast<std::uint8_t>(address & 0xFF), 0x44,
                                               0x7E};
    m_link.SendRawBytes(frame);
}

void ConnectionSequence::startStatusPoll(int statusDelayMs, int presetNameDelayMs)
{
    oneShot(TimerId::StatusPoll, statusDelayMs);
    oneShot(TimerId::PresetNamePoll, presetNameDelayMs);
}

void ConnectionSequence::timerFired(int id)
{
    Timers& timers = m_link.timers();
    LinkState& state = m_link.state();
    if (m_paused) {
        timers.stop(*this, id);
        return;
    }
    switch (id) {
    case TimerId::LinkFrame:
        timers.stop(*this, id);
        sendLinkFrame();
        state.handshake = true;
        m_probeSent = false;
        oneShot(TimerId::LinkFrameWait, WaitMs);
        break;
    case TimerId::LinkFrameWait:
        timers.stop(*this, TimerId::LinkFrameWait);
        timers.stop(*this, TimerId::LinkFrame);
        ++m_linkFrames;
        if (m_linkFrames == 1) {
            oneShot(TimerId::LinkFrame, 5);
        } else if (!m_probePending) {
            m_probePending = true;
            oneShot(TimerId::AddressProbe, 5);
        }
        break;
    case TimerId::AddressProbe:
        timers.stop(*this, id);
        state.broadcastNext = true;
        m_link.SendCommand("A?");
        m_probeSent = true;
        state.handshake = false;
        oneShot(TimerId::ProbeWait, WaitMs);
        break;
    case TimerId::ProbeWait:
        timers.stop(*this, TimerId::ProbeWait);
        timers.stop(*this, TimerId::AddressProbe);
        m_probePending = false;
        m_linkFrames = 0;
        if (++m_attempts < MaxAttempts)
            oneShot(TimerId::LinkFrame, 5);
        else
            attemptsExhausted();
        break;
    case TimerId::AddressLinkFrame:
        timers.stop(*this, id);
        sendAddressLinkFrame();
        break;
    case TimerId::StatusPoll:
        timers.stop(*this, id);
        if (state.protocolIndex == Protocol::Javelin)
            m_link.enqueue(std::span<const std::uint8_t>(JavelinStatusRequest));
        else
            m_link.SendCommand("L?");
        oneShot(TimerId::StatusPollDayNight, 50);
        break;
    case TimerId::StatusPollDayNight:
        timers.stop(*this, id);
        m_link.SendCommand("cDS");
        break;
    case TimerId::PresetNamePoll:
        timers.stop(*this, id);
        m_link.enqueue("cdS\x10");
        break;
    case TimerId::NtcipEnable:
        timers.stop(*this, id);
        m_link.SendCommand("mNe");
        break;
    case TimerId::NtcipDisable:
        timers.stop(*this, id);
        m_link.SendCommand("mND");
        break;
    default: break;
    }
}

void ConnectionSequence::attemptsExhausted()
{
    const int type = m_link.state().cameraType;
    if (type == 0 || (type >= 2 && type <= 5)) {
        // Work on with every camera on the line.
        m_link.state().broadcastNext = true;
        oneShot(TimerId::StatusPoll, 5);
        return;
    }
    if (!m_prompter.askYesNo(Messages::CannotConnect, {}, MessageIcon::Error, DefaultButton::Second))
        return;
    m_attempts = 0;
    sendAddressLinkFrame();
    oneShot(TimerId::LinkFrame, 50);
}

void ConnectionSequence::connectionReply()
{
    m_found = true;
    Timers& timers = m_link.timers();
    for (const int id : {TimerId::LinkFrameWait, TimerId::LinkFrame, TimerId::AddressProbe,
                         TimerId::ProbeWait})
        timers.stop(*this, id);
    LinkState& state = m_link.state();

    if (!isAlderSd()) {
        m_probeSent = false;
        m_ntcipWasOn = false;
        startStatusPoll(500, 2500);
        return;
    }
    if (state.handshake) {
        // The camera answered the link frame: it was in NTCIP mode.
        m_ntcipWasOn = true;
        state.handshake = false;
        m_ntcipState = 1;
        ++m_linkFrames;
        sendAddressLinkFrame();
        startStatusPoll(5, 2000);
        if (m_storedNtcipExitNormal == 0)
            m_ntcipState = m_storedNtcipMode;
        m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 0);
        return;
    }
    m_probeSent = false;
    m_ntcipWasOn = false;
    if (m_ntcipState == 1) {
        oneShot(TimerId::NtcipEnable, 5);
        oneShot(TimerId::NtcipDisable, 50);
        startStatusPoll(5, 2000);
        m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipMode, 1);
        m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 0);
        return;
    }
    startStatusPoll(5, 2000);
    if (m_storedNtcipExitNormal == 0)
        m_ntcipState = m_storedNtcipMode;
    m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 0);
}

int ConnectionSequence::exitCommands()
{
    m_link.timers().stopAll(*this);
    if (!isAlderSd())
        return 0;
    if (m_nvramCleared) {
        m_link.SendCommand("mNd");
        m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipMode, m_ntcipState);
        m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 1);
        return NtcipCommandWaitMs;
    }
    int waitMs = 0;
    if (m_ntcipState == 1) {
        // Give the camera back in the mode it was found in. With the line away
        // "mNe" cannot reach it: the settings say so (mode 1, no normal exit),
        // and the next start gives it back instead.
        if (!m_link.canSend()) {
            m_link.SendCommand("mNe"); // shown on the traffic line as not sent
            m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipMode, 1);
            m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 0);
            return 0;
        }
        m_link.SendCommand("mNe");
        waitMs += NtcipCommandWaitMs;
    } else {
        m_link.SendCommand("mNd");
    }
    m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipMode, 0);
    m_profile.writeInt(SettingsSection::Ntcip, SettingsKey::NtcipExitNormal, 1);
    return waitMs + NtcipCommandWaitMs;
}

} // namespace tarn
