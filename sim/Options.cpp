#include "sim/Options.h"

#include "sim/CameraModel.h"

#include <algorithm>
#include <charconv>
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

} // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    Simulator::Settings& sim = options.simulator;
    bool lengthHeaderAsked = false;
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
        if (name == "--pty" || name == "--stx" || name == "--ntcip" || name == "--length-header") {
            if (!takesNoValue())
                return fail(name + " takes no value");
            if (name == "--pty")
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
                                                         "--memory", "--thermal-resolution", "--replay"};
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
    sim.lengthHeaders = lengthHeaderAsked;
    const Faults& f = sim.faults;
    const bool anyFault = f.silent || f.lateMs != 0 || f.dropAck || f.split || f.garbage || f.badChecksum;
    if (!options.replayPath.empty() && (anyFault || !sim.memoryPath.empty()))
        return fail("--replay answers as the capture did: --fault and --memory do not go with it");
    const int highestAddress = sim.identity.protocol == FiveDigitProtocol ? HighestFiveDigitAddress
                                                                         : HighestFourDigitAddress;
    if (sim.identity.address > highestAddress)
        return fail("--address " + std::to_string(sim.identity.address)
                    + " has more digits than protocol " + std::to_string(sim.identity.protocol)
                    + " sends");
    return options;
}

std::string usageText()
{
    return R"(Usage: tarn-camsim (--pty [--link PATH] | --tcp HOST:PORT [--length-header]) [options]

A simulated dome camera for the Tarn console.

Line:
  --pty               serve a new pseudo-terminal; prints "pty: /dev/pts/N" first
  --link PATH         also make PATH a symbolic link to the pty (removed at exit)
  --tcp HOST:PORT     serve as a serial port server on TCP (port 0: any free port);
                      prints "tcp: HOST:PORT" first
  --length-header     frames may come after a 00 00 LH LL length header

Camera:
  --address N         camera address (default 1)
  --protocol I        protocol list index (default 1; 5 sends 5 address digits)
  --model NAME        AlderHD, AlderSD, BirchSD, BirchHD, Cedar or DogwoodHD (default AlderHD)
  --module NAME       standard, daynight or thermal (default daynight)
  --thermal-resolution 320x256|640x512
                      the thermal module's sensor (default 640x512)
  --stx               answer in STX form (02 address text checksum 03)
  --ntcip             start in NTCIP mode
  --memory FILE       keep presets, sectors, privacy zones and tours in FILE, as
                      a dome keeps them without power (read at start, written
                      after every change)

Testing:
  --replay FILE       answer every command with the answer recorded for it in
                      FILE, a console's traffic capture (.tcap)
  --log FILE          one line per frame received and sent, with a time stamp
  --fault NAME[=VAL]  silent, late=MS, drop-ack, split, garbage[=SEED], bad-checksum
                      (repeatable)
  --help              this text
  --version           the simulator's version
)";
}

std::string versionText()
{
    return std::string("tarn-camsim ") + TARN_CAMSIM_VERSION + "\n";
}

} // namespace tarn::sim
