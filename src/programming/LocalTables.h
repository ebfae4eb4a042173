#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarn {

// The console's own copy of what the camera keeps in its position tables,
// as the local file "Dome.dat" holds it.

// A pan limit of 4096 means "not set" (pan positions are 0..3599).
inline constexpr std::int16_t LimitNotSet = 4096;

struct CSector {
    std::int16_t leftLimit = LimitNotSet;
    std::int16_t rightLimit = LimitNotSet;
    std::string idText;
    std::int32_t enabled = 1;

    bool operator==(const CSector&) const = default;
};

struct CPriZone {
    std::int16_t leftLimit = LimitNotSet;
    std::int16_t rightLimit = LimitNotSet;
    std::int32_t enabled = 1;

    bool operator==(const CPriZone&) const = default;
};

// One step of a camera tour: a preset number (1..64) and a dwell time in
// seconds; 0 in either means an empty step.
struct TourStep {
    std::int32_t preset = 0;
    std::int32_t dwell = 0;

    bool operator==(const TourStep&) const = default;
};

// Step k belongs to row k + 1 of the tour grid; the 33rd has no grid row and
// always goes out empty.
struct CCameraTour {
    static constexpr int StepCount = 33;
    std::array<TourStep, StepCount> steps{};

    bool operator==(const CCameraTour&) const = default;
};

struct LocalTables {
    static constexpr int SectorCount = 16;
    static constexpr int ZoneCount = 8;
    static constexpr int TourCount = 8;

    std::array<CSector, SectorCount> sectors{};
    std::array<CPriZone, ZoneCount> zones{};
    std::array<CCameraTour, TourCount> tours{};

    // What the dialog starts with when there is no file: every sector named
    // "Sector NN ID text" after its number.
    static LocalTables withoutFile();

    bool operator==(const LocalTables&) const = default;
};

} // namespace tarn
