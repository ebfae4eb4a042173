#include "app/SweepOptions.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "link/Protocols.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarn {
namespace {

std::optional<int> number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return parts;
        text.remove_prefix(comma + 1);
    }
}

std::string clipped(std::string_view text)
{
    // Echoed in an error: a line of a sane length, whatever was given.
    return std::string(text.substr(0, 40));
}

} // namespace

std::optional<std::vector<int>> SweepOptions::parseBauds(std::string_view text, std::string& error)
{
    std::vector<int> indexes;
    for (const std::string_view part : splitCommas(text)) {
        const std::optional<int> rate = number(part);
        const std::optional<int> found = rate ? Settings::baudIndexForRate(*rate) : std::nullopt;
        if (!found) {
            error = Messages::format(Messages::SweepBadBaud, clipped(part).c_str());
            return std::nullopt;
        }
        if (std::find(indexes.begin(), indexes.end(), *found) == indexes.end())
            indexes.push_back(*found);
    }
    return indexes;
}

std::optional<std::vector<int>> SweepOptions::parseProtocols(std::string_view text, std::string& error)
{
    std::vector<int> indexes;
    for (const std::string_view part : splitCommas(text)) {
        const std::optional<int> index = number(part);
        if (!index || *index < 0 || *index >= Protocol::Count) {
            error = Messages::format(Messages::SweepBadProtocol, clipped(part).c_str(), Protocol::Count - 1);
            return std::nullopt;
        }
        if (std::find(indexes.begin(), indexes.end(), *index) == indexes.end())
            indexes.push_back(*index);
    }
    return indexes;
}

bool SweepOptions::parseAddresses(std::string_view text, SweepOptions& options, std::string& error)
{
    const std::size_t dash = text.find('-');
    const std::optional<int> first = number(text.substr(0, dash));
    const std::optional<int> last = dash == std::string_view::npos ? first : number(text.substr(dash + 1));
    if (!first || !last || *first < 1 || *last > 9999 || *first > *last) {
        error = Messages::format(Messages::SweepBadAddressOption, clipped(text).c_str());
        return false;
    }
    options.firstAddress = *first;
    options.lastAddress = *last;
    return true;
}

std::string SweepReport::foundLine(const SweepFind& find)
{
    std::string line = Messages::format(Messages::SweepFoundLine, find.link.c_str(),
                                        Settings::baudRateForIndex(find.baudIndex), find.protocolIndex,
                                        find.address);
    if (!find.firmware.empty())
        line += " firmware=" + find.firmware;
    if (find.panTiltType >= 0)
        line += " pan-tilt=" + std::to_string(find.panTiltType);
    return line;
}

std::string SweepReport::summaryLine(int questions, double seconds)
{
    // Tenths by hand: the locale must not turn the point into a comma.
    const long tenths = std::lround(std::max(0.0, seconds) * 10);
    return Messages::format(Messages::SweepSummaryLine, questions, static_cast<int>(tenths / 10),
                            static_cast<int>(tenths % 10));
}

} // namespace tarn
