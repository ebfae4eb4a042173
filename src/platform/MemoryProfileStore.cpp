#include "platform/MemoryProfileStore.h"

namespace tarn {

namespace {
std::pair<std::string, std::string> keyOf(std::string_view section, std::string_view key)
{
    return {std::string(section), std::string(key)};
}
} // namespace

int MemoryProfileStore::readInt(std::string_view section, std::string_view key, int fallback) const
{
    const auto it = m_values.find(keyOf(section, key));
    if (it == m_values.end())
        return fallback;
    if (const int* value = std::get_if<int>(&it->second))
        return *value;
    return fallback;
}

std::optional<std::string> MemoryProfileStore::readString(std::string_view section,
                                                          std::string_view key) const
{
    const auto it = m_values.find(keyOf(section, key));
    if (it == m_values.end())
        return std::nullopt;
    if (const auto* value = std::get_if<std::string>(&it->second))
        return *value;
    return std::to_string(std::get<int>(it->second));
}

void MemoryProfileStore::writeInt(std::string_view section, std::string_view key, int value)
{
    m_values[keyOf(section, key)] = value;
    ++m_writes;
}

void MemoryProfileStore::writeString(std::string_view section, std::string_view key,
                                     std::string_view value)
{
    m_values[keyOf(section, key)] = std::string(value);
    ++m_writes;
}

bool MemoryProfileStore::contains(std::string_view section, std::string_view key) const
{
    return m_values.count(keyOf(section, key)) != 0;
}

} // namespace tarn
