#pragma once

#include <optional>
#include <string_view>

namespace tarn::sim {

// The maker's camera types, in the order of the console's camera type list.
enum class Model { AlderHD, AlderSD, BirchSD, BirchHD, Cedar, DogwoodHD };

// The camera block behind the lens: the console's camera module types.
enum class Module { Standard, DayNight, Thermal };

std::optional<Model> modelNamed(std::string_view name);
std::optional<Module> moduleNamed(std::string_view name);
std::string_view modelName(Model model);

// The pan/tilt units of the Birch models answer a Javelin status request with
// the long (10-byte) form; every other model with the short one.
bool answersLongJavelinStatus(Model model);

} // namespace tarn::sim
