#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarn {

// The ring of commands waiting for the line: 501 slots of 64 bytes, a write
// and a read index wrapping after slot 500, and the two flags by which one
// command at a time is outstanding. Every writer appends here; the main pump
// or an open dialog's pump takes entries one by one.
class CommandQueue {
public:
    static constexpr std::size_t SlotCount = 501;
    static constexpr std::size_t SlotSize = 64;
    // What a pump takes from a slot: the first 35 bytes, NUL-terminated.
    static constexpr std::size_t SentLength = 35;
    using Slot = std::array<std::uint8_t, SlotSize>;
    using Entry = std::array<std::uint8_t, SentLength + 2>;

    // A text command (up to its first NUL, at most 63 characters kept).
    void append(std::string_view command);
    // Raw bytes, zeros included: the 8-byte pass-through frames.
    void append(std::span<const std::uint8_t> bytes);

    bool empty() const { return m_count == 0; }
    std::size_t pending() const { return m_count; }
    std::size_t readIndex() const { return m_read; }
    std::size_t writeIndex() const { return m_write; }

    // The first 35 bytes of the entry at the read index, then the read index
    // advances. Only when not empty.
    Entry take();
    // The whole slot at the read index (at most 63 characters and its NUL),
    // for the commands that carry more than 35 bytes; then the read index
    // advances. Only when not empty.
    Slot takeSlot();
    // Drops everything pending (read index := write index).
    void discardPending();
    // Before a dialog that drains the queue with its own pump opens: what
    // still waits is dropped and the link is free for the dialog's commands.
    void clearForDialog();
    // Empties the ring and puts both indexes back to slot 0, so that what is
    // queued next goes out before anything else (the pan/tilt stop).
    void reset();
    // Makes the entry just written the next to send, dropping what was pending
    // before it: a newer setting supersedes one not yet sent.
    void supersedeWithLast();

    // 1 when the link may take the next command.
    bool queueReady = true;
    // 1 when no command that needs a full reply is outstanding.
    bool dataReplyDone = true;

    // A command that needs a full reply, not just the acknowledgement: 'L' as
    // third or 'S' as fifth character.
    static bool needsFullReply(std::span<const std::uint8_t> entry);

private:
    static std::size_t next(std::size_t index) { return (index + 1) % SlotCount; }

    std::array<Slot, SlotCount> m_slots{};
    std::size_t m_write = 0;
    std::size_t m_read = 0;
    std::size_t m_count = 0;
};

} // namespace tarn
