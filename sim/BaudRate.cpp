#include "sim/BaudRate.h"

#include <algorithm>
#include <array>

namespace tarn::sim::BaudRate {

namespace {

constexpr std::array DomeRates{300, 600, 1200, 2400, 4800, 9600, 19200};

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

} // namespace tarn::sim::BaudRate
