#pragma once

#include "config/ConfigSnapshot.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

// Reading a section's fields back for writing: each read either gives the
// value, or leaves the reason it cannot be written (naming the section and
// the field) in `problem`; the first problem is kept.
class SnapshotFields {
public:
    explicit SnapshotFields(const ConfigSection& section)
        : m_section(section)
    {
    }

    // A whole number in lowest..highest.
    std::optional<int> number(std::string_view field, int lowest, int highest);
    // One of `choices`, as its position.
    std::optional<int> choice(std::string_view field, std::span<const std::string_view> choices);
    // "on" or "off".
    std::optional<bool> flag(std::string_view field);
    // Printable ASCII of at most `longest` characters.
    std::optional<std::string> text(std::string_view field, std::size_t longest);
    // A camera ID line: at most 24 characters of UTF-8 text.
    std::optional<std::string> idLine(std::string_view field);
    // Whether the section holds the field at all (a part read partly).
    bool has(std::string_view field) const { return m_section.find(field) != nullptr; }

    const std::optional<std::string>& problem() const { return m_problem; }

    static std::string flagText(bool on) { return on ? "on" : "off"; }

private:
    const std::string* value(std::string_view field);
    void refuse(const char* pattern, std::string_view field, const std::string& value, std::string detail = {});

    const ConfigSection& m_section;
    std::optional<std::string> m_problem;
};

} // namespace tarn
