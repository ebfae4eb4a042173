#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

// What the console was asked to do on its command line.
struct CommandLine {
    // Opens this device in place of the configured COM port (a simulator's pty,
    // a USB adapter under an unusual name).
    std::optional<std::string> portDevice;
    bool showHelp = false;
    std::string error; // empty when the line was understood

    // args without the program name
    static CommandLine parse(std::span<const std::string_view> args);
};

} // namespace tarn
