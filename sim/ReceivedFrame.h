#pragma once

#include "sim/Bytes.h"

#include <cstddef>
#include <span>
#include <string>

namespace tarn::sim {

// One frame the camera took off the line, already taken apart.
struct ReceivedFrame {
    enum class Kind {
        Tarn,        // F8, address, text, checksum (also the 'c' camera frames)
        PassThrough, // Javelin: FF LEN ... checksum
        Link,        // 7E 01 AH AL letter 7E
    };

    Kind kind = Kind::Tarn;
    // As it crossed the line, a port server's length header included.
    Bytes raw;
    std::size_t headerLength = 0;
    // The checksum agrees (and so does the length header, when there is one).
    bool intact = true;
    // Tarn: the address byte was FF.
    bool broadcast = false;
    // The address the frame names: the address byte, the extended digits, or
    // the AH/AL bytes of a Javelin or link frame.
    int address = 0;
    // Tarn: the command text between address and checksum.
    std::string text;
    // Link: 'A' or 'D'.
    std::uint8_t linkLetter = 0;

    std::span<const std::uint8_t> frame() const { return std::span(raw).subspan(headerLength); }
};

} // namespace tarn::sim
