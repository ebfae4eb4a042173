#pragma once

#include "link/TrafficEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// The Traffic window's filter: an entry is kept when its text, note, kind,
// verdict or destination holds the typed text in any case, or when the typed
// text reads as hex bytes ("F8 05", "f805") that its bytes hold in a row.
class TrafficFilter {
public:
    explicit TrafficFilter(std::string_view typed = {});

    bool empty() const { return m_typed.empty(); }
    bool matches(const TrafficEntry& entry) const;

private:
    std::string m_typed;
    std::vector<std::uint8_t> m_hexBytes; // empty when the typed text is not hex
};

} // namespace tarn
