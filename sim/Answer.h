#pragma once

#include "sim/Bytes.h"

#include <cstddef>

namespace tarn::sim {

// What the camera puts on the line for one command: the acknowledgement byte
// or a whole reply frame.
struct Answer {
    enum class Kind { Ack, Reply };

    Kind kind = Kind::Ack;
    Bytes bytes;
    // Where the reply's checksum sits (a fault may spoil it); 0 for an ack.
    std::size_t checksumIndex = 0;
};

} // namespace tarn::sim
