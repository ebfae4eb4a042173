#include "app/CommandLine.h"

#include "core/Messages.h"

#include <charconv>
#include <string>

namespace tarn {

std::optional<CommandLine::PortServer> CommandLine::parsePortServer(std::string_view text)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string_view host = text.substr(0, colon);
    const std::string_view port = text.substr(colon + 1);
    int portNumber = 0;
    const auto portResult = std::from_chars(port.data(), port.data() + port.size(), portNumber);
    if (port.empty() || portResult.ec != std::errc() || portResult.ptr != port.data() + port.size()
        || portNumber < 1 || portNumber > 65535)
        return std::nullopt;
    if (host == "localhost")
        host = "127.0.0.1";

    // Written back as the number it is: "0004" and "4" are the same port, and the
    // settings keep at most five digits.
    PortServer server{{}, std::to_string(portNumber)};
    for (std::size_t i = 0; i < server.address.size(); ++i) {
        int octet = -1;
        const auto result = std::from_chars(host.data(), host.data() + host.size(), octet);
        if (result.ec != std::errc() || octet < 0 || octet > 255 || result.ptr == host.data())
            return std::nullopt;
        server.address[i] = static_cast<std::uint8_t>(octet);
        host.remove_prefix(static_cast<std::size_t>(result.ptr - host.data()));
        const bool last = i + 1 == server.address.size();
        if (last ? !host.empty() : !host.starts_with('.'))
            return std::nullopt;
        if (!last)
            host.remove_prefix(1);
    }
    return server;
}

CommandLine CommandLine::parse(std::span<const std::string_view> args)
{
    CommandLine line;
    SweepOptions sweep;
    bool sweepAsked = false;
    bool sweepOptionGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--sweep") {
            sweepAsked = true;
        } else if (arg == "--bauds" || arg == "--protocols" || arg == "--addresses" || arg == "--site-out") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, std::string(arg).c_str());
                return line;
            }
            sweepOptionGiven = true;
            const std::string_view value = args[++i];
            if (arg == "--site-out") {
                sweep.siteOut = std::string(value);
            } else if (arg == "--addresses") {
                if (!SweepOptions::parseAddresses(value, sweep, line.error))
                    return line;
            } else {
                auto parsed = arg == "--bauds" ? SweepOptions::parseBauds(value, line.error)
                                               : SweepOptions::parseProtocols(value, line.error);
                if (!parsed)
                    return line;
                (arg == "--bauds" ? sweep.baudIndexes : sweep.protocolIndexes) = std::move(*parsed);
            }
        } else if (arg == "--help" || arg == "-h") {
            line.showHelp = true;
        } else if (arg == "--screenshot") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--screenshot");
                return line;
            }
            line.screenshot = std::string(args[++i]);
        } else if (arg == "--trace") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--trace");
                return line;
            }
            line.trace = std::string(args[++i]);
        } else if (arg == "--open-dialog") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--open-dialog");
                return line;
            }
            std::string_view path = args[++i];
            while (!path.empty()) {
                const std::size_t slash = path.find('/');
                const std::string_view step = path.substr(0, slash);
                if (!step.empty())
                    line.openDialog.emplace_back(step);
                path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
            }
        } else if (arg == "--connect") {
            if (i + 1 >= args.size()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--connect");
                return line;
            }
            line.connect = parsePortServer(args[++i]);
            if (!line.connect) {
                line.error = Messages::format(Messages::BadPortServer, std::string(args[i]).c_str());
                return line;
            }
        } else if (arg == "--port-device") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--port-device");
                return line;
            }
            line.portDevice = std::string(args[++i]);
        } else if (arg.starts_with("--port-device=")) {
            const auto value = arg.substr(std::string_view("--port-device=").size());
            if (value.empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--port-device");
                return line;
            }
            line.portDevice = std::string(value);
        } else {
            line.error = Messages::format(Messages::UnknownOption, std::string(arg).c_str());
            return line;
        }
    }
    if (sweepAsked) {
        if (!line.portDevice && !line.connect) {
            line.error = Messages::SweepNeedsLink;
            return line;
        }
        line.sweep = std::move(sweep);
    } else if (sweepOptionGiven) {
        line.error = Messages::SweepOptionWithoutSweep;
    }
    return line;
}

} // namespace tarn
