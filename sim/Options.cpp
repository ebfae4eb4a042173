#include "sim/Options.h"

#include "sim/CameraModel.h"
#include "sim/DomeOption.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <utility>

namespace tarn::sim {

namespace {

constexpr int HighestProtocol = 10;
constexpr int FiveDigitProtocol = 5;
constexpr int HighestFourDigitAddress = 9999;
constexpr int HighestFiveDigitAddress = 16384;
constexpr int HighestPort = 65535;
constexpr int LongestPace = 1'000'000;

bool parseInt(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

// Walks the arguments; "--name value" and "--name=value" both work.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    bool atEnd() const { return m_next >= m_arguments.size(); }

    // The next option's name; its value, if given with '=', is kept for value().
    std::string_view nextName()
    {
        std::string_view argument = m_arguments[m_next++];
        m_inlineValue.reset();
        if (const std::size_t equals = argument.find('='); equals != std::string_view::npos
                                                            && argument.starts_with("--")) {
            m_inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        return argument;
    }

    std::optional<std::string_view> value()
    {
        if (m_inlineValue)
            return std::exchange(m_inlineValue, std::nullopt);
        if (atEnd())
            return std::nullopt;
        return std::string_view(m_arguments[m_next++]);
    }

    bool hasInlineValue() const { return m_inlineValue.has_value(); }

private:
    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    std::optional<std::string_view> m_inlineValue;
};

bool splitHostPort(std::string_view text, std::string& host, int& port)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    host = std::string(text.substr(0, colon));
    return parseInt(text.substr(colon + 1), port) && port >= 0 && port <= HighestPort;
}

int highestAddress(int protocol)
{
    return protocol == FiveDigitProtocol ? HighestFiveDigitAddress : HighestFourDigitAddress;
}

std::string tooManyDigits(int protocol)
{
    return " has more digits than protocol " + std::to_string(protocol) + " sends";
}

// Each dome keeps its programming in a file of its own in the folder.
std::string memoryFileIn(const std::string& folder, int address)
{
    return (std::filesystem::path(folder) / ("dome-" + std::to_string(address) + ".memory")).string();
}

// The --dome values, with the other options as the defaults of their fields.
std::string addDomes(const std::vector<std::string>& values, const DomeSettings& defaults,
                     std::vector<DomeSettings>& domes)
{
    for (const std::string& value : values) {
        std::string error;
        auto dome = parseDomeOption(value, defaults, error);
        if (!dome)
            return error;
        const int address = dome->identity.address;
        if (address > highestAddress(dome->identity.protocol))
            return "--dome " + value + ": the address" + tooManyDigits(dome->identity.protocol);
        const auto sameAddress = [address](const DomeSettings& d) { return d.identity.address == address; };
        if (std::any_of(domes.begin(), domes.end(), sameAddress))
            return "--dome " + value + ": address " + std::to_string(address)
                   + " is given twice; one dome per address on a line";
        domes.push_back(*dome);
    }
    return {};
}

} // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    Simulator::Settings& sim = options.simulator;
    bool lengthHeaderAsked = false;
    bool addressGiven = false;
    bool tcpBaudGiven = false;
    std::vector<std::string> domeSpecs;
    ArgumentReader reader(arguments);

    const auto fail = [&error](std::string text) {
        error = std::move(text);
        return std::nullopt;
    };

    while (!reader.atEnd()) {
        const std::string name(reader.nextName());
        const auto takesNoValue = [&] { return !reader.hasInlineValue(); };

        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            if (!takesNoValue())
                return fail(name + " takes no value");
            options.version = true;
            continue;
        }
        if (name == "--pty" || name == "--stx" || name == "--ntcip" || name == "--length-header"
            || name == "--log-monotonic") {
            if (!takesNoValue())
                return fail(name + " takes no value");
            if (name == "--log-monotonic")
                options.logMonotonic = true;
            else if (name == "--pty")
                options.line = Options::Line::Pty;
            else if (name == "--stx")
                sim.stxReplies = true;
            else if (name == "--ntcip")
                sim.ntcip = true;
            else
                lengthHeaderAsked = true;
            continue;
        }

        static constexpr std::string_view WithValue[] = {"--tcp", "--link", "--address", "--protocol",
                                                         "--model", "--module", "--log", "--fault",
                                                         "--memory", "--thermal-resolution", "--replay",
                                                         "--dome", "--baud", "--tcp-baud", "--pace"};
        if (std::find(std::begin(WithValue), std::end(WithValue), name) == std::end(WithValue))
            return fail("unknown option " + name);
        const auto value = reader.value();
        if (!value)
            return fail(name + " needs a value");
        if (name == "--tcp") {
            if (!splitHostPort(*value, options.tcpHost, options.tcpPort))
                return fail("--tcp needs HOST:PORT, e.g. 127.0.0.1:0");
            options.line = Options::Line::Tcp;
        } else if (name == "--link") {
            options.linkPath = std::string(*value);
        } else if (name == "--address") {
            if (!parseInt(*value, sim.identity.address) || sim.identity.address < 1)
                return fail("--address needs a camera address of 1 or more");
            addressGiven = true;
        } else if (name == "--dome") {
            domeSpecs.emplace_back(*value);
        } else if (name == "--baud") {
            if (!parseInt(*value, sim.baud) || !BaudRate::isDomeRate(sim.baud))
                return fail("--baud must be " + BaudRate::domeRatesText());
        } else if (name == "--tcp-baud") {
            if (!parseInt(*value, options.tcpBaud) || options.tcpBaud < 1)
                return fail("--tcp-baud needs a rate in baud, e.g. 9600");
            tcpBaudGiven = true;
        } else if (name == "--pace") {
            int pace = 0;
            if (*value == "line")
                sim.paceAtLineRate = true;
            else if (!parseInt(*value, pace) || pace < 0 || pace > LongestPace)
                return fail("--pace needs microseconds per byte, 0 to 1000000 (1042 is 9600 baud), or line");
            else
                sim.pace = std::chrono::microseconds(pace);
        } else if (name == "--protocol") {
            if (!parseInt(*value, sim.identity.protocol) || sim.identity.protocol < 0
                || sim.identity.protocol > HighestProtocol)
                return fail("--protocol needs a protocol list index 0 to 10");
        } else if (name == "--model") {
            const auto model = modelNamed(*value);
            if (!model)
                return fail("--model must be AlderHD, AlderSD, BirchSD, BirchHD, Cedar or DogwoodHD");
            sim.identity.model = *model;
        } else if (name == "--module") {
            const auto module = moduleNamed(*value);
            if (!module)
                return fail("--module must be standard, daynight or thermal");
            sim.identity.module = *module;
        } else if (name == "--thermal-resolution") {
            if (*value == "320x256")
                sim.identity.thermalSensor = ThermalSensor::Small320x256;
            else if (*value == "640x512")
                sim.identity.thermalSensor = ThermalSensor::Large640x512;
            else
                return fail("--thermal-resolution must be 320x256 or 640x512");
        } else if (name == "--log") {
            options.logPath = std::string(*value);
        } else if (name == "--replay") {
            options.replayPath = std::string(*value);
        } else if (name == "--memory") {
            sim.memoryPath = std::string(*value);
        } else if (name == "--fault") {
            if (std::string problem = sim.faults.set(*value); !problem.empty())
                return fail(problem);
        }
    }

    if (options.help || options.version)
        return options;
    if (options.line == Options::Line::None)
        return fail("give --pty or --tcp HOST:PORT");
    if (!options.linkPath.empty() && options.line != Options::Line::Pty)
        return fail("--link only goes with --pty");
    if (lengthHeaderAsked && options.line != Options::Line::Tcp)
        return fail("--length-header only goes with --tcp");
    if (tcpBaudGiven && options.line != Options::Line::Tcp)
        return fail("--tcp-baud only goes with --tcp; on a pty the console sets the rate");
    sim.lengthHeaders = lengthHeaderAsked;
    const Faults& f = sim.faults;
    const bool anyFault = f.silent || f.lateMs != 0 || f.dropAck || f.split || f.garbage || f.badChecksum;
    if (!options.replayPath.empty() && (anyFault || !sim.memoryPath.empty()))
        return fail("--replay answers as the capture did: --fault and --memory do not go with it");

    if (domeSpecs.empty()) {
        if (sim.identity.address > highestAddress(sim.identity.protocol))
            return fail("--address " + std::to_string(sim.identity.address) + tooManyDigits(sim.identity.protocol));
        if (!sim.memoryPath.empty() && std::filesystem::is_directory(sim.memoryPath))
            sim.memoryPath = memoryFileIn(sim.memoryPath, sim.identity.address);
        return options;
    }

    if (addressGiven)
        return fail("--address does not go with --dome: each dome's address is in its --dome");
    if (!options.replayPath.empty())
        return fail("--replay answers as the capture did: --dome does not go with it");
    if (std::string problem = addDomes(domeSpecs, {sim.identity, sim.baud, {}}, sim.domes); !problem.empty())
        return fail(problem);
    if (!sim.memoryPath.empty()) {
        if (std::filesystem::is_directory(sim.memoryPath)) {
            for (DomeSettings& dome : sim.domes)
                dome.memoryPath = memoryFileIn(sim.memoryPath, dome.identity.address);
        } else if (sim.domes.size() > 1) {
            return fail("--memory " + sim.memoryPath
                        + " is not a folder: with several domes each keeps its own file in one");
        } else {
            sim.domes.front().memoryPath = sim.memoryPath;
        }
    }
    return options;
}

std::string usageText()
{
    return R"(Usage: tarn-camsim (--pty [--link PATH] | --tcp HOST:PORT [--length-header]) [options]

A simulated dome camera for the Tarn console, or several domes on one line.

Line:
  --pty               serve a new pseudo-terminal; prints "pty: /dev/pts/N" first
  --link PATH         also make PATH a symbolic link to the pty (removed at exit)
  --tcp HOST:PORT     serve as a serial port server on TCP (port 0: any free port);
                      prints "tcp: HOST:PORT" first
  --length-header     frames may come after a 00 00 LH LL length header
  --tcp-baud RATE     with --tcp: the rate of the port server's serial side
                      (default 9600); on a pty the console sets the rate

Camera:
  --address N         camera address (default 1)
  --model NAME        AlderHD, AlderSD, BirchSD, BirchHD, Cedar or DogwoodHD (default AlderHD)
  --module NAME       standard, daynight or thermal (default daynight)
  --baud RATE         300, 600, 1200, 2400, 4800, 9600 or 19200 (default 9600):
                      the dome answers only when the line is at this rate
  --dome ADDRESS[:MODEL[:MODULE[:BAUD]]]
                      several domes on the line instead (repeatable, one per
                      address), e.g. --dome 5:AlderHD:daynight
                      --dome 12:AlderHD:thermal:19200; a field left out or empty
                      is taken from --model, --module and --baud. Only the
                      addressed dome answers; every dome answers a broadcast at
                      once, and the answers collide
  --protocol I        protocol list index (default 1; 5 sends 5 address digits)
  --thermal-resolution 320x256|640x512
                      the thermal module's sensor (default 640x512)
  --stx               answer in STX form (02 address text checksum 03)
  --ntcip             start in NTCIP mode
  --memory FILE       keep presets, sectors, privacy zones and tours in FILE, as
                      a dome keeps them without power (read at start, written
                      after every change); when FILE is a folder, each dome
                      keeps its own dome-ADDRESS.memory in it

Testing:
  --replay FILE       answer every command with the answer recorded for it in
                      FILE, a console's traffic capture (.tcap)
  --log FILE          one line per frame received and sent, with a time stamp
  --fault NAME[=VAL]  silent, late=MS, drop-ack, split, garbage[=SEED], bad-checksum
                      (repeatable)
  --pace US|line      each byte takes US microseconds on the line, as at a real
                      rate (1042 is 9600 baud; default 0: answer at once); line:
                      as long as at the rate the console set (10 bits a byte;
                      on TCP the --tcp-baud)
  --log-monotonic     time stamps in the log are seconds of the system's
                      monotonic clock, to the microsecond, so they compare with
                      another program's
  --help              this text
  --version           the simulator's version
)";
}

std::string versionText()
{
    return std::string("tarn-camsim ") + TARN_CAMSIM_VERSION + "\n";
}

} // namespace tarn::sim
