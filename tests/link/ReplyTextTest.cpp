#include "link/ReplyText.h"

#include "link/Protocols.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tarn::test {
namespace {

// Places are counted from the command letter, after an extended address when
// there is one; nothing is ever read past the frame's end. byteAt() gives the
// byte as it came (a level byte of 0x11), never the checksum; at() only printable text.
TEST(ReplyText, readsFromTheLetterAndNeverPastTheEnd)
{
    struct Row {
        const char* name;
        std::vector<std::uint8_t> frame;
        int protocol;
        std::size_t offset;
        std::optional<std::uint8_t> byte;
        char at;
    };
    const Row rows[] = {
        {"letter", {0xF8, 0x01, 'c', 'G', 0x11, 0x8A}, Protocol::Tarn, 0, 'c', 'c'},
        {"a level byte", {0xF8, 0x01, 'c', 'G', 0x11, 0x8A}, Protocol::Tarn, 2, 0x11, 0},
        {"the checksum is not data", {0xF8, 0x01, 'c', 'G', 0x11, 0x8A}, Protocol::Tarn, 3, std::nullopt, 0},
        {"a last byte below 0x80 is data", {0xF8, 0x01, 'c', 'G', 0x11}, Protocol::Tarn, 2, 0x11, 0},
        {"an STX frame's end", {0x02, 0x01, 'c', 'G', 0x11, 0x8A, 0x03}, Protocol::Tarn, 3, std::nullopt, 0},
        {"past the end", {0xF8, 0x01, 'c', 'G', 0x11, 0x8A}, Protocol::Tarn, 4, std::nullopt, 0},
        {"extended address", {0xF8, 0xFE, '0', '0', '1', '7', ':', 'R', 0x85}, Protocol::Tarn, 1, 'R', 'R'},
        {"five address digits", {0xF8, 0xFE, '0', '0', '0', '1', '7', ':', 0x85}, Protocol::PhilipsBosch, 0, ':', ':'},
        {"address only", {0xF8, 0xFE, '0', '0'}, Protocol::Tarn, 0, std::nullopt, 0},
        {"empty", {}, Protocol::Tarn, 0, std::nullopt, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReplyText text(row.frame, row.protocol);
        EXPECT_EQ(text.byteAt(row.offset), row.byte);
        EXPECT_EQ(text.reaches(row.offset), row.byte.has_value());
        EXPECT_EQ(text.at(row.offset), row.at);
    }
}

} // namespace
} // namespace tarn::test
