#include "link/TrafficFilter.h"

#include "core/Messages.h"

#include <algorithm>

namespace tarn {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsAnyCase(std::string_view haystack, std::string_view needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return lower(a) == lower(b); })
        != haystack.end();
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Pairs of hex digits, blanks between bytes allowed; nothing otherwise.
std::vector<std::uint8_t> hexBytes(std::string_view typed)
{
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (const char c : typed) {
        if (c == ' ') {
            if (high >= 0)
                return {};
            continue;
        }
        const int value = hexValue(c);
        if (value < 0)
            return {};
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
            high = -1;
        }
    }
    return high < 0 ? bytes : std::vector<std::uint8_t>{};
}


} // namespace

TrafficFilter::TrafficFilter(std::string_view typed)
{
    // Blanks around the text are the box's, not the operator's.
    while (!typed.empty() && typed.front() == ' ')
        typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ')
        typed.remove_suffix(1);
    m_typed = typed;
    m_hexBytes = hexBytes(typed);
}

bool TrafficFilter::matches(const TrafficEntry& entry) const
{
    if (m_typed.empty())
        return true;
    if (!m_hexBytes.empty()
        && std::search(entry.bytes.begin(), entry.bytes.end(), m_hexBytes.begin(), m_hexBytes.end())
            != entry.bytes.end())
        return true;
    return containsAnyCase(entry.text, m_typed) || containsAnyCase(entry.note, m_typed)
        || containsAnyCase(Messages::wordFor(Messages::TrafficKinds, entry.kind), m_typed)
        || containsAnyCase(Messages::wordFor(Messages::TrafficVerdicts, entry.verdict), m_typed)
        || containsAnyCase(Messages::wordFor(Messages::TrafficDestinations, entry.routedTo), m_typed);
}

} // namespace tarn
