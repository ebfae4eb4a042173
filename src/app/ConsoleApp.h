#pragma once

namespace tarn {

struct CommandLine;

// The program: sets up the platform, loads the settings, runs the main window
// and ends when it closes.
class ConsoleApp {
public:
    // Needs a QApplication to exist.
    int run(const CommandLine& commandLine);
};

} // namespace tarn
