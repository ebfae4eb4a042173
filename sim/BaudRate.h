#pragma once

#include <optional>
#include <string>

#include <termios.h>

namespace tarn::sim {

// The line speeds a dome can be set to, and the pty's idea of its speed.
namespace BaudRate {

constexpr int Default = 9600;

// One of the seven rates a dome takes: 300, 600, 1200, 2400, 4800, 9600, 19200.
bool isDomeRate(int rate);
// "300, 600, 1200, 2400, 4800, 9600 or 19200", for error texts.
std::string domeRatesText();

// The rate in baud of a termios speed constant; nothing for B0 and for
// speeds it does not know.
std::optional<int> fromSpeed(speed_t speed);
speed_t toSpeed(int rate);

} // namespace BaudRate
} // namespace tarn::sim
