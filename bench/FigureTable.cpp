#include "FigureTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarn::bench {

namespace {

Seconds nth(std::vector<Seconds> samples, std::size_t index)
{
    if (samples.empty())
        return {};
    index = std::min(index, samples.size() - 1);
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(index), samples.end());
    return samples[index];
}

std::string readable(Seconds value)
{
    char text[32];
    if (value.count() >= 1)
        std::snprintf(text, sizeof text, "%.3f s", value.count());
    else
        std::snprintf(text, sizeof text, "%.2f ms", value.count() * 1000);
    return text;
}

} // namespace

Seconds median(std::vector<Seconds> samples)
{
    const std::size_t middle = samples.size() / 2;
    return nth(std::move(samples), middle);
}

Seconds percentile99(std::vector<Seconds> samples)
{
    const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(samples.size())));
    return nth(std::move(samples), rank == 0 ? 0 : rank - 1);
}

Seconds wireTime(std::size_t bytes, int baud)
{
    return Seconds(10.0 * static_cast<double>(bytes) / baud);
}

void printTable(const std::vector<Figure>& figures)
{
    std::printf("%-66s %12s %12s %7s\n", "line figure", "measured", "floor", "ratio");
    for (const Figure& figure : figures) {
        if (figure.floor.count() > 0) {
            std::printf("%-66s %12s %12s %7.2f", figure.what.c_str(), readable(figure.measured).c_str(),
                        readable(figure.floor).c_str(), figure.measured / figure.floor);
        } else {
            std::printf("%-66s %12s %12s %7s", figure.what.c_str(), "", "", "");
        }
        if (!figure.note.empty())
            std::printf("  %s", figure.note.c_str());
        std::printf("\n");
    }
}

} // namespace tarn::bench
