#pragma once

#include "config/ConfigSnapshot.h"

#include <string>
#include <vector>

namespace tarn {

// One setting that two configurations hold differently. A section read in one
// and not in the other differs in its "State" alone; a field one of them does
// not hold reads "(none)" there.
struct ConfigDifference {
    std::string section;
    std::string field;
    std::string first;
    std::string second;
    bool operator==(const ConfigDifference&) const = default;
};

// One setting of two configurations side by side, for the window's table.
struct ConfigRow {
    std::string section;
    std::string field;
    std::string first;
    std::string second;
    bool differs = false;
    bool operator==(const ConfigRow&) const = default;
};

namespace ConfigCompare {

inline constexpr std::string_view StateField = "State";
inline constexpr std::string_view Absent = "(none)";

// Every section and field of both, in the first one's order and then the
// second's; the headers (where and when each was read) are not compared.
std::vector<ConfigDifference> differences(const ConfigSnapshot& first, const ConfigSnapshot& second);
// Every setting of both, equal or not, in the same order as differences().
std::vector<ConfigRow> rows(const ConfigSnapshot& first, const ConfigSnapshot& second);
// "SECTION.FIELD: FIRST -> SECOND", values as the file writes them.
std::string line(const ConfigDifference& difference);

} // namespace ConfigCompare
} // namespace tarn
