#pragma once

#include <cstddef>
#include <string_view>

namespace tarn::ServicePassword {

// The lock on the service functions that can spoil a camera's calibration or
// home position. Compared exactly: case counts.
inline constexpr std::string_view Text = "KELPDAWN";
inline constexpr std::size_t MaxLength = 8;

inline bool accepts(std::string_view entered)
{
    return entered == Text;
}

} // namespace tarn::ServicePassword
