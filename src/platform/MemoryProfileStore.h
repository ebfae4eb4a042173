#pragma once

#include "core/ProfileStore.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace tarn {

// A profile kept in memory, for tests and for runs that must not touch the
// user's settings. Counts writes so tests can tell a write from a no-op.
class MemoryProfileStore final : public ProfileStore {
public:
    using Value = std::variant<int, std::string>;

    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    std::optional<std::string> readString(std::string_view section,
                                          std::string_view key) const override;
    void writeInt(std::string_view section, std::string_view key, int value) override;
    void writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    bool contains(std::string_view section, std::string_view key) const;
    int writeCount() const { return m_writes; }
    const std::map<std::pair<std::string, std::string>, Value>& values() const { return m_values; }

private:
    std::map<std::pair<std::string, std::string>, Value> m_values;
    int m_writes = 0;
};

} // namespace tarn
