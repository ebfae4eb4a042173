#include "programming/DateTimeText.h"

#include <cstdio>

namespace tarn {

std::tm localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

namespace DateTimeText {

namespace {

// Two digits of a field that a broken time source may have left out of range.
int twoDigits(int value)
{
    value %= 100;
    return value < 0 ? value + 100 : value;
}

} // namespace

std::string date(const std::tm& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", twoDigits(time.tm_mon + 1),
                  twoDigits(time.tm_mday), twoDigits(time.tm_year));
    return text;
}

std::string clockTime(const std::tm& time)
{
    const int hour = twoDigits(time.tm_hour) % 24;
    const int twelveHour = hour % 12 == 0 ? 12 : hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d %s", twelveHour, twoDigits(time.tm_min),
                  hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace DateTimeText
} // namespace tarn
