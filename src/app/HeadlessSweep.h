#pragma once

namespace tarn {

struct CommandLine;

// `tarn-console --sweep`: finds the domes on the lines given (devices and
// port servers, one after the other) without a window, prints a line for
// each as it is found and a summary, and ends.
class HeadlessSweep {
public:
    // Needs a QCoreApplication. 0 when the sweep ran (whether or not it found
    // a dome), 1 when a line could not be used (the others were swept).
    int run(const CommandLine& commandLine);
};

} // namespace tarn
