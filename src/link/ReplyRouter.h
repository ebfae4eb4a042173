#pragma once

#include "link/ReplyReceiver.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace tarn {

class ProfileStore;
struct LinkState;

// Hands each complete reply frame to whoever asked for it: an open dialog, the
// main panel, or the status fields that the console keeps in its settings.
class ReplyRouter {
public:
    ReplyRouter(LinkState& state, ProfileStore& profile, LinkEvents& events);

    void setReceiver(ReceiverSlot slot, ReplyReceiver* receiver);
    ReplyReceiver* receiver(ReceiverSlot slot) const;

    // A complete frame, after the acknowledgement bookkeeping. Returns where
    // it went, for the traffic record.
    ReplyDestination route(std::span<const std::uint8_t> frame);
    // Told once per routed frame where it goes, as soon as that is known and
    // before its receiver runs: a receiver may open a box, and the traffic
    // record must not wait for the box to close.
    void setDecided(std::function<void(ReplyDestination)> decided) { m_decided = std::move(decided); }

    // Where the reply's command letter stands: byte 2, or after the extended
    // address digits (byte 6, byte 7 with five digits) unless it is an "A" reply.
    static std::size_t letterPosition(std::span<const std::uint8_t> frame, int protocolIndex);

private:
    void routeFrame(std::span<const std::uint8_t> frame);
    void routeLengthMode(std::span<const std::uint8_t> frame);
    void routeCameraReply(std::span<const std::uint8_t> frame, std::size_t letter);
    void routeMaintenanceReply(std::span<const std::uint8_t> frame, std::size_t letter);
    void connectionReply(std::span<const std::uint8_t> frame, std::size_t letter);
    void applyStatusReply(std::span<const std::uint8_t> frame);
    void applyDayNightStatus(std::span<const std::uint8_t> frame, std::size_t letter);
    void storeProtocolDigit(std::uint8_t digit);
    void storeSetting(std::string_view key, int value);
    void storeVideoDigit(std::uint8_t digit);
    bool deliver(ReceiverSlot slot, std::span<const std::uint8_t> frame);
    void reached(ReplyDestination destination);

    LinkState& m_state;
    ProfileStore& m_profile;
    LinkEvents& m_events;
    std::array<ReplyReceiver*, static_cast<std::size_t>(ReceiverSlot::Count)> m_receivers{};
    ReplyDestination m_destination = ReplyDestination::None;
    bool m_told = false;
    std::function<void(ReplyDestination)> m_decided;
};

} // namespace tarn
