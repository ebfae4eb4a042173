#include "programming/TextLog.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

std::tm at(int hour, int minute)
{
    std::tm time{};
    time.tm_year = 99; // 31 December 1999
    time.tm_mon = 11;
    time.tm_mday = 31;
    time.tm_hour = hour;
    time.tm_min = minute;
    return time;
}

TEST(DateTimeTextTest, twelveHourClockInEnglishWithATwoDigitYear)
{
    struct Row {
        int hour, minute;
        const char* text;
    };
    const Row rows[] = {
        {0, 0, "12:00 AM"}, {0, 59, "12:59 AM"}, {9, 7, "09:07 AM"},
        {12, 0, "12:00 PM"}, {13, 30, "01:30 PM"}, {23, 59, "11:59 PM"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DateTimeText::clockTime(at(row.hour, row.minute)), row.text);
    EXPECT_EQ(DateTimeText::date(at(0, 0)), "12/31/99");
    std::tm later = at(0, 0);
    later.tm_year = 109;
    later.tm_mon = 0;
    later.tm_mday = 2;
    EXPECT_EQ(DateTimeText::date(later), "01/02/09");
}

TEST(TextLogTest, aFullDiskIsAFailureWithItsReason)
{
    TextLog log;
    log.setFileName("/dev/full");
    log.setTitle("Title");
    ASSERT_TRUE(log.create());
    EXPECT_FALSE(log.start(true, false));
    EXPECT_EQ(log.failure(), "No space left on device");
}

} // namespace
} // namespace tarn
