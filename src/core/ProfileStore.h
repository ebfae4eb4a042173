#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// The per-user profile: integers (and a few strings) by section and key.
// Every write is meant to reach permanent storage at once.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual int readInt(std::string_view section, std::string_view key, int fallback) const = 0;
    virtual std::optional<std::string> readString(std::string_view section,
                                                  std::string_view key) const = 0;
    virtual void writeInt(std::string_view section, std::string_view key, int value) = 0;
    virtual void writeString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

} // namespace tarn
