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
// %s: the program's version.
inline constexpr const char* AboutText =
    "Tarn Console %s\nControl, programming and service of Tarn dome cameras and pan/tilt units.";
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
// --help: what each option does (QCommandLineParser lays them out), then the
// note under them.
inline constexpr std::string_view OptionPortDeviceHelp =
    "Open PATH in place of the configured COM port (for example the pty of tarn-camsim). With --sweep it may be "
    "repeated: each device is swept in turn.";
inline constexpr std::string_view OptionConnectHelp =
    "Start on the network link, connected to this serial port server (IPv4 address or localhost). With --sweep "
    "it may be repeated, or several given separated by commas: each is connected and swept in turn.";
inline constexpr std::string_view OptionTraceHelp =
    "Record every frame of the session to FILE: a traffic capture, or the text log if FILE ends in .txt.";
inline constexpr std::string_view OptionScreenshotHelp =
    "Save a PNG of the main window 3 s after start-up, then close.";
inline constexpr std::string_view OptionOpenDialogHelp =
    "Press these buttons after start-up, each in the window the one before opened "
    "(\"Camera Setup/Lens Maintenance\"); with --screenshot, save that window.";
inline constexpr std::string_view OptionSiteHelp = "Open this site file as the camera list.";
inline constexpr std::string_view OptionSpeedUpHelp =
    "Run every timer N times faster, so an hour of polling passes in 3600/N seconds. For measuring the "
    "console's memory over time; never on a camera.";
inline constexpr std::string_view OptionSweepHelp =
    "Find the domes on the lines given by --port-device and --connect, print one line per dome and end "
    "(no window).";
inline constexpr std::string_view OptionBaudsHelp = "With --sweep: the rates to try (9600,19200).";
inline constexpr std::string_view OptionProtocolsHelp = "With --sweep: the protocol indexes to try (1,2).";
inline constexpr std::string_view OptionAddressesHelp = "With --sweep: the addresses to ask (1-254).";
inline constexpr std::string_view OptionSiteOutHelp = "With --sweep: write a site file of the domes found.";
inline constexpr std::string_view OptionSaveConfigHelp =
    "Without a window: read the camera's whole configuration and save it to this file.";
inline constexpr std::string_view OptionCompareConfigHelp =
    "Without a window: compare this configuration file with the camera (or with --with FILE); "
    "exits 1 when they differ.";
inline constexpr std::string_view OptionWithHelp = "With --compare-config: the second file, in place of the camera.";
inline constexpr std::string_view OptionWriteConfigHelp =
    "Without a window: write this configuration file into the camera and read it back.";
inline constexpr std::string_view OptionYesHelp = "With --write-config: answer every confirmation yes.";
inline constexpr std::string_view OptionAddressHelp = "The camera's address for a configuration job (default 1).";
inline constexpr std::string_view OptionHelpHelp = "Show this text.";
inline constexpr std::string_view OptionVersionHelp = "Show the version.";
inline constexpr std::string_view UsageNote =
    "COM ports map to devices through the [Ports] section of the settings file\n"
    "($XDG_CONFIG_HOME/Tarn/tarn-console.conf).";
// --version; %s: the program's version.
inline constexpr const char* VersionLine = "tarn-console %s\n";

// Camera link on site: lost and found ports, bad frames, settings repairs.

// Second line of every serial port message: the device behind the COM number.
inline constexpr const char* OnDevice = "%s\n%s";
inline constexpr const char* PortInUse = "Port COM%d is in use by another program!";
inline constexpr const char* PortCannotBeOpened = "Port COM%d cannot be opened: %s";
// A serial device the user may not open: on Debian the dialout group gives it.
inline constexpr const char* PortNeedsDialout =
    "Port COM%d cannot be opened: your user is not allowed to use serial ports.\n"
    "Add it to the dialout group with\n\n    sudo adduser %s dialout\n\n"
    "then log out and in again.";
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
inline constexpr const char* PortServerReceiveFailed = "Port server %s:%d: Could not Recieve \u2013 disconnected";
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

// The site file and its camera list. An entry is named as the file names it,
// or by its name in the list; each problem is one line of the box.
inline constexpr std::string_view SiteErrorTitle = "Site file";
inline constexpr std::string_view SiteFileFilter = "Site file (*.ini)|*.ini||";
// A row of the camera list, and its lamp in words.
inline constexpr const char* SiteRow = "%s   %d   %s";
inline constexpr std::string_view SiteAnswered = "answered";
inline constexpr std::string_view SiteNoAnswer = "no answer";
inline constexpr std::string_view SiteNotTried = "not tried";
inline constexpr std::string_view SiteButton = "Cameras";
inline constexpr std::string_view SiteButtonTip = "Show or hide the site's camera list (Ctrl+L)";
inline constexpr const char* SiteLinkCannotBeUsed =
    "%s cannot be reached at %s: it is not a COM port of the settings, a serial device that is present, or a port server.";
inline constexpr const char* SiteEntryInFile = "[Camera %d] (line %d)";
inline constexpr const char* SiteNamedEntryInFile = "[Camera %d] \"%s\" (line %d)";
inline constexpr const char* SiteNamedEntry = "Camera \"%s\"";
inline constexpr std::string_view SiteUnnamedEntry = "A camera without a name";
inline constexpr const char* SiteNameMissing = "%s has no name";
inline constexpr const char* SiteLinkUnknown =
    "%s: Link=%s is not a COM port (COM1 to COM255), a device path (/dev/...) or a port server "
    "(IPv4 address:port)";
inline constexpr const char* SiteValueOutside = "%s: %s=%d is outside %d..%d";
inline constexpr const char* SiteAddressOutside = "%s: Address=%d is outside %d..%d, the addresses %s allows";
inline constexpr const char* SiteBaudUnknown =
    "%s: Baud=%s is not one of 300, 600, 1200, 2400, 4800, 9600, 19200";
inline constexpr const char* SiteNotANumber = "%s: %s=%s is not a number";
inline constexpr const char* SiteTextUnreadable = "%s: %s= holds a control character or is not UTF-8 text";
inline constexpr const char* SiteKeyMissing = "%s has no %s=";
inline constexpr const char* SiteNotLoaded = "%s; not loaded";
inline constexpr const char* SiteLineUnreadable = "Line %d does not read: %s";
inline constexpr const char* SiteUnknownKey = "Line %d: %s is not a key of a camera; ignored";
inline constexpr const char* SiteKeyTwice = "Line %d: %s= is given twice in [Camera %d]; the first one is kept";
inline constexpr const char* SiteSectionTwice =
    "Line %d: [Camera %d] is there twice (first on line %d); the second is skipped";
inline constexpr const char* SiteUnknownSection = "Line %d: [%s] is not a camera section; its lines are skipped";
inline constexpr const char* SiteOutsideSection = "Line %d: %s= comes before any [Camera N] section; ignored";
inline constexpr const char* SiteTooManyCameras = "%s is past the %d cameras a site holds";
inline constexpr const char* SiteMoreProblems = "... and %d more";
inline constexpr const char* SiteFileTooLong = "The site file is longer than %d KB: only its beginning is read";
inline constexpr const char* SiteFileUnreadable = "The site file %s cannot be read.";
inline constexpr const char* SiteFileProblems =
    "Some entries of the site file %s did not load; every other camera did:\n%s";
inline constexpr const char* SiteFileNotSaved = "The site file %s cannot be written: %s";
inline constexpr const char* SiteListFull = "The camera list holds at most %d cameras.";
// The comment at the top of a written site file, for the technician who edits it.
inline constexpr std::string_view SiteFileHeader =
    "; Tarn Console site file: one [Camera N] section per camera, in the list's order.\n"
    "; Everything after the first = is the value; a line starting with ; or # is a comment.\n"
    "; Link: COM1..COM255 (the settings' [Ports] table), a device path, or a port server\n"
    ";   IPv4:port\n"
    "; Protocol: 0 Undefined, 1 Tarn, 2 Pelco D, 3 Pelco P, 4 Javelin, 5 Philips/Bosch,\n"
    ";   6 Vicon, 7 Ultrak, 8 AD, 9 Fast Field Device, 10 D12\n"
    "; Baud: 300, 600, 1200, 2400, 4800, 9600 or 19200\n"
    "; ReceiverType: 0 AlderHD, 1 AlderSD, 2 BirchSD, 3 BirchHD, 4 Cedar, 5 DogwoodHD,\n"
    ";   6 another make\n"
    "; CameraType (the camera module): 0 Standard, 1 Day/Night, 2 Thermal, 3 none\n"
    "; PanTiltType: 0 Fixed P/T, 1 Var Speed P/T, 2 Var. Prop. Speed P/T\n"
    "; Group and Note are free text and may be empty.\n";

// The camera configuration file.
inline constexpr std::string_view ConfigFileComment =
    "; Tarn Console camera configuration: one section per dialog, each field under the name\n"
    "; the dialog shows it by. Everything after the first = is the value; a value in double\n"
    "; quotes keeps its spaces, with \\\" \\\\ and \\xHH for a quote, a backslash and any other byte.\n";
inline constexpr const char* ConfigLineUnreadable = "Line %d does not read: %s";
inline constexpr std::string_view ConfigControlByte = "it holds a control character";
inline constexpr const char* ConfigValueUnreadable = "Line %d: the quoted value of %s does not read";
inline constexpr const char* ConfigSectionTwice = "Line %d: [%s] is given twice";
inline constexpr const char* ConfigFieldTwice = "Line %d: %s is given twice in its section";
inline constexpr const char* ConfigStateUnknown = "Line %d: State=%s is not read, partly read or not read";
inline constexpr const char* ConfigOutsideSection = "Line %d: %s comes before any section";
inline constexpr const char* ConfigStateMissing = "[%s] has no State=";
inline constexpr std::string_view ConfigHeaderMissing = "The file has no [Header]: it is not a camera configuration";
inline constexpr const char* ConfigFormatUnknown =
    "Format=%s is not a configuration format this console reads (it reads %d)";
// A field of a configuration that cannot be written: section, field, value, detail.
inline constexpr const char* ConfigFieldMissing = "[%s] has no %s=%s%s";
inline constexpr const char* ConfigFieldNotANumber = "[%s] %s=%s is not a number%s";
inline constexpr const char* ConfigFieldOutside = "[%s] %s=%s is outside %s";
inline constexpr const char* ConfigFieldNotAChoice = "[%s] %s=%s is not one of: %s";
inline constexpr const char* ConfigFieldTooLong = "[%s] %s=%s is longer than %s characters";
inline constexpr const char* ConfigTourUnreadable =
    "[%s] %s=%s is not a list of steps such as 3/10 5/20 (preset 1 to 64, dwell 5 to 60, - for none)";
inline constexpr const char* ConfigFieldNotWireText =
    "[%s] %s=%s is not printable ASCII of at most %s characters";
inline constexpr const char* ConfigPictureMismatch =
    "The configuration's camera module is %s and this camera's is %s: untick [%s] (or take it out of "
    "the file) to write the rest.";
inline constexpr const char* ConfigFileRefused = "tarn-console: %s: %s";
inline constexpr const char* ConfigLinkUnusable = "tarn-console: %s cannot be used";
inline constexpr const char* ConfigCameraSilent = "tarn-console: the camera at address %d on %s did not answer";
inline constexpr std::string_view ConfigTitle = "Camera Configuration";
inline constexpr std::string_view ConfigButton = "Configuration...";
inline constexpr std::string_view ConfigButtonTip =
    "Save the camera's configuration to a file, compare it, or program it into another camera";
inline constexpr std::string_view ConfigFileFilter = "Camera configuration (*.ini)|*.ini||";
inline constexpr const char* ConfigFileNotOpened = "The configuration file %s cannot be used:\n%s";
inline constexpr const char* ConfigCameraInUse = "The camera in use: %s at address %d on %s.";
inline constexpr std::string_view ConfigOtherMake = "a camera of another make";
inline constexpr std::string_view ConfigReading = "Reading the camera...";
inline constexpr std::string_view ConfigWriting = "Writing to the camera...";
inline constexpr std::string_view ConfigReadingBack = "Reading the camera back...";
inline constexpr const char* ConfigReadingSection = "%s (%d of %d)";
inline constexpr std::string_view ConfigCancelled = "Cancelled.";
inline constexpr std::string_view ConfigNoAnswer = "The camera did not answer.";
inline constexpr const char* ConfigSaved = "Saved to %s.";
inline constexpr const char* ConfigDifferences = "%d differences.";
inline constexpr const char* ConfigChooseSections = "Untick what should not be written from %s, then press Write.";
inline constexpr std::string_view ConfigNothingTicked = "Tick at least one section to write.";
inline constexpr std::string_view ConfigWriteMatches = "The camera now matches the configuration.";
inline constexpr const char* ConfigWriteNotTaken = "The camera does not match: %d settings did not take.";
inline constexpr std::string_view ConfigCameraColumn = "Camera";
inline constexpr std::string_view ConfigSectionColumn = "Section";
inline constexpr std::string_view ConfigFieldColumn = "Field";
inline constexpr std::string_view ConfigWriteTitle = "Write configuration to camera";
inline constexpr const char* ConfigWriteQuestion =
    "Program the %s camera at address %d on %s with this configuration?\n"
    "Its settings in the ticked sections will be replaced.";
inline constexpr const char* ConfigChangeBaud =
    "Change the camera's rate from %s to %s baud? The console follows it.";
inline constexpr const char* ConfigFileUnreadable = "The configuration file %s cannot be read.";
inline constexpr const char* ConfigFileTooLong = "The configuration file %s is longer than %d KB.";
inline constexpr const char* ConfigFileNotSaved = "The configuration file %s cannot be written: %s";

// (end of the on-site texts)

// Setup dialog, lens maintenance, other maintenance, service password.
inline constexpr std::string_view ChangeCameraProtocol = "Do you really want to Change Camera Comm. Protocol?";
inline constexpr std::string_view InvalidElevation = "Invalid Elevation Entry";
inline constexpr std::string_view InvalidSerialNumber = "Invalid Serial Number Entry";
inline constexpr std::string_view EnableBootLoader = "Do you really want to enable boot (replacing firmware)?";
// "Comm. Port" list entries: COM number and device, then the adapter's maker
// and model or the note that the device is missing.
inline constexpr const char* PortListEntry = "COM%d  %s";
inline constexpr std::string_view PortNotPresent = "(not present)";

// Lens and other maintenance: the erase question, the service password, the
// heater level check.
inline constexpr std::string_view ClearNvramQuestion =
    "WARNING!! -- <Press YES> will erase all camera Setup Data,\n"
    "including S/N, Set North, Presets, and Sectors/ID information\n"
    "- Do you really want to Clear NVRAM?";
inline constexpr std::string_view WrongPassword = "Wrong Password - Not qualifying to do this service!";
inline constexpr std::string_view HeaterLevelRange = "Please enter an integer between 4 and 85.";

// Barrel temperature and pressure logs. The file's own texts are part of the
// log format that service notes compare, so they stay byte for byte.
inline constexpr std::string_view SpecifyRecordFile = "Please specify a file to record\nbefore start recording.\n";
inline constexpr const char* RecordFileOverwritten = "File  %s\nWill be overwritten,is that OK?\n";
inline constexpr const char* CannotWriteLog = "Cannot write to %s: %s";
inline constexpr std::string_view LogErrorTitle = "Log File Error";
inline constexpr std::string_view LogFileFilter = "Text Files (*.txt)|*.txt||";
inline constexpr std::string_view LogSeparator = "\n\n*****************************************";
inline constexpr std::string_view TemperatureLogTitle = "Front Back           Barrel Temperature Results";
inline constexpr std::string_view PressureLogTitle =
    "Barrel Pressure Results              Real Data from PressureSensorChip \n\n"
    "                                                         CW1  CW2  CW3  CW4  D1P  D2T";
// Front and back temperature.
inline constexpr const char* TemperatureLogLine = "%s  %s Degree C";
// Current pressure (which already ends in "PSI"), front temperature, calibration words.
inline constexpr const char* PressureLogLine = "%s PSI   @ %s Degree C    %s";

// The mode indicator of the other maintenance dialog.
inline constexpr std::string_view NtcipModeIndicator = "NTCIP Mode";
inline constexpr std::string_view TarnModeIndicator = "Tarn Mode";

// (end of the Setup texts)

// Tours and Sectors, the local file, Camera ID.
// A sector's ID text when there is no local file; the sector number 1..16.
inline constexpr const char* DefaultSectorIdText = "Sector %02d ID text";
inline constexpr std::string_view DeleteSectorQuestion =
    "WARNING!!--This action will erase this current sector's limit data \nThe sector will be deleted - "
    "Do you really want to delete this sector?";
inline constexpr std::string_view DeleteAllSectorsQuestion =
    "WARNING!!--This action will erase all sectors' limit data \nAll sectors will be deleted - "
    "Do you really want to delete all sectors?";
inline constexpr std::string_view DeleteZoneQuestion =
    "WARNING!!--This action will erase this current privacy's limit data \nThe privacy zone will be deleted - "
    "Do you really want to delete this privacy zone?";
inline constexpr std::string_view DeleteAllZonesQuestion =
    "WARNING!!--This action will erase all privacy zones' limit data \nAll privacy zones will be deleted - "
    "Do you really want to delete all privacy zones?";
inline constexpr std::string_view ProvideDwellTime = "Please provide a dwell time";
inline constexpr std::string_view SaveConfigurationChanges = "Save configuration changes?";
// The local file's path and the system's reason.
inline constexpr const char* CouldNotSave = "Could not save %s: %s";

// Camera ID dialog.
inline constexpr std::string_view CameraIdTooLong = "A maximum of 24 characters is allowed for the Camera ID.";
inline constexpr std::string_view ClearAllIdsQuestion = "Do you really want to Clear All IDs?";

// (end of the Tours and Sectors texts)

// Day/night picture control and screen privacy zones.
inline constexpr std::string_view InitAllPresetsQuestion = "Do you really want to Initialize All Camera Presets?";
inline constexpr std::string_view DspCommandTooShort = "Invalid length of DSP Command - Command is too short";
inline constexpr std::string_view DspCommandTooLong = "Invalid length of DSP Command - Command is too long";
inline constexpr std::string_view DspCommandNotPrintable =
    "Invalid DSP Command - only letters, digits, blanks and signs can be sent";
// The range prompts of the gain and aperture edits.
inline constexpr std::string_view EnterAnIntegerBetween1And40 = "Please enter an integer between 1 and 40.";
inline constexpr std::string_view EnterAnIntegerBetween1And31 = "Please enter an integer between 1 and 31.";
// Screen Privacy Zone Setup: "Goto" without four digits. The tilt text has
// never had its closing parenthesis.
inline constexpr std::string_view InvalidPanPosition = "Invalid Pan Position (Requires 4 decimal digits)";
inline constexpr std::string_view InvalidTiltPosition = "Invalid Tilt Position (Requires 4 decimal digits";

// (end of the picture-control texts)

// Thermal camera control.
inline constexpr std::string_view RoiNotInRange = "Error! Cannot set ROI - Values are not in range!";
// The framework's range prompt of a number edit (minimum, maximum).
inline constexpr const char* EnterAnIntegerBetween = "Please enter an integer between %d and %d.";
inline constexpr std::string_view ThermalControlTitle = "Thermal Control";
inline constexpr std::string_view EnablePassThroughQuestion =
    "Enabling GUI thermal pass-through sends \"tPe\" to the camera.\n\n"
    "After it this console sends no further commands to any camera, from any window, "
    "until it is restarted.\n\nEnable thermal pass-through?";
inline constexpr std::string_view CommandsLocked =
    "Commands locked: thermal pass-through enabled \u2013 restart to unlock";
// The ROI range labels: under "Left", "Top", "Right", "Bottom", then the
// right and bottom edges of the sketch.
inline constexpr std::string_view RoiRanges640x512[] = {"(0 to 639)", "(0 to 511)", "(1 to 640)",
                                                        "(1 to 512)", "(640)",      "(512)"};
inline constexpr std::string_view RoiRanges320x256[] = {"(0 to 319)", "(0 to 255)", "(1 to 320)",
                                                        "(1 to 256)", "(320)",      "(256)"};

// (end of the thermal texts)

// Traffic log window.

// The words of the traffic record, in the window and in the text log. The
// text log is read by tools: these words are part of its format.
inline constexpr std::string_view TrafficAck = "ACK";
inline constexpr std::string_view TrafficNak = "NAK";
inline constexpr std::string_view TrafficDirections[] = {"tx", "rx", "ev"};
inline constexpr std::string_view TrafficTransports[] = {"", "serial", "network"};
inline constexpr std::string_view TrafficKinds[] = {"tarn", "camera", "pass-through", "link", "stx", "length-mode",
                                                    "ack", "time-out", "refusal", "port", "raw", "noise"};
inline constexpr std::string_view TrafficVerdicts[] = {"ok", "bad checksum", "short", "not sent",
                                                       "refused", "time-out", ""};
inline constexpr std::string_view TrafficDestinations[] = {
    "", "dropped", "Setup", "Tours and Sectors", "Camera ID", "Azimuth Setup", "Wash Setup", "Wipe Setup",
    "Other Maintenance", "Lens Maintenance", "Screen Privacy Zone", "DSP", "Thermal Control", "main panel",
    "presets", "connection", "sweep"};
// The word of one of these tables for an enum value; `fallback` for a value
// past its end (a capture from a newer console).
template <typename Enum, std::size_t N>
constexpr std::string_view wordFor(const std::string_view (&words)[N], Enum value, std::string_view fallback = {})
{
    const auto index = static_cast<std::size_t>(value);
    return index < N ? words[index] : fallback;
}
inline constexpr std::string_view TrafficBroadcast = "broadcast";
// An extended address as its digits were sent: digit count, address.
inline constexpr const char* TrafficExtendedAddress = "%0*d (ext)";
inline constexpr std::string_view TrafficExtendedUnread = "(ext)";
inline constexpr const char* TrafficNoAnswer = "no answer within %d ms";
// A refused send: the message the operator saw, the address it refused.
inline constexpr const char* TrafficAddressRefused = "%s (address %d)";
inline constexpr std::string_view TrafficSendLocked = "sending locked since \"tPe\"";
inline constexpr std::string_view TrafficNotReady = "the console is not ready to send yet";
inline constexpr std::string_view TrafficDialogClosed = "dropped: its dialog closed before it went out";
inline constexpr const char* TrafficNoiseCut = "%zu bytes of noise, the first %zu shown";
inline constexpr const char* TrafficPortServerConnecting = "Port server %s:%d: connecting";
inline constexpr const char* TrafficPortServerDisconnected = "Port server %s:%d disconnected";
inline constexpr const char* TrafficPortServerRefused = "Port server %s:%d: the connection failed (error %d)";
// The text log's first lines: the format, the columns, entries not in it.
inline constexpr std::string_view TrafficLogFirstLine = "# Tarn Console traffic log 1";
inline constexpr std::string_view TrafficLogColumns =
    "# time\tdir\taddress\ttext\thex\tverdict\tkind\tlink\tto\trtt_ms\tnote";
inline constexpr const char* TrafficLogEarlier =
    "# %llu earlier entries of the session are not in this log (dropped for room, or cleared)";

// The Traffic window and the main window's button that opens it.
inline constexpr std::string_view TrafficButton = "Traffic";
inline constexpr std::string_view TrafficButtonTip = "Every frame of the session, decoded (Ctrl+T)";
inline constexpr std::string_view TrafficWindowTitle = "Traffic";
inline constexpr const char* TrafficLoadedTitle = "Traffic \u2013 %s";
inline constexpr std::string_view TrafficColumns[] = {"Time", "Dir", "Address", "Text", "Hex",
                                                      "Verdict", "Round trip", "To", "Kind", "Link"};
// After a round trip's milliseconds.
inline constexpr std::string_view TrafficMilliseconds = " ms";
inline constexpr const char* TrafficShown = "%zu of %zu entries shown";
inline constexpr const char* TrafficShownDropped = "%zu of %zu entries shown, %llu older ones dropped";
inline constexpr std::string_view TrafficSaveFilter = "Traffic log and capture (*.txt *.tcap)|*.txt;*.tcap||";
inline constexpr std::string_view TrafficLoadFilter = "Traffic capture (*.tcap)|*.tcap||";
inline constexpr const char* TrafficSaved = "Saved %s and %s";
inline constexpr const char* TrafficNotSaved = "The traffic could not be saved to %s:\n%s";
inline constexpr const char* TrafficNotLoaded = "%s cannot be read:\n%s";
inline constexpr std::string_view TrafficNotACapture = "it is not a traffic capture";
inline constexpr const char* TrafficCaptureDamaged =
    "%s is damaged after entry %zu: the entries before it are shown.";
inline constexpr std::string_view TrafficErrorTitle = "Traffic";
// --trace
inline constexpr const char* TraceCannotOpen = "tarn-console: cannot write the trace %s: %s\n";
inline constexpr const char* TraceWriteFailed =
    "The trace file %s cannot be written any more: %s\n"
    "The traffic is still kept in the Traffic window (Ctrl+T), where it can be saved.";

// (end of the traffic log texts)

// The commissioning sweep.
inline constexpr std::string_view SweepTitle = "Find Domes";
inline constexpr std::string_view SweepButton = "Find Domes...";
inline constexpr std::string_view SweepButtonTip = "Ask every address of a line which domes are there (questions only)";
// The joystick or gamepad.
inline constexpr std::string_view JoystickButton = "Joystick...";
inline constexpr std::string_view JoystickButtonTip = "Choose what the joystick or gamepad does, and see its axes and buttons";
inline constexpr const char* JoystickLine = "Joystick: %s";
inline constexpr std::string_view JoystickTitle = "Joystick";
inline constexpr std::string_view JoystickNone = "No joystick or gamepad is plugged in.";
inline constexpr const char* JoystickAxisValue = "%d: %+d %%";
inline constexpr std::string_view JoystickAxesCaption = "Axes";
inline constexpr std::string_view JoystickButtonsCaption = "Buttons held";
inline constexpr std::string_view JoystickPanAxis = "Pan axis";
inline constexpr std::string_view JoystickTiltAxis = "Tilt axis";
inline constexpr std::string_view JoystickZoomAxis = "Zoom";
inline constexpr std::string_view JoystickInvertPan = "Invert pan";
inline constexpr std::string_view JoystickInvertTilt = "Invert tilt";
inline constexpr std::string_view JoystickInvertZoom = "Invert zoom";
inline constexpr std::string_view JoystickDeadzone = "Deadzone";
inline constexpr std::string_view JoystickExpo = "Expo curve";
inline constexpr std::string_view JoystickTopSpeed = "Top speed";
inline constexpr std::string_view PercentSuffix = " %";
inline constexpr std::string_view JoystickFocusNear = "Focus near";
inline constexpr std::string_view JoystickFocusFar = "Focus far";
inline constexpr std::string_view JoystickIrisOpen = "Iris open";
inline constexpr std::string_view JoystickIrisClose = "Iris close";
inline constexpr std::string_view JoystickGoto = "Go to";
inline constexpr const char* JoystickPreset = "Preset %d";
inline constexpr std::string_view JoystickStopOnFocusLoss = "Stop the dome when the window loses the focus";
inline constexpr std::string_view JoystickNotUsed = "Not used";
inline constexpr std::string_view JoystickTriggers = "Triggers";
inline constexpr const char* JoystickAxisChoice = "Axis %d";
inline constexpr const char* JoystickButtonChoice = "Button %d";
inline constexpr std::string_view SweepNoLink =
    "Name at least one port or port server to sweep (COM1, a device such as /dev/ttyUSB0, or a port server "
    "192.168.1.200:4001).";
inline constexpr std::string_view SweepBadPortServer =
    "A port server is an IPv4 address (or localhost) and a port, such as 192.168.1.200:4001.";
inline constexpr std::string_view SweepNoBaud = "Choose at least one baud rate.";
inline constexpr std::string_view SweepNoProtocol = "Choose at least one protocol.";
inline constexpr std::string_view SweepBadAddresses = "The addresses run from 1 to 9999, the first no higher than the last.";
inline constexpr const char* SweepEstimate = "%d questions, at most %d s";
inline constexpr const char* SweepProgress = "%d questions asked, domes found: %zu";
inline constexpr const char* SweepCancelled = "Cancelled after %d questions, domes found: %zu";
inline constexpr const char* SweepDone = "Swept %d questions, domes found: %zu";
inline constexpr const char* SweepFound = "%s  %d baud  protocol %d  address %d";
inline constexpr const char* SweepFirmware = "  firmware %s";
inline constexpr const char* SweepPanTilt = "  pan/tilt type %d";
inline constexpr const char* SweepConnecting = "Connecting to %s...";
// A link the sweep could not use, and why.
inline constexpr const char* SweepLinkSkipped = "%s was not swept: %s";
inline constexpr std::string_view SweepWhyCannotOpen = "the port cannot be opened";
inline constexpr std::string_view SweepWhyNotALink = "it is no COM port, known device or port server (HOST:PORT)";
inline constexpr const char* SweepWhyRefused = "the connection failed (socket error %d)";
inline constexpr const char* SweepWhyNoConnection = "no connection within %d s";
inline constexpr std::string_view SweepWhyDropped = "the connection went during the sweep";
// --sweep, for scripts: its lines are read by tools.
inline constexpr const char* SweepFoundLine = "found %s baud=%d protocol=%d address=%d";
inline constexpr const char* SweepSummaryLine = "swept %d questions in %d.%d s";
inline constexpr const char* SweepBadBaud =
    "tarn-console: --bauds: %s is not one of 300, 600, 1200, 2400, 4800, 9600, 19200";
inline constexpr const char* SweepBadProtocol = "tarn-console: --protocols: %s is not a protocol from 0 to %d";
inline constexpr const char* SweepBadAddressOption =
    "tarn-console: --addresses: %s is not a range such as 1-254 (addresses 1 to 9999)";
inline constexpr const char* BadAddressOption = "tarn-console: --address: %s is not an address from 1 to 9999";
inline constexpr const char* BadSpeedUpOption = "tarn-console: --speed-up: %s is not a factor from 1 to 1000";
inline constexpr std::string_view ConfigOneJob =
    "tarn-console: --save-config, --compare-config, --write-config and --sweep go one at a time";
inline constexpr std::string_view ConfigOptionWithoutJob =
    "tarn-console: --with goes with --compare-config, --yes with --write-config, --address with a configuration job";
inline constexpr std::string_view ConfigNeedsLink =
    "tarn-console: a configuration job on the camera needs --port-device PATH or --connect HOST:PORT";
inline constexpr std::string_view SweepNeedsLink = "tarn-console: --sweep needs --port-device PATH or --connect HOST:PORT";
inline constexpr std::string_view SweepOptionWithoutSweep = "tarn-console: --bauds, --protocols, --addresses and --site-out go with --sweep";
inline constexpr const char* SweepLinkUnusable = "tarn-console: %s cannot be used for the sweep: %s\n";

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
