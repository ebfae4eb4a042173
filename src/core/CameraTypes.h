#pragma once

#include <array>
#include <string_view>

namespace tarn {

// The camera types the console knows, as the Setup dialog lists them and the
// settings keep them ("RxType"), and what each of them can do. Every rule
// that depends on the camera type asks here.
namespace CameraType {
inline constexpr int AlderHd = 0;
inline constexpr int AlderSd = 1;
inline constexpr int BirchSd = 2;
inline constexpr int BirchHd = 3;
inline constexpr int Cedar = 4;
inline constexpr int DogwoodHd = 5;
// The list's empty entry: a receiver that is not one of the maker's cameras.
inline constexpr int OtherMake = 6;
inline constexpr std::array<std::string_view, 7> Names = {
    "AlderHD", "AlderSD", "BirchSD", "BirchHD", "Cedar", "DogwoodHD", ""};

// The maker's own cameras, which speak the whole command set.
constexpr bool isMakers(int type) { return type >= AlderHd && type <= DogwoodHd; }
// The HD picture processors: image stabiliser, no indoor/outdoor, no digital zoom.
constexpr bool isHd(int type) { return type == AlderHd || type == BirchHd || type == DogwoodHd; }
// The thermal dome; the others carry a day/night module.
constexpr bool isThermal(int type) { return type == Cedar; }
constexpr bool hasWasher(int type) { return type == AlderHd; }
// Lens Fast, manual iris and auto focus on PTZ: not on the thermal dome.
constexpr bool hasLensLatches(int type) { return isMakers(type) && !isThermal(type); }
// Start/Stop of a tour only lights the lamp on the AlderSD.
constexpr bool runsMakersTours(int type) { return isMakers(type) && type != AlderSd; }
// The SD domes make their ID text themselves.
constexpr bool generatesIdText(int type) { return type == AlderSd || type == BirchSd; }
constexpr bool hasJavelinOptions(int type) { return type == AlderSd; }
constexpr bool hasFlip(int type) { return type == BirchSd || type == BirchHd; }
// NTCIP and Tarn mode buttons of Other Maintenance.
constexpr bool hasNtcipMode(int type) { return type != AlderHd && type != DogwoodHd; }
} // namespace CameraType

// The camera module types ("CamType").
namespace ModuleType {
inline constexpr int Standard = 0;
inline constexpr int DayNight = 1;
inline constexpr int Thermal = 2;
inline constexpr std::array<std::string_view, 3> Names = {"Standard", "Day/Night", "Thermal"};

// The module a camera type carries.
constexpr int of(int cameraType) { return CameraType::isThermal(cameraType) ? Thermal : DayNight; }
} // namespace ModuleType

} // namespace tarn
