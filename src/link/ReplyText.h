#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// A camera reply read at fixed places counted from its command letter (frame
// byte 2, or after the extended address digits). A place past the frame's end
// or holding anything but printable ASCII (the checksum, the STX end byte)
// reads as 0, so a short or garbled reply never yields bytes from beyond it.
class ReplyText {
public:
    ReplyText(std::span<const std::uint8_t> frame, int protocolIndex);

    // The character at `offset` from the command letter, or 0.
    char at(std::size_t offset) const;
    // Up to `count` characters from `offset`, ending early at the first 0.
    std::string text(std::size_t offset, std::size_t count) const;
    // A free text for one line: up to `count` characters from `offset` to
    // the frame's end, tabs as spaces, control bytes and bytes above 0x7E
    // (the checksum, an STX end byte) left out.
    std::string lineText(std::size_t offset, std::size_t count) const;
    // The byte at `offset` from the command letter as it came, for fields
    // that carry a number as a byte; nothing past the frame's end.
    std::optional<std::uint8_t> byte(std::size_t offset) const;
    // Whether the frame reaches `offset` from the command letter.
    bool reaches(std::size_t offset) const { return m_letter + offset < m_frame.size(); }

private:
    std::span<const std::uint8_t> m_frame;
    std::size_t m_letter;
};

} // namespace tarn
