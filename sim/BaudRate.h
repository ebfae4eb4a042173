#pragma once

#include <string>

namespace tarn::sim {

// The line speeds a dome can be set to.
namespace BaudRate {

constexpr int Default = 9600;

// One of the seven rates a dome takes: 300, 600, 1200, 2400, 4800, 9600, 19200.
bool isDomeRate(int rate);
// "300, 600, 1200, 2400, 4800, 9600 or 19200", for error texts.
std::string domeRatesText();

} // namespace BaudRate
} // namespace tarn::sim
