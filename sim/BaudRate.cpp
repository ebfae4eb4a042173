#include "sim/BaudRate.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarn::sim::BaudRate {

namespace {

constexpr std::array DomeRates{300, 600, 1200, 2400, 4800, 9600, 19200};

// Every rate a console might set, so that the log can name a wrong one too.
constexpr std::array<std::pair<speed_t, int>, 18> Speeds{{
    {B50, 50},
    {B75, 75},
    {B110, 110},
    {B134, 134},
    {B150, 150},
    {B200, 200},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B1800, 1800},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
    {B230400, 230400},
}};

} // namespace

bool isDomeRate(int rate)
{
    return std::find(DomeRates.begin(), DomeRates.end(), rate) != DomeRates.end();
}

std::string domeRatesText()
{
    std::string text;
    for (std::size_t i = 0; i < DomeRates.size(); ++i) {
        if (i > 0)
            text += i + 1 == DomeRates.size() ? " or " : ", ";
        text += std::to_string(DomeRates[i]);
    }
    return text;
}

std::optional<int> fromSpeed(speed_t speed)
{
    for (const auto& [constant, rate] : Speeds) {
        if (constant == speed)
            return rate;
    }
    return std::nullopt;
}

speed_t toSpeed(int rate)
{
    for (const auto& [constant, known] : Speeds) {
        if (known == rate)
            return constant;
    }
    return B9600;
}

} // namespace tarn::sim::BaudRate
