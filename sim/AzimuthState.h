#pragma once

#include <optional>

namespace tarn::sim {

// The camera's direction aids: the stored north, the azimuth/elevation/zoom
// and compass read-outs and their place beside the ID text, and the
// automatic status responses with their delay.
struct AzimuthState {
    static constexpr int LowestDelay = 100; // milliseconds
    static constexpr int HighestDelay = 999;

    std::optional<int> northPan; // pan position taken as north, tenths of a degree
    int directionZones = 8;      // 8 or 16
    bool azElDisplay = false;
    bool azElPermanent = false;
    bool directionDisplay = false;
    bool directionPermanent = false;
    bool groupedWithIds = true;
    bool autoResponse = false;
    int autoResponseDelay = LowestDelay;
};

} // namespace tarn::sim
