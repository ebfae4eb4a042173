// The console on a line, end to end: against tarn-camsim on a pty, pacing
// its bytes at the rate the console set, each figure beside the floor the
// line and the console's specified pauses set. Prints one table.
//
//   tarn_line_benchmark [--quick]
//
// --quick takes a tenth of the samples and a shorter hour, to see that it runs.

#include "FigureTable.h"
#include "LineFigures.h"
#include "ProcessFigures.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    using namespace tarn::bench;
    bool quick = false;
    for (int index = 1; index < argc; ++index) {
        if (std::string_view(argv[index]) == "--quick") {
            quick = true;
        } else {
            std::fprintf(stderr, "usage: tarn_line_benchmark [--quick]\n");
            return 2;
        }
    }
    const int samples = quick ? 100 : 1000;
    const int presses = quick ? 20 : 200;

    std::vector<Figure> figures;
    const auto add = [&figures](std::vector<Figure> more) {
        figures.insert(figures.end(), more.begin(), more.end());
    };
    add(queueDrain(9600));
    add(queueDrain(19200));
    add(roundTrip(9600, samples));
    add(roundTrip(19200, samples));
    add(holdPress(presses));
    add(stickPress(presses / 2));
#ifdef TARN_CONSOLE_PATH
    add(startUp(TARN_CONSOLE_PATH, 5));
    // An hour in 90 s (in 12 s quick).
    add(memoryOverAnHour(TARN_CONSOLE_PATH, quick ? 300 : 40));
#endif
    printTable(figures);
    return 0;
}
