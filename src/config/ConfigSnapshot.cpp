#include "config/ConfigSnapshot.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarn {
namespace {

constexpr std::array<std::string_view, 3> StateNames = {"read", "partly read", "not read"};

template <typename Fields>
auto findField(Fields& fields, std::string_view name)
{
    return std::find_if(fields.begin(), fields.end(), [name](const ConfigField& field) { return field.name == name; });
}

void setField(std::vector<ConfigField>& fields, std::string_view name, std::string value)
{
    const auto found = findField(fields, name);
    if (found != fields.end())
        found->value = std::move(value);
    else
        fields.push_back({std::string(name), std::move(value)});
}

} // namespace

std::string_view sectionStateName(SectionState state)
{
    return StateNames.at(static_cast<std::size_t>(state));
}

std::optional<SectionState> sectionStateNamed(std::string_view name)
{
    for (std::size_t i = 0; i < StateNames.size(); ++i) {
        if (StateNames[i] == name)
            return static_cast<SectionState>(i);
    }
    return std::nullopt;
}

const std::string* ConfigSection::find(std::string_view field) const
{
    const auto found = findField(fields, field);
    return found == fields.end() ? nullptr : &found->value;
}

void ConfigSection::set(std::string_view field, std::string value)
{
    setField(fields, field, std::move(value));
}

const ConfigSection* ConfigSnapshot::section(std::string_view name) const
{
    const auto found = std::find_if(sections.begin(), sections.end(),
                                    [name](const ConfigSection& section) { return section.name == name; });
    return found == sections.end() ? nullptr : &*found;
}

ConfigSection* ConfigSnapshot::section(std::string_view name)
{
    return const_cast<ConfigSection*>(std::as_const(*this).section(name));
}

const std::string* ConfigSnapshot::headerValue(std::string_view name) const
{
    const auto found = findField(header, name);
    return found == header.end() ? nullptr : &found->value;
}

void ConfigSnapshot::setHeader(std::string_view name, std::string value)
{
    setField(header, name, std::move(value));
}

} // namespace tarn
