#pragma once

#include "app/SweepOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// What the console was asked to do on its command line, and the rules each
// option's value must meet. Reading the words themselves (--name value,
// --name=value, --help, --version) is CommandLineParser's job, on Qt's
// QCommandLineParser; this part stays Qt-free so it can be fuzzed.
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
    // Every --port-device and --connect in the order given (several port
    // servers may share one --connect, separated by commas): the lines a
    // sweep goes through one after the other. Port servers are written
    // "192.168.1.20:4001".
    struct SweepLink {
        std::string link;
        bool portServer = false;
        bool operator==(const SweepLink&) const = default;
    };
    std::vector<SweepLink> sweepLinks;
    // Saves a picture of the main window after start-up, then closes it.
    std::optional<std::string> screenshot;
    // Buttons to press one after the other once the window is up, each in the
    // window the previous one opened: "Camera Setup/Lens Maintenance". With
    // --screenshot the picture is of the last window opened.
    std::vector<std::string> openDialog;
    // Records every frame of the session to this file from the start.
    std::optional<std::string> trace;
    // Opens this site file as the camera list.
    std::optional<std::string> site;
    // Sweeps the line for domes without a window, prints them and ends.
    std::optional<SweepOptions> sweep;
    // The sweep's own options as given, whether or not --sweep was.
    SweepOptions sweepValues;
    bool sweepValuesGiven = false;

    // A configuration job without a window: save the camera's configuration
    // to a file, compare a file with the camera (or with a second file), or
    // write a file into the camera.
    struct ConfigRequest {
        enum class Kind { Save, Compare, Write };
        Kind kind = Kind::Save;
        std::string file;
        std::optional<std::string> with; // compare two files, no camera
        bool yes = false;                // every confirmation answered yes
    };
    std::optional<ConfigRequest> config;
    // The configuration options as given, checked together in finish().
    std::vector<ConfigRequest> configJobs;
    std::optional<std::string> configWith;
    // The camera's address for a job without a window.
    std::optional<int> address;
    // Every timer runs this many times faster: an hour of polling passes in
    // 3600/N seconds. For measuring the console, never on a site.
    int speedUp = 1;
    static constexpr int HighestSpeedUp = 1000;
    bool showHelp = false;
    bool showVersion = false;
    std::string error; // empty when the line was understood

    // The options that take a value, by their long name.
    struct ValueOption {
        std::string_view name;
        std::string_view valueName;
    };
    static constexpr std::array<ValueOption, 16> ValueOptions = {{
        {"port-device", "PATH"},
        {"connect", "HOST:PORT"},
        {"trace", "FILE"},
        {"screenshot", "FILE"},
        {"open-dialog", "BUTTONS"},
        {"site", "FILE"},
        {"bauds", "LIST"},
        {"protocols", "LIST"},
        {"addresses", "RANGE"},
        {"site-out", "FILE"},
        {"save-config", "FILE"},
        {"compare-config", "FILE"},
        {"with", "FILE"},
        {"write-config", "FILE"},
        {"address", "N"},
        {"speed-up", "N"},
    }};
    static constexpr int HighestAddress = 9999;

    // Takes the value given to the option `name` (a long name of
    // ValueOptions, without its dashes). A value the option cannot use, or a
    // name that is none of them, sets `error`; returns whether it was taken.
    bool take(std::string_view name, std::string_view value);
    // After every option was taken: the rules between them (--sweep needs a
    // line to sweep; the sweep's options go with --sweep; one configuration
    // job at a time, with a line unless two files are compared).
    void finish(bool sweepAsked, bool yesAsked = false);

    // "192.168.1.20:4001" or "localhost:4001"; nothing when it is not one.
    static std::optional<PortServer> parsePortServer(std::string_view text);
    // "192.168.1.20:4001", as the sweep names the server.
    static std::string portServerText(const PortServer& server);
};

} // namespace tarn
