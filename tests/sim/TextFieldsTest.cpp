// The shared readers and writers of the command and reply texts: the edges
// every command that uses them relies on.

#include "sim/TextFields.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

TEST(TextFields, DigitCharAndFieldWriteZeroPlusTheValue)
{
    EXPECT_EQ(TextFields::digitChar(0), '0');
    EXPECT_EQ(TextFields::digitChar(9), '9');
    EXPECT_EQ(TextFields::digitChar(11), ';');
    EXPECT_EQ(TextFields::field('W', 1), "W1");
    EXPECT_EQ(TextFields::field('C', 15), "C?");
}

TEST(TextFields, DecimalAtTakesTheWholeWidthOrNothing)
{
    EXPECT_EQ(TextFields::decimalAt("mwr0012d05", 3, 4), 12);
    EXPECT_EQ(TextFields::decimalAt("mwr0012d05", 8, 2), 5);
    EXPECT_EQ(TextFields::decimalAt("mwr0012d0", 8, 2), std::nullopt) << "one digit short";
    EXPECT_EQ(TextFields::decimalAt("mwr0012d05", 10, 1), std::nullopt) << "past the end";
    EXPECT_EQ(TextFields::decimalAt("mwr0:12", 3, 4), std::nullopt) << "':' is no decimal digit";
    EXPECT_EQ(TextFields::decimalAt("U T12", 1, 3), std::nullopt);
}

TEST(TextFields, CharAtIsNulPastTheEnd)
{
    EXPECT_EQ(TextFields::charAt("dN1", 2), '1');
    EXPECT_EQ(TextFields::charAt("dN", 2), '\0');
    EXPECT_EQ(TextFields::charAt("", 0), '\0');
}

TEST(TextFields, NumberIndexAtReadsOneToCount)
{
    EXPECT_EQ(TextFields::numberIndexAt("*TS1", 3, 8), std::optional<std::size_t>(0));
    EXPECT_EQ(TextFields::numberIndexAt("*TS8", 3, 8), std::optional<std::size_t>(7));
    EXPECT_EQ(TextFields::numberIndexAt("*TS9", 3, 8), std::nullopt);
    EXPECT_EQ(TextFields::numberIndexAt("*TS0", 3, 8), std::nullopt) << "'0' is all, not an entry";
    EXPECT_EQ(TextFields::numberIndexAt("*TS", 3, 8), std::nullopt);
    EXPECT_EQ(TextFields::numberIndexAt("*SL@", 3, 16), std::optional<std::size_t>(15)) << "sector 16";
    EXPECT_EQ(TextFields::numberIndexAt("*SLA", 3, 16), std::nullopt);
    EXPECT_EQ(TextFields::numberIndexAt("*TS/", 3, 8), std::nullopt);
}

} // namespace
} // namespace tarn::sim::test
