#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace tarn {

// The local date and time, from the system in the program and fixed in tests.
using LocalTimeSource = std::function<std::tm()>;
std::tm localTimeNow();

// Dates and times as the maintenance logs and the camera's pressure query
// carry them: "06/01/24" and "02:05 PM". Always in English with a two-digit
// year, whatever the user's locale, so the files read the same everywhere.
namespace DateTimeText {
std::string date(const std::tm& time);      // %m/%d/%y
std::string clockTime(const std::tm& time); // %I:%M %p
} // namespace DateTimeText

} // namespace tarn
