#include "control/SiteFile.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "platform/LocalFile.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tarn::SiteFile {

namespace {

using namespace Messages;

enum Key { Name, Link, ProtocolKey, Baud, Address, ReceiverType, CameraType, PanTiltType, Group, Note, KeyCount };

// In the order they are written.
constexpr std::array<std::string_view, KeyCount> KeyNames = {
    "Name",         "Link",       "Protocol",    "Baud",  "Address",
    "ReceiverType", "CameraType", "PanTiltType", "Group", "Note"};
constexpr std::array<Key, 5> RequiredKeys = {Name, Link, ProtocolKey, Baud, Address};

// Longest part of a line quoted in a message.
constexpr std::size_t QuotedLineLength = 60;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameWord(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<int> number(std::string_view text)
{
    int value = 0;
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A line as a message quotes it: shortened, never cut inside a character.
std::string quoted(std::string_view line)
{
    if (line.size() <= QuotedLineLength)
        return std::string(line);
    std::size_t end = QuotedLineLength;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0u) == 0x80u)
        --end;
    return std::string(line.substr(0, end)) + "...";
}

// "[Camera 12]": 12; nothing when the section is something else.
std::optional<int> cameraSection(std::string_view inside)
{
    constexpr std::string_view word = "Camera";
    if (inside.size() <= word.size() || !sameWord(inside.substr(0, word.size()), word))
        return std::nullopt;
    const std::optional<int> value = number(trimmed(inside.substr(word.size())));
    if (!value || *value < 1)
        return std::nullopt;
    return value;
}

struct Section {
    int number = 0;
    int line = 0;
    std::array<std::optional<std::string_view>, KeyCount> values{};
};

class Reader {
public:
    Contents read(std::string_view text)
    {
        if (text.starts_with(ByteOrderMark))
            text.remove_prefix(ByteOrderMark.size());
        int lineNumber = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            readLine(++lineNumber, trimmed(line));
        }
        finishSection();
        std::stable_sort(m_loaded.begin(), m_loaded.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [number, camera] : m_loaded)
            m_contents.cameras.push_back(std::move(camera));
        if (m_unshown > 0)
            m_contents.problems.push_back(format(SiteMoreProblems, m_unshown));
        return std::move(m_contents);
    }

private:
    void problem(std::string text)
    {
        if (m_contents.problems.size() < MostProblemsShown)
            m_contents.problems.push_back(std::move(text));
        else
            ++m_unshown;
    }

    void readLine(int lineNumber, std::string_view line)
    {
        if (line.empty() || line.starts_with(';') || line.starts_with('#'))
            return;
        if (line.starts_with('[')) {
            if (!line.ends_with(']')) {
                // Its keys would otherwise land in the camera before it.
                finishSection();
                m_skipping = true;
                problem(format(SiteLineUnreadable, lineNumber, quoted(line).c_str()));
                return;
            }
            startSection(lineNumber, trimmed(line.substr(1, line.size() - 2)));
            return;
        }
        if (m_skipping)
            return;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || trimmed(line.substr(0, equals)).empty()) {
            problem(format(SiteLineUnreadable, lineNumber, quoted(line).c_str()));
            return;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        if (!m_section) {
            problem(format(SiteOutsideSection, lineNumber, quoted(key).c_str()));
            return;
        }
        const auto found = std::find_if(KeyNames.begin(), KeyNames.end(),
                                        [key](std::string_view name) { return sameWord(key, name); });
        if (found == KeyNames.end()) {
            problem(format(SiteUnknownKey, lineNumber, quoted(key).c_str()));
            return;
        }
        auto& value = m_section->values[static_cast<std::size_t>(found - KeyNames.begin())];
        if (value) {
            problem(format(SiteKeyTwice, lineNumber, std::string(*found).c_str(), m_section->number));
            return;
        }
        value = trimmed(line.substr(equals + 1));
    }

    void startSection(int lineNumber, std::string_view inside)
    {
        finishSection();
        const std::optional<int> sectionNumber = cameraSection(inside);
        if (!sectionNumber) {
            problem(format(SiteUnknownSection, lineNumber, quoted(inside).c_str()));
            m_skipping = true;
            return;
        }
        const auto earlier = std::find_if(m_sectionLines.begin(), m_sectionLines.end(),
                                          [&](const auto& seen) { return seen.first == *sectionNumber; });
        if (earlier != m_sectionLines.end()) {
            problem(format(SiteSectionTwice, lineNumber, *sectionNumber, earlier->second));
            m_skipping = true;
            return;
        }
        m_sectionLines.emplace_back(*sectionNumber, lineNumber);
        m_section = Section{*sectionNumber, lineNumber, {}};
    }

    void finishSection()
    {
        m_skipping = false;
        if (!m_section)
            return;
        const Section section = *m_section;
        m_section.reset();

        const auto& values = section.values;
        const std::string entry = values[Name] && !values[Name]->empty()
            ? format(SiteNamedEntryInFile, section.number, std::string(*values[Name]).c_str(), section.line)
            : format(SiteEntryInFile, section.number, section.line);
        std::vector<std::string> problems;
        for (const Key key : RequiredKeys)
            if (!values[key])
                problems.push_back(format(SiteKeyMissing, entry.c_str(), std::string(KeyNames[key]).c_str()));

        SiteCamera camera;
        const auto text = [&](Key key, std::string& field) {
            if (values[key])
                field = std::string(*values[key]);
        };
        const auto integer = [&](Key key, int& field) {
            if (!values[key])
                return;
            if (const std::optional<int> value = number(*values[key]))
                field = *value;
            else
                problems.push_back(format(SiteNotANumber, entry.c_str(), std::string(KeyNames[key]).c_str(),
                                          quoted(*values[key]).c_str()));
        };
        text(Name, camera.name);
        text(Link, camera.link);
        text(Group, camera.group);
        text(Note, camera.note);
        integer(ProtocolKey, camera.protocolIndex);
        integer(Address, camera.address);
        integer(ReceiverType, camera.receiverType);
        integer(CameraType, camera.cameraType);
        integer(PanTiltType, camera.panTiltType);
        if (values[Baud]) {
            const std::optional<int> rate = number(*values[Baud]);
            const std::optional<int> index = rate ? Settings::baudIndexForRate(*rate) : std::nullopt;
            if (!index)
                problems.push_back(format(SiteBaudUnknown, entry.c_str(), quoted(*values[Baud]).c_str()));
            else
                camera.baudIndex = *index;
        }
        // A value that did not read leaves its default, which check() would
        // judge in its place: only what was read is checked.
        if (problems.empty())
            problems = camera.check(entry);
        if (problems.empty() && m_loaded.size() >= MostCameras)
            problems.push_back(format(SiteTooManyCameras, entry.c_str(), MostCameras));
        if (problems.empty()) {
            m_loaded.emplace_back(section.number, std::move(camera));
            return;
        }
        for (const std::string& text : problems)
            problem(format(SiteNotLoaded, text.c_str()));
    }

    Contents m_contents;
    std::optional<Section> m_section;
    // The lines of an unknown or repeated section are skipped without a word each.
    bool m_skipping = false;
    std::vector<std::pair<int, int>> m_sectionLines; // section number, its line
    std::vector<std::pair<int, SiteCamera>> m_loaded;
    int m_unshown = 0;
};

} // namespace

std::string Contents::problemText() const
{
    std::string text;
    for (const std::string& line : problems)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

Contents parse(std::string_view text)
{
    return Reader().read(text);
}

std::string serialise(std::span<const SiteCamera> cameras)
{
    std::string text(SiteFileHeader);
    int number = 0;
    for (const SiteCamera& camera : cameras) {
        const auto line = [&text](Key key, std::string_view value) {
            text.append(KeyNames[key]).append("=").append(value).append("\n");
        };
        text += "\n[Camera " + std::to_string(++number) + "]\n";
        line(Name, camera.name);
        line(Link, camera.link);
        line(ProtocolKey, std::to_string(camera.protocolIndex));
        line(Baud, std::to_string(Settings::baudRateForIndex(camera.baudIndex)));
        line(Address, std::to_string(camera.address));
        line(ReceiverType, std::to_string(camera.receiverType));
        line(CameraType, std::to_string(camera.cameraType));
        line(PanTiltType, std::to_string(camera.panTiltType));
        line(Group, camera.group);
        line(Note, camera.note);
    }
    return text;
}

Contents load(const std::string& path)
{
    const auto bytes = LocalFile::read(path, LargestRead + 1);
    if (!bytes) {
        Contents contents;
        contents.opened = false;
        contents.problems.push_back(format(SiteFileUnreadable, path.c_str()));
        return contents;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const bool tooLong = text.size() > LargestRead;
    if (tooLong)
        text = text.substr(0, LargestRead);
    Contents contents = parse(text);
    if (tooLong)
        contents.problems.insert(contents.problems.begin(),
                                 format(SiteFileTooLong, static_cast<int>(LargestRead / 1024)));
    return contents;
}

std::optional<std::string> save(const std::string& path, std::span<const SiteCamera> cameras)
{
    const std::string text = serialise(cameras);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (auto failure = LocalFile::writeAtomically(path, std::span(bytes, text.size())))
        return format(SiteFileNotSaved, path.c_str(), failure->c_str());
    return std::nullopt;
}

} // namespace tarn::SiteFile
