#pragma once

#include "sim/Answer.h"

#include <vector>

namespace tarn::sim {

// Several domes answering one frame (a broadcast) drive the shared line at
// the same moment: what the console hears is their answers laid over each
// other, bit by bit, a driven 0 winning over a 1 (an idle line is all 1s).
// Identical answers (the acknowledgements) survive; replies become noise or
// a frame with a wrong checksum, as on a real line.
namespace Collision {

// `answers` must not be empty; one answer comes back as it is.
Answer merge(const std::vector<Answer>& answers);

} // namespace Collision
} // namespace tarn::sim
