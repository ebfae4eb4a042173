#pragma once

#include "FigureTable.h"

#include <string>
#include <vector>

namespace tarn::bench {

// What the whole tarn-console program does, started as a technician starts it.

// Process start until the first frame reaches the simulator: median of `runs`.
std::vector<Figure> startUp(const std::string& console, int runs);
// Resident memory after an hour of status polling with the Traffic window
// open, the hour run `speedUp` times faster (--speed-up).
std::vector<Figure> memoryOverAnHour(const std::string& console, int speedUp);

} // namespace tarn::bench
