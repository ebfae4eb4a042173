#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Every text the user can see, in one place. The texts are the console's own
// and stay exactly as they are, odd spacing and spelling included: operators
// and service notes quote them.
namespace tarn::Messages {

inline constexpr std::string_view WindowTitle = "Tarn - Kestra Zephon";

inline constexpr const char* PortDoesNotExist = "Port COM%d does not exist!";
inline constexpr const char* PortNotFound = "Port not found";

// Serial port call failures: operation name, system error text, port number.
inline constexpr const char* SerialCallFailed =
    "WARNING:  %s Failed with the following error: \n%s\nPort: %d\n";
inline constexpr std::string_view ApplicationErrorTitle = "Application Error";

inline constexpr const char* SettingsNotSaved =
    "The settings file cannot be written: changes made from now on will not be kept.\n%s";
inline constexpr std::string_view SettingsErrorTitle = "Settings Error";

// Address refusals of the send operations (no title, OK only).
inline constexpr std::string_view AddressRange = "Exceeding Camera Address Range";
inline constexpr std::string_view AddressRange254 = "Exceeding Camera Address Range of 254";
inline constexpr std::string_view AddressRange32Broadcast =
    "Exceeding Camera Address Range of 32, use broadcast address 255";
inline constexpr std::string_view AddressRange999 = "Exceeding Camera Address Range of 999";
inline constexpr std::string_view AddressRange16384 = "Exceeding Camera Address Range of 16384";
inline constexpr std::string_view AddressRange255 = "Exceeding Camera Address Range of 255";
inline constexpr std::string_view AddressRange99 = "Exceeding Camera Address Range of 99";

// Traffic monitor lines before the first frame.
inline constexpr std::string_view TransmitLineIdle = " Transmit data";
inline constexpr std::string_view ReceiveLineIdle = " Receive data";
inline constexpr std::string_view AcknowledgementLine = " Ack";

// Main panel.
inline constexpr std::string_view AboutTitle = "About Tarn Console";
inline constexpr std::string_view AboutText =
    "Tarn Console\nControl, programming and service of Tarn dome cameras and pan/tilt units.";
inline constexpr std::string_view InvalidPan = "Invalid Pan Position";
inline constexpr std::string_view InvalidTilt = "Invalid Tilt Position";
inline constexpr std::string_view InvalidZoom = "Invalid Zoom Position";
inline constexpr std::string_view InvalidFocus = "Invalid Focus Position";
inline constexpr std::string_view AddressRange8191 = "Exceeding Camera Address Range of 8191";
inline constexpr std::string_view AddressRange223 = "Exceeding Camera Address Range of 223";
inline constexpr std::string_view AddressRange32 = "Exceeding Camera Address Range of 32";

// Tour Setup dialog: the dwell time check.
inline constexpr std::string_view EnterAnInteger = "Please enter an integer.";
inline constexpr std::string_view EnterAnIntegerBetween5And60 = "Please enter an integer between 5 and 60.";

// Connection sequence.
inline constexpr std::string_view CannotConnect =
    "Cannot connect to the camera....! -- <Click YES> will re-try to connect to the camera again. \n";

// Port-server link.
inline constexpr std::string_view PortServerNotFound =
    "Cannot find the Port Server IP Address, Disconnecting";
inline constexpr std::string_view NetworkErrorTitle = "Network Error";
inline constexpr std::string_view CouldNotReceive = "Could not Recieve";

// Command line.
inline constexpr const char* OptionNeedsValue = "tarn-console: %s needs a value";
inline constexpr const char* UnknownOption = "tarn-console: unknown option %s";
inline constexpr const char* NoSuchButton = "tarn-console: --open-dialog: no button \"%s\" in the open window";
inline constexpr const char* BadPortServer =
    "tarn-console: --connect needs an IPv4 address and a port, like 192.168.1.200:4001 (got %s)";
inline constexpr std::string_view Usage =
    "Usage: tarn-console [--port-device PATH] [--connect HOST:PORT]\n"
    "\n"
    "  --port-device PATH  open PATH in place of the configured COM port\n"
    "                      (for example the pty of tarn-camsim)\n"
    "  --connect HOST:PORT start on the network link, connected to this\n"
    "                      serial port server (IPv4 address or localhost)\n"
    "  --screenshot FILE   save a PNG of the main window 3 s after start-up,\n"
    "                      then close\n"
    "  --open-dialog BUTTONS\n"
    "                      press these buttons after start-up, each in the\n"
    "                      window the one before opened (\"Camera Setup/Lens\n"
    "                      Maintenance\"); with --screenshot, save that window\n"
    "  -h, --help          show this text\n"
    "\n"
    "COM ports map to devices through the [Ports] section of the settings file\n"
    "($XDG_CONFIG_HOME/Tarn/tarn-console.conf).\n";

// Camera link on site: lost and found ports, bad frames, settings repairs.

// Second line of every serial port message: the device behind the COM number.
inline constexpr const char* OnDevice = "%s\n%s";
inline constexpr const char* PortInUse = "Port COM%d is in use by another program!";
inline constexpr const char* PortCannotBeOpened = "Port COM%d cannot be opened: %s";
// The state of the serial port, on the transmit line and in the link group.
inline constexpr const char* PortOpen = "COM%d (%s) open";
inline constexpr const char* PortLostWaiting = "COM%d (%s) lost \u2013 waiting for it";
inline constexpr const char* PortMissingWaiting = "COM%d (%s) not found \u2013 waiting for it";
inline constexpr const char* PortBusyWaiting = "COM%d (%s) in use by another program \u2013 waiting for it";
inline constexpr const char* PortUnopenedWaiting = "COM%d (%s) cannot be opened \u2013 waiting for it";
inline constexpr const char* PortReconnected = "COM%d (%s) reconnected";
// The network link.
inline constexpr const char* PortServerConnected = "Port server %s:%d connected";
inline constexpr const char* PortServerClosed = "Port server %s:%d closed the connection \u2013 disconnected";
inline constexpr const char* PortServerUnreachable = "Port server %s:%d not found \u2013 disconnected";
// Appended to a traffic line.
inline constexpr std::string_view NotSentMark = "  \u2013 not sent";
inline constexpr std::string_view BadChecksumMark = "  \u2013 bad checksum, ignored";
// Settings.
inline constexpr const char* SettingsRepaired =
    "Some settings were outside their lists and were replaced by their defaults:\n%s";
inline constexpr const char* SettingRepairLine = "%s=%d is now %d";
inline constexpr const char* SettingsUnreadable =
    "The settings file could not be read and was replaced by the defaults.\n"
    "The unreadable file was kept as %s";
// The exit path never waits for a box: what it would show goes to standard error.
inline constexpr const char* ShownWhileClosing = "tarn-console: %s\n";
inline constexpr std::string_view ExitTookTooLong = "tarn-console: the exit did not finish in time; ending now\n";

// (end of the on-site texts)

// Setup dialog, lens maintenance, other maintenance, service password.

// (end of the Setup texts)

// Tours and Sectors, the local file, Camera ID.

// (end of the Tours and Sectors texts)

// Day/night picture control and screen privacy zones.

// (end of the picture-control texts)

// Thermal camera control.

// (end of the thermal texts)

// Wipe Setup, Wash Setup, Azimuth Setup.

// (end of the accessory texts)

// Traffic log window.

// (end of the traffic log texts)

// printf-style formatting of the texts above. Integers and strings only, so the
// result does not depend on the user's locale.
template <typename... Args>
std::string format(const char* pattern, Args... args)
{
    const int size = std::snprintf(nullptr, 0, pattern, args...);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, args...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

} // namespace tarn::Messages
