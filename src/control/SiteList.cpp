#include "control/SiteList.h"

#include "control/SiteLink.h"
#include "core/Messages.h"

#include <algorithm>

namespace tarn {

namespace {

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

SiteCamera tidied(SiteCamera camera)
{
    for (std::string* text : {&camera.name, &camera.link, &camera.group, &camera.note})
        *text = trimmed(*text);
    return camera;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool contains(std::string_view text, std::string_view word)
{
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return lower(a) == lower(b); })
        != text.end();
}

bool sameLine(const SiteCamera& a, const SiteCamera& b)
{
    return a.link == b.link && a.baudIndex == b.baudIndex && a.protocolIndex == b.protocolIndex
        && a.address == b.address;
}

} // namespace

void SiteList::replace(std::vector<SiteCamera> cameras)
{
    m_entries.clear();
    if (cameras.size() > static_cast<std::size_t>(MostCameras))
        cameras.resize(static_cast<std::size_t>(MostCameras));
    for (SiteCamera& camera : cameras)
        m_entries.push_back({std::move(camera), SiteCameraState::NotTried});
}

std::vector<SiteCamera> SiteList::cameras() const
{
    std::vector<SiteCamera> cameras;
    for (const Entry& entry : m_entries)
        cameras.push_back(entry.camera);
    return cameras;
}

std::vector<std::string> SiteList::add(SiteCamera camera)
{
    camera = tidied(std::move(camera));
    if (size() >= MostCameras)
        return {Messages::format(Messages::SiteListFull, MostCameras)};
    std::vector<std::string> problems = camera.check();
    if (problems.empty())
        m_entries.push_back({std::move(camera), SiteCameraState::NotTried});
    return problems;
}

std::vector<std::string> SiteList::edit(int index, SiteCamera camera)
{
    if (!valid(index))
        return {};
    camera = tidied(std::move(camera));
    std::vector<std::string> problems = camera.check();
    if (!problems.empty())
        return problems;
    Entry& entry = m_entries[static_cast<std::size_t>(index)];
    if (!sameLine(entry.camera, camera))
        entry.state = SiteCameraState::NotTried;
    entry.camera = std::move(camera);
    return {};
}

void SiteList::remove(int index)
{
    if (valid(index))
        m_entries.erase(m_entries.begin() + index);
}

void SiteList::move(int from, int to)
{
    if (!valid(from) || !valid(to) || from == to)
        return;
    const auto first = m_entries.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

void SiteList::setState(int index, SiteCameraState state)
{
    if (valid(index))
        m_entries[static_cast<std::size_t>(index)].state = state;
}

std::vector<int> SiteList::filter(std::string_view text) const
{
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    std::vector<int> shown;
    for (int index = 0; index < size(); ++index) {
        const SiteCamera& camera = at(index).camera;
        const std::string address = std::to_string(camera.address);
        const bool matches = std::all_of(words.begin(), words.end(), [&](std::string_view word) {
            return contains(camera.name, word) || contains(camera.group, word)
                || contains(camera.link, word) || contains(address, word);
        });
        if (matches)
            shown.push_back(index);
    }
    return shown;
}

std::optional<int> SiteList::quickKey(int key) const
{
    if (key < 1 || key > QuickKeys || key > size())
        return std::nullopt;
    return key - 1;
}

std::optional<int> SiteList::find(std::string_view link, int address) const
{
    // "COM03" is COM3, "localhost:4001" is 127.0.0.1:4001.
    const SiteLink wanted = SiteLink::parse(link);
    for (int index = 0; index < size(); ++index) {
        const SiteCamera& camera = at(index).camera;
        if (camera.address == address && SiteLink::parse(camera.link) == wanted)
            return index;
    }
    return std::nullopt;
}

} // namespace tarn
