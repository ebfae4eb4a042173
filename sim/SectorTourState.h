#pragma once

#include "sim/SimClock.h"

#include <array>
#include <string>

namespace tarn::sim {

class CameraState;

// A pan range of the dome: a sector (its ID text shows on the video) or a
// privacy zone (masked). Limits in tenths of a degree, or NotSet.
struct PanRange {
    static constexpr int NotSet = 4096;
    int left = NotSet;
    int right = NotSet;
    bool enabled = true;
};

struct Sector : PanRange {
    static constexpr std::size_t IdTextLength = 24;
    std::string idText = std::string(IdTextLength, ' ');
};

// Preset numbers 1..64 (preset index + 1) and dwell times in seconds; 0 is an
// empty step.
struct TourStep {
    int preset = 0;
    int dwell = 0;
};

struct Tour {
    static constexpr int StepCount = 33;
    std::array<TourStep, StepCount> steps{};
};

// The position tables the dome keeps: 16 sectors, 8 privacy zones, 8 tours,
// and the progress of the tour that runs.
class SectorTourState {
public:
    static constexpr int SectorCount = 16;
    static constexpr int ZoneCount = 8;
    static constexpr int TourCount = 8;

    std::array<Sector, SectorCount> sectors{};
    std::array<PanRange, ZoneCount> zones{};
    std::array<Tour, TourCount> tours{};

    // The dome goes to the tour's first step at once, and on from there.
    void startTour(CameraState& camera, int tour, TimePoint now);
    // Moves a running tour on to `now`: each step's preset in turn, held for
    // its dwell time, round and round. Steps without a preset or a dwell time
    // are passed over.
    void advanceTour(CameraState& camera, TimePoint now);

private:
    int m_tour = -1;
    int m_step = -1;
    TimePoint m_nextStepAt{};
};

} // namespace tarn::sim
