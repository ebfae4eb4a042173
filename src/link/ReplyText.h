#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// A camera reply read at fixed places counted from its command letter (frame
// byte 2, or after the extended address digits). Only the reply's data is
// read: its checksum (and an STX frame's end byte) are not, so a reply cut
// short never lends them to a field. A place past the data's end, or a text
// place holding anything but printable ASCII, reads as 0 (or nothing).
// Fields of digits taken by their low four bits, and raw bytes, are read
// here too, with the same bound.
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
    // The byte at `offset` from the command letter, whatever it is; nothing
    // past the data's end.
    std::optional<std::uint8_t> byteAt(std::size_t offset) const;
    // Whether the data reaches `offset` from the command letter.
    bool reaches(std::size_t offset) const { return m_letter + offset < m_frame.size(); }
    // The byte at `offset` as it is, or 0 past the end.
    std::uint8_t byte(std::size_t offset) const { return reaches(offset) ? m_frame[m_letter + offset] : 0; }
    // Whether `count` value bytes stand from `offset`: the frame reaches
    // them all and none has bit 7 set (the checksum's kind, where it ends).
    bool holds(std::size_t offset, std::size_t count) const;
    // `count` digits from `offset`, each by its low four bits, most
    // significant first; nothing unless holds(offset, count).
    std::optional<int> lowNibbles(std::size_t offset, std::size_t count) const;

    // The frame without what follows its data: the checksum (a last byte of
    // 0x80 or more), and an STX frame's end byte.
    static std::span<const std::uint8_t> data(std::span<const std::uint8_t> frame);

private:
    ReplyText(std::span<const std::uint8_t> frame, std::size_t letter);

    std::span<const std::uint8_t> m_frame;
    std::size_t m_letter;
};

} // namespace tarn
