#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarn {

// One status field of a picture-control reply: its letter and the value
// characters that go with it (four for 'V', three for 'a' and 'l', one for
// every other letter). Values are raw bytes: some fields carry a number + 16
// or a magnification byte, not a digit.
struct DspStatusField {
    char letter = 0;
    std::array<std::uint8_t, 4> value{};
    std::size_t width = 0;
};

// A reply for the picture-control dialog, taken apart but not yet
// interpreted. The body starts after the address (byte 2, later after an
// extended address); a body beginning ':' is a DSP register reply, anything
// else a camera reply letter followed by a run of status fields.
struct DspReply {
    enum class Kind { Nothing, Register, Status };
    Kind kind = Kind::Nothing;

    // Register reply: the operation letter ('R', 'W', 'w', 'r' or another)
    // and the characters that operation carries ("R": address and value,
    // "W": six, "w"/"r": eight, others none), as far as the frame has them.
    char operation = 0;
    std::string characters;

    // Status reply: the fields in the order they came. Parsing ends at a NUL
    // or a byte of 0x80 or more where a letter would be (the checksum); a
    // field cut short by the end of the frame or by the checksum is dropped.
    std::vector<DspStatusField> fields;
};

// Value characters that follow a status letter.
std::size_t dspStatusFieldWidth(char letter);

// Never reads past the end of `frame`. `protocolIndex` decides how many
// address digits an extended address has, as the routing does.
DspReply parseDspReply(std::span<const std::uint8_t> frame, int protocolIndex);

} // namespace tarn
