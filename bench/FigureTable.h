#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tarn::bench {

using Seconds = std::chrono::duration<double>;

// One row of the line benchmark: what was measured, and the least the line
// itself allows for it (its bytes at the baud rate, the console's specified
// pauses and time-outs), so the ratio means the same on any machine.
struct Figure {
    std::string what;
    Seconds measured{};
    Seconds floor{};   // zero: the figure has no floor, `note` says what it is
    std::string note;  // printed after the ratio
};

// A sample's median and 99th percentile (the value 99 % of the samples do
// not exceed); zero for no samples.
Seconds median(std::vector<Seconds> samples);
Seconds percentile99(std::vector<Seconds> samples);

// The wire time of `bytes` bytes at `baud`: a start bit, eight data bits and
// a stop bit each.
Seconds wireTime(std::size_t bytes, int baud);

// The figures as one table on standard output.
void printTable(const std::vector<Figure>& figures);

} // namespace tarn::bench
