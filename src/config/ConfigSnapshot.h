#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// One setting of a camera configuration, under the name its dialog shows it
// by, and its value as text.
struct ConfigField {
    std::string name;
    std::string value;
    bool operator==(const ConfigField&) const = default;
};

// Whether a section's questions were answered: every one, some of them, or
// none (the camera was silent, or the section does not apply to it).
enum class SectionState { Read, PartlyRead, NotRead };

std::string_view sectionStateName(SectionState state);
std::optional<SectionState> sectionStateNamed(std::string_view name);

// What one dialog reads of the camera (or what the console keeps of it).
struct ConfigSection {
    std::string name;
    SectionState state = SectionState::NotRead;
    std::vector<ConfigField> fields;

    const std::string* find(std::string_view field) const;
    // Replaces the field's value, or adds it at the end.
    void set(std::string_view field, std::string value);
    bool operator==(const ConfigSection&) const = default;
};

// A camera's whole configuration: a header that says where and when it was
// read, then one section per dialog, in reading order.
struct ConfigSnapshot {
    static constexpr int FormatVersion = 1;

    // "Format", "Date", "Console", "Link", "Address", "Protocol", "Camera"...
    std::vector<ConfigField> header;
    std::vector<ConfigSection> sections;

    const ConfigSection* section(std::string_view name) const;
    ConfigSection* section(std::string_view name);
    const std::string* headerValue(std::string_view name) const;
    void setHeader(std::string_view name, std::string value);
    bool operator==(const ConfigSnapshot&) const = default;
};

} // namespace tarn
