#pragma once

#include <cstdint>
#include <vector>

namespace tarn::sim {

using Bytes = std::vector<std::uint8_t>;

} // namespace tarn::sim
