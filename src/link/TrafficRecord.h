#pragma once

#include "link/TrafficEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarn {

class MonotonicClock;

// When a session started, on the wall clock: the record's time stamps count
// from here, so a saved record says when each frame went by.
struct SessionStart {
    std::int64_t unixMicroseconds = 0; // UTC
    std::int32_t utcOffsetSeconds = 0; // of local time, then
    static SessionStart now();
    bool operator==(const SessionStart&) const = default;
};

// The whole conversation on the line, as far back as room allows: every
// frame sent and received on either link, every acknowledgement, time-out and
// refusal, and what became of the link. A ring of the newest entries; older
// ones are dropped and counted. Runs on the main thread, beside the one-line
// traffic monitor, which it leaves alone.
class TrafficRecord final : public TrafficObserver {
public:
    static constexpr std::size_t DefaultCapacity = 100000;

    // Told whenever entries became final: every entry before `upTo` is, and
    // will not change any more (a reply is final once it has been routed).
    class Listener {
    public:
        virtual void entriesSettled(const TrafficRecord& record, std::uint64_t upTo) = 0;

    protected:
        ~Listener() = default;
    };

    // A live record: time stamps from `clock`, counted from now.
    TrafficRecord(const MonotonicClock& clock, SessionStart start, std::size_t capacity = DefaultCapacity);
    // A record read back from a file. It takes entries through add() only.
    TrafficRecord(SessionStart start, std::uint64_t droppedBefore, std::size_t capacity = DefaultCapacity);
    TrafficRecord(const TrafficRecord&) = delete;
    TrafficRecord& operator=(const TrafficRecord&) = delete;

    void traffic(const TrafficEvent& event) override;
    void replyRouted(ReplyDestination destination) override;
    // An entry as it was saved, with its time; numbered on from the last.
    void add(TrafficEntry entry);

    void setListener(Listener* listener) { m_listener = listener; }

    std::size_t size() const { return m_ring.size(); }
    bool empty() const { return m_ring.empty(); }
    // 0 is the oldest entry held.
    const TrafficEntry& at(std::size_t index) const { return m_ring[(m_head + index) % m_ring.size()]; }
    // Null when the entry was dropped, cleared, or is still to come.
    const TrafficEntry* find(std::uint64_t sequence) const;
    std::uint64_t firstSequence() const { return m_first; }
    std::uint64_t nextSequence() const { return m_next; }
    // Entries dropped for room since the session started (cleared ones are not counted).
    std::uint64_t dropped() const { return m_dropped; }
    // Every entry before this one is final.
    std::uint64_t settledUpTo() const;
    const SessionStart& sessionStart() const { return m_start; }

    // Forgets every entry held; the sequence numbers go on.
    void clear();

private:
    TrafficEntry& push(TrafficEntry entry);
    void settled();
    std::int64_t roundTrip(const TrafficEvent& event, std::int64_t now);

    const MonotonicClock* m_clock = nullptr;
    std::int64_t m_clockStart = 0;
    SessionStart m_start;
    std::size_t m_capacity;
    std::vector<TrafficEntry> m_ring;
    std::size_t m_head = 0;
    std::uint64_t m_first = 0;
    std::uint64_t m_next = 0;
    std::uint64_t m_dropped = 0;
    // Replies being routed, outermost first.
    std::vector<std::uint64_t> m_routing;
    // The last frame that went out, until its first answer.
    std::optional<std::int64_t> m_lastSentUs;
    bool m_answered = true;
    Listener* m_listener = nullptr;
};

} // namespace tarn
