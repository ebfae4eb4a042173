#pragma once

#include "app/SweepOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// What the console was asked to do on its command line.
struct CommandLine {
    // Opens this device in place of the configured COM port (a simulator's pty,
    // a USB adapter under an unusual name).
    std::optional<std::string> portDevice;
    // Starts on the network link and connects to this port server at once.
    struct PortServer {
        std::array<std::uint8_t, 4> address;
        std::string port;
    };
    std::optional<PortServer> connect;
    // Saves a picture of the main window after start-up, then closes it.
    std::optional<std::string> screenshot;
    // Buttons to press one after the other once the window is up, each in the
    // window the previous one opened: "Camera Setup/Lens Maintenance". With
    // --screenshot the picture is of the last window opened.
    std::vector<std::string> openDialog;
    // Records every frame of the session to this file from the start.
    std::optional<std::string> trace;
    // Sweeps the line for domes without a window, prints them and ends.
    std::optional<SweepOptions> sweep;
    bool showHelp = false;
    std::string error; // empty when the line was understood

    // args without the program name
    static CommandLine parse(std::span<const std::string_view> args);
    // "192.168.1.20:4001" or "localhost:4001"; nothing when it is not one.
    static std::optional<PortServer> parsePortServer(std::string_view text);
};

} // namespace tarn
