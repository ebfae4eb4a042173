#include "link/ReplyRouter.h"

#include "core/Settings.h"
#include "link/FrameBuilder.h"
#include "link/LinkState.h"
#include "link/Protocols.h"
#include "core/ProfileStore.h"

#include <utility>

namespace tarn {

namespace {

// Replies are read at fixed positions; a position past the end of a short
// frame reads as zero, as from a cleared buffer.
std::uint8_t at(std::span<const std::uint8_t> frame, std::size_t position)
{
    return position < frame.size() ? frame[position] : 0;
}

// Leading decimal digits of `width` characters from `position`.
int digitsAt(std::span<const std::uint8_t> frame, std::size_t position, std::size_t width)
{
    int value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t c = at(frame, position + i);
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "SC" (status) and "SL" (a line) answer the Camera ID queries.
bool isCameraIdCode(std::uint8_t second)
{
    return second == 'C' || second == 'L';
}

} // namespace

ReplyRouter::ReplyRouter(LinkState& state, ProfileStore& profile, LinkEvents& events)
    : m_state(state)
    , m_profile(profile)
    , m_events(events)
{
}

void ReplyRouter::setReceiver(ReceiverSlot slot, ReplyReceiver* receiver)
{
    m_receivers[static_cast<std::size_t>(slot)] = receiver;
}

ReplyReceiver* ReplyRouter::receiver(ReceiverSlot slot) const
{
    return m_receivers[static_cast<std::size_t>(slot)];
}

bool ReplyRouter::deliver(ReceiverSlot slot, std::span<const std::uint8_t> frame)
{
    ReplyReceiver* target = receiver(slot);
    if (!target)
        return false; // a reply for a dialog that is not open is dropped
    reached(destinationOf(slot));
    target->replyReceived(frame);
    return true;
}

std::size_t ReplyRouter::letterPosition(std::span<const std::uint8_t> frame, int protocolIndex)
{
    if (at(frame, 1) == FrameByte::ExtendedAddress && at(frame, 2) != 'A')
        return protocolIndex == Protocol::PhilipsBosch ? 7 : 6;
    return 2;
}

ReplyDestination ReplyRouter::route(std::span<const std::uint8_t> frame)
{
    // A receiver may route another frame before it returns (a box it opens
    // runs the event loop): that one's destination is not this one's.
    const ReplyDestination outer = m_destination;
    const bool outerTold = m_told;
    m_destination = ReplyDestination::Dropped;
    m_told = false;
    routeFrame(frame);
    if (!m_told)
        reached(ReplyDestination::Dropped);
    m_told = outerTold;
    return std::exchange(m_destination, outer);
}

void ReplyRouter::reached(ReplyDestination destination)
{
    m_destination = destination;
    if (m_told)
        return;
    m_told = true;
    if (m_decided)
        m_decided(destination);
}

void ReplyRouter::routeFrame(std::span<const std::uint8_t> frame)
{
    if (m_state.lengthMode()) {
        routeLengthMode(frame);
        return;
    }
    const std::size_t letter = letterPosition(frame, m_state.protocolIndex);
    switch (at(frame, letter)) {
    case '*': deliver(ReceiverSlot::ToursSectors, frame); break;
    case 'A':
        // Only as the answer to an address query: cameras never send it unasked.
        if (m_state.isMakersCamera() && m_state.addressQueryOutstanding)
            connectionReply(frame, letter);
        break;
    case 'P':
        if (m_state.presetQueryPending) {
            reached(ReplyDestination::MainPanel);
            m_events.statusReply(frame);
        }
        else
            deliver(ReceiverSlot::Setup, frame);
        break;
    case 'H':
    case 'L':
    case 'V':
        reached(ReplyDestination::MainPanel);
        m_events.statusReply(frame);
        break;
    case 'U': deliver(ReceiverSlot::Azimuth, frame); break;
    case 'b':
        if (!deliver(ReceiverSlot::Setup, frame))
            applyStatusReply(frame);
        break;
    case 'c': routeCameraReply(frame, letter); break;
    case ':': deliver(ReceiverSlot::Dsp, frame); break;
    case 'd':
        // A preset's name only in answer to its question: noise that passes
        // the checksum must not rename a preset.
        if (!deliver(ReceiverSlot::Setup, frame) && !deliver(ReceiverSlot::CameraId, frame)
            && !deliver(ReceiverSlot::ToursSectors, frame) && m_state.presetNameQuestionWaiting) {
            m_state.presetNameQuestionWaiting = false;
            reached(ReplyDestination::Presets);
            m_events.presetNameReply(frame);
        }
        break;
    case 'h': deliver(ReceiverSlot::CameraId, frame); break;
    case 'm':
        // Lens maintenance is open over the Setup dialog, for receivers that
        // are not the maker's cameras too: it takes every 'm' reply first.
        // Other Maintenance opened from Setup is for the camera type chosen
        // there, which the link state learns only when Setup closes with OK.
        if (!deliver(ReceiverSlot::LensMaintenance, frame)
            && (m_state.isMakersCamera() || receiver(ReceiverSlot::OtherMaintenance)))
            routeMaintenanceReply(frame, letter);
        break;
    case 'S':
        // The Camera ID read-back's answers, while the Setup dialog is not
        // there to take every 'S' reply.
        if (!deliver(ReceiverSlot::Setup, frame) && isCameraIdCode(at(frame, letter + 1)))
            deliver(ReceiverSlot::CameraId, frame);
        break;
    case 'J':
    case 'R':
    case 'f':
    case 'j':
    case 'r':
    case 's': deliver(ReceiverSlot::Setup, frame); break;
    case 't': deliver(ReceiverSlot::Thermal, frame); break;
    default: break;
    }
}

void ReplyRouter::routeLengthMode(std::span<const std::uint8_t> frame)
{
    if (m_state.replyWanted) {
        m_state.replyWanted = false;
        deliver(ReceiverSlot::Dsp, frame);
        return;
    }
    const std::uint8_t length = at(frame, 1);
    if (length == 8 || length == 10) {
        reached(ReplyDestination::MainPanel);
        m_events.javelinStatus(length, at(frame, length));
    }
}

void ReplyRouter::routeCameraReply(std::span<const std::uint8_t> frame, std::size_t letter)
{
    if (deliver(ReceiverSlot::Setup, frame))
        return;
    const std::uint8_t second = at(frame, letter + 1);
    if ((second == '*' || second == 'P') && m_state.privacyReplyWanted) {
        m_state.privacyReplyWanted = false;
        deliver(ReceiverSlot::ScreenPrivacy, frame);
        return;
    }
    if (second == 'P') {
        reached(ReplyDestination::MainPanel);
        m_events.panTiltPosition(digitsAt(frame, letter + 2, 4), digitsAt(frame, letter + 6, 4));
        return;
    }
    if (second == 'V') {
        deliver(ReceiverSlot::Dsp, frame);
        return;
    }
    if (m_state.moduleType != ModuleType::DayNight)
        return;
    // A Day/Night camera's other "c" replies, in order of preference.
    if (m_state.networkConnected
        && (deliver(ReceiverSlot::Dsp, frame) || deliver(ReceiverSlot::ScreenPrivacy, frame)))
        return;
    if (m_state.replyWanted) {
        m_state.replyWanted = false;
        deliver(ReceiverSlot::Dsp, frame);
        return;
    }
    if (m_state.privacyReplyWanted) {
        m_state.privacyReplyWanted = false;
        deliver(ReceiverSlot::ScreenPrivacy, frame);
        return;
    }
    applyDayNightStatus(frame, letter);
}

void ReplyRouter::routeMaintenanceReply(std::span<const std::uint8_t> frame, std::size_t letter)
{
    switch (at(frame, letter + 1)) {
    case 'P':
    case 'T':
    case 'V':
    case 'f':
    case 't': deliver(ReceiverSlot::OtherMaintenance, frame); break;
    case 'W': deliver(ReceiverSlot::WashSetup, frame); break;
    case 'w': deliver(ReceiverSlot::WipeSetup, frame); break;
    default: deliver(ReceiverSlot::Setup, frame); break;
    }
}

void ReplyRouter::connectionReply(std::span<const std::uint8_t> frame, std::size_t letter)
{
    const std::size_t width = m_state.protocolIndex == Protocol::PhilipsBosch ? 5 : 4;
    m_state.address = digitsAt(frame, letter + 1, width);
    reached(ReplyDestination::Connection);
    m_events.connectionReply(m_state.address);
}

void ReplyRouter::applyStatusReply(std::span<const std::uint8_t> frame)
{
    reached(ReplyDestination::MainPanel);
    StatusFields fields;
    if (at(frame, 3) == 'L') {
        if (at(frame, 4) == '8')
            m_events.addressLinkFrameRequested();
        else
            fields.lens = at(frame, 4);
    }
    if (at(frame, 5) == 'A')
        fields.autoFocus = at(frame, 6);
    if (fields.lens || fields.autoFocus)
        m_events.statusFields(fields);

    if (at(frame, 11) == 'P')
        storeProtocolDigit(at(frame, 12));
    if (at(frame, 13) == 'v')
        storeVideoDigit(at(frame, 14));
    if (at(frame, 15) == 'p')
        storeSetting(SettingsKey::LlPhase, at(frame, 16) - '0');
    if (at(frame, 38) == 'F')
        storeSetting(SettingsKey::VideoFreezeStatus, at(frame, 39));
}

void ReplyRouter::applyDayNightStatus(std::span<const std::uint8_t> frame, std::size_t letter)
{
    reached(ReplyDestination::MainPanel);
    StatusFields fields;
    fields.dayNightForm = true;
    if (at(frame, letter + 21) == 'L') {
        if (at(frame, letter + 22) == '8')
            m_events.addressLinkFrameRequested();
        else
            fields.lens = at(frame, letter + 22);
    }
    if (at(frame, letter + 23) == 'A')
        fields.autoFocus = at(frame, letter + 24);
    if (fields.lens || fields.autoFocus)
        m_events.statusFields(fields);

    if (at(frame, letter + 29) == 'P')
        storeProtocolDigit(at(frame, letter + 30));
    if (at(frame, letter + 31) == 'v')
        storeVideoDigit(at(frame, letter + 32));
}

void ReplyRouter::storeProtocolDigit(std::uint8_t digit)
{
    // Only a digit naming a protocol of the list is taken: a garbled byte
    // must not switch the address checks off.
    const int index = digit - '0';
    if (index < 0 || index >= Protocol::Count)
        return;
    m_state.protocolIndex = index;
    storeSetting(SettingsKey::CommProtocol, index);
}

void ReplyRouter::storeVideoDigit(std::uint8_t digit)
{
    // The Setup dialog shows the working value; only NTSC or PAL is one.
    const int videoType = digit - '0';
    if (videoType == 0 || videoType == 1)
        m_state.videoType = videoType;
    storeSetting(SettingsKey::VideoType, videoType);
}

void ReplyRouter::storeSetting(std::string_view key, int value)
{
    writeIfChanged(m_profile, SettingsSection::Setup, key, value);
}

} // namespace tarn
