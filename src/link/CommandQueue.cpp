#include "link/CommandQueue.h"

#include <algorithm>

namespace tarn {

void CommandQueue::append(std::string_view command)
{
    command = command.substr(0, command.find('\0'));
    append(std::span(reinterpret_cast<const std::uint8_t*>(command.data()), command.size()));
}

void CommandQueue::append(std::span<const std::uint8_t> bytes)
{
    Slot& slot = m_slots[m_write];
    slot.fill(0);
    // The last byte stays zero so every slot reads as a terminated text.
    std::copy_n(bytes.begin(), std::min(bytes.size(), SlotSize - 1), slot.begin());
    m_write = next(m_write);
    if (m_count == SlotCount) {
        // Full: the oldest pending command gives way, never the whole ring.
        m_read = next(m_read);
    } else {
        ++m_count;
    }
}

CommandQueue::Entry CommandQueue::take()
{
    Entry entry{};
    if (m_count == 0)
        return entry;
    std::copy_n(m_slots[m_read].begin(), SentLength, entry.begin());
    m_read = next(m_read);
    --m_count;
    return entry;
}

CommandQueue::Slot CommandQueue::takeSlot()
{
    if (m_count == 0)
        return Slot{};
    const Slot slot = m_slots[m_read];
    m_read = next(m_read);
    --m_count;
    return slot;
}

void CommandQueue::discardPending()
{
    m_read = m_write;
    m_count = 0;
}

void CommandQueue::clearForDialog()
{
    discardPending();
    queueReady = true;
    dataReplyDone = true;
}

void CommandQueue::reset()
{
    m_read = m_write = m_count = 0;
}

void CommandQueue::supersedeWithLast()
{
    if (m_count == 0)
        return;
    m_read = (m_write + SlotCount - 1) % SlotCount;
    m_count = 1;
}

bool CommandQueue::needsFullReply(std::span<const std::uint8_t> entry)
{
    return (entry.size() > 2 && entry[2] == 'L') || (entry.size() > 4 && entry[4] == 'S');
}

} // namespace tarn
