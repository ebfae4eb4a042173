#include "config/ConfigFile.h"

#include "core/Messages.h"
#include "platform/LocalFile.h"

#include <algorithm>
#include <cstdint>

namespace tarn::ConfigFile {
namespace {

constexpr std::string_view HeaderSection = "Header";
constexpr std::string_view FormatKey = "Format";
constexpr std::string_view StateKey = "State";

bool needsQuotes(std::string_view value)
{
    if (value.empty())
        return false;
    if (value.front() == ' ' || value.back() == ' ')
        return true;
    return std::any_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\';
    });
}

void appendValue(std::string& out, std::string_view value)
{
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    static constexpr char Hex[] = "0123456789ABCDEF";
    out += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendField(std::string& out, const ConfigField& field)
{
    out += field.name;
    out += '=';
    appendValue(out, field.value);
    out += '\n';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A quoted value, from its opening quote; nullopt when it does not close or
// holds an escape that does not read.
std::optional<std::string> unquoted(std::string_view text)
{
    std::string value;
    std::size_t i = 1;
    for (; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\') {
            value += text[i];
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        if (text[i] == '"' || text[i] == '\\') {
            value += text[i];
        } else if (text[i] == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            value += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    if (i >= text.size() || i + 1 != text.size())
        return std::nullopt; // no closing quote, or something after it
    return value;
}

bool hasControlByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

} // namespace

std::string shownValue(std::string_view value)
{
    std::string out;
    appendValue(out, value);
    return out;
}

std::string serialise(const ConfigSnapshot& snapshot)
{
    std::string out(Messages::ConfigFileComment);
    out += "[Header]\n";
    for (const ConfigField& field : snapshot.header)
        appendField(out, field);
    for (const ConfigSection& section : snapshot.sections) {
        out += "\n[";
        out += section.name;
        out += "]\n";
        appendField(out, {std::string(StateKey), std::string(sectionStateName(section.state))});
        for (const ConfigField& field : section.fields)
            appendField(out, field);
    }
    return out;
}

Parsed parse(std::string_view text)
{
    ConfigSnapshot snapshot;
    bool inHeader = false;
    bool headerSeen = false;
    ConfigSection* section = nullptr;
    bool stateSeen = true;
    int lineNumber = 0;
    auto refuse = [&lineNumber](const char* pattern, std::string_view what) {
        return Parsed{std::nullopt, Messages::format(pattern, lineNumber, std::string(what).c_str())};
    };
    auto sectionWithoutState = [&]() -> std::optional<Parsed> {
        if (section && !stateSeen)
            return Parsed{std::nullopt, Messages::format(Messages::ConfigStateMissing, section->name.c_str())};
        return std::nullopt;
    };

    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (hasControlByte(line))
            return refuse(Messages::ConfigLineUnreadable, Messages::ConfigControlByte);

        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3)
                return refuse(Messages::ConfigLineUnreadable, line);
            if (auto missing = sectionWithoutState())
                return *missing;
            const std::string_view name = trimmed(line.substr(1, line.size() - 2));
            if (name.empty())
                return refuse(Messages::ConfigLineUnreadable, line);
            if (name == HeaderSection) {
                if (headerSeen)
                    return refuse(Messages::ConfigSectionTwice, name);
                headerSeen = inHeader = true;
                section = nullptr;
                continue;
            }
            if (snapshot.section(name))
                return refuse(Messages::ConfigSectionTwice, name);
            snapshot.sections.push_back({std::string(name), SectionState::NotRead, {}});
            section = &snapshot.sections.back();
            inHeader = false;
            stateSeen = false;
            continue;
        }

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return refuse(Messages::ConfigLineUnreadable, line);
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view raw = trimmed(line.substr(equals + 1));
        std::string value(raw);
        if (!raw.empty() && raw.front() == '"') {
            auto inner = unquoted(raw);
            if (!inner)
                return refuse(Messages::ConfigValueUnreadable, key);
            value = std::move(*inner);
        }

        if (inHeader) {
            if (snapshot.headerValue(key))
                return refuse(Messages::ConfigFieldTwice, key);
            snapshot.header.push_back({std::string(key), std::move(value)});
        } else if (section) {
            if (key == StateKey && !stateSeen) {
                const auto state = sectionStateNamed(value);
                if (!state)
                    return refuse(Messages::ConfigStateUnknown, value);
                section->state = *state;
                stateSeen = true;
            } else if (key == StateKey || section->find(key)) {
                return refuse(Messages::ConfigFieldTwice, key);
            } else {
                section->fields.push_back({std::string(key), std::move(value)});
            }
        } else {
            return refuse(Messages::ConfigOutsideSection, key);
        }
    }
    if (auto missing = sectionWithoutState())
        return *missing;
    if (!headerSeen)
        return {std::nullopt, std::string(Messages::ConfigHeaderMissing)};
    const std::string* format = snapshot.headerValue(FormatKey);
    if (!format || *format != std::to_string(ConfigSnapshot::FormatVersion))
        return {std::nullopt, Messages::format(Messages::ConfigFormatUnknown, format ? format->c_str() : "",
                                               ConfigSnapshot::FormatVersion)};
    return {std::move(snapshot), {}};
}

Parsed load(const std::string& path)
{
    const auto bytes = LocalFile::read(path, LargestFile + 1);
    if (!bytes)
        return {std::nullopt, Messages::format(Messages::ConfigFileUnreadable, path.c_str())};
    if (bytes->size() > LargestFile)
        return {std::nullopt, Messages::format(Messages::ConfigFileTooLong, path.c_str(), int(LargestFile / 1024))};
    return parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::optional<std::string> save(const std::string& path, const ConfigSnapshot& snapshot)
{
    const std::string text = serialise(snapshot);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (auto failure = LocalFile::writeAtomically(path, std::span(bytes, text.size())))
        return Messages::format(Messages::ConfigFileNotSaved, path.c_str(), failure->c_str());
    return std::nullopt;
}

} // namespace tarn::ConfigFile
