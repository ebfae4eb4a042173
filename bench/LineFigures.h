#pragma once

#include "FigureTable.h"

#include <vector>

namespace tarn::bench {

// What the console's core does on a paced line, against its floor.

// 100 commands queued at once, until the last acknowledgement.
std::vector<Figure> queueDrain(int baud);
// A status question sent, until its reply reaches the panel: median and
// 99th percentile over `count`.
std::vector<Figure> roundTrip(int baud, int count);
// "ZI" pressed on the panel, until the simulator reads the command.
std::vector<Figure> holdPress(int count);
// A stick pushed over, until the simulator reads the pad's command.
std::vector<Figure> stickPress(int count);

} // namespace tarn::bench
