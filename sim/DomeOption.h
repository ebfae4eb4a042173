#pragma once

#include "sim/Dome.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarn::sim {

// One --dome value, ADDRESS[:MODEL[:MODULE[:BAUD]]] ("12:AlderHD:thermal:19200").
// A field left out or left empty ("5::thermal") is taken from `defaults`,
// which also give the protocol and the thermal sensor. On failure returns
// nothing and puts the reason into `error`.
std::optional<DomeSettings> parseDomeOption(std::string_view value, const DomeSettings& defaults,
                                          std::string& error);

} // namespace tarn::sim
