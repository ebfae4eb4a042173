#include "config/SnapshotFields.h"

#include "core/Messages.h"
#include "programming/CameraIdText.h"

#include <algorithm>
#include <charconv>

namespace tarn {

const std::string* SnapshotFields::value(std::string_view field)
{
    const std::string* found = m_section.find(field);
    if (!found)
        refuse(Messages::ConfigFieldMissing, field, {});
    return found;
}

void SnapshotFields::refuse(const char* pattern, std::string_view field, const std::string& value, std::string detail)
{
    if (m_problem)
        return;
    m_problem = Messages::format(pattern, m_section.name.c_str(), std::string(field).c_str(), value.c_str(),
                                 detail.c_str());
}

std::optional<int> SnapshotFields::number(std::string_view field, int lowest, int highest)
{
    const std::string* text = value(field);
    if (!text)
        return std::nullopt;
    int result = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, result);
    if (text->empty() || error != std::errc() || stop != end) {
        refuse(Messages::ConfigFieldNotANumber, field, *text);
        return std::nullopt;
    }
    if (result < lowest || result > highest) {
        refuse(Messages::ConfigFieldOutside, field, *text, std::to_string(lowest) + ".." + std::to_string(highest));
        return std::nullopt;
    }
    return result;
}

std::optional<int> SnapshotFields::choice(std::string_view field, std::span<const std::string_view> choices)
{
    const std::string* text = value(field);
    if (!text)
        return std::nullopt;
    const auto found = std::find(choices.begin(), choices.end(), *text);
    if (found == choices.end()) {
        std::string known;
        for (const std::string_view choice : choices)
            known += (known.empty() ? "" : ", ") + std::string(choice);
        refuse(Messages::ConfigFieldNotAChoice, field, *text, known);
        return std::nullopt;
    }
    return static_cast<int>(found - choices.begin());
}

std::optional<bool> SnapshotFields::flag(std::string_view field)
{
    static constexpr std::string_view Flags[] = {"off", "on"};
    const auto index = choice(field, Flags);
    if (!index)
        return std::nullopt;
    return *index == 1;
}

std::optional<std::string> SnapshotFields::text(std::string_view field, std::size_t longest)
{
    const std::string* found = value(field);
    if (!found)
        return std::nullopt;
    const bool printable = std::all_of(found->begin(), found->end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (!printable || found->size() > longest) {
        refuse(Messages::ConfigFieldNotWireText, field, *found, std::to_string(longest));
        return std::nullopt;
    }
    return *found;
}

std::optional<std::string> SnapshotFields::idLine(std::string_view field)
{
    const std::string* found = value(field);
    if (!found)
        return std::nullopt;
    if (CameraIdText::characterCount(*found) > CameraIdText::LineLength) {
        refuse(Messages::ConfigFieldTooLong, field, *found, std::to_string(CameraIdText::LineLength));
        return std::nullopt;
    }
    return *found;
}

} // namespace tarn
