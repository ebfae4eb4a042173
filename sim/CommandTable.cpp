#include "sim/CommandTable.h"

namespace tarn::sim {

void CommandTable::add(std::string prefix, Handler handler)
{
    m_entries.push_back({std::move(prefix), std::move(handler)});
}

CommandResult CommandTable::dispatch(std::string_view text) const
{
    const Entry* best = nullptr;
    for (const Entry& entry : m_entries) {
        if (text.starts_with(entry.prefix) && (!best || entry.prefix.size() > best->prefix.size()))
            best = &entry;
    }
    return best ? best->handler(text) : CommandResult::ack();
}

} // namespace tarn::sim
