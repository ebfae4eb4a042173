#include "app/CommandLine.h"

#include "core/Messages.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tarn {

namespace {

// The whole of `text` as a number from `lowest` to `highest`.
std::optional<int> wholeNumber(std::string_view text, int lowest, int highest)
{
    int number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (failure != std::errc() || end != text.data() + text.size() || number < lowest || number > highest)
        return std::nullopt;
    return number;
}

} // namespace

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

std::string CommandLine::portServerText(const PortServer& server)
{
    return std::to_string(server.address[0]) + '.' + std::to_string(server.address[1]) + '.'
        + std::to_string(server.address[2]) + '.' + std::to_string(server.address[3]) + ':' + server.port;
}

bool CommandLine::take(std::string_view name, std::string_view value)
{
    const std::string option = "--" + std::string(name);
    const auto refuse = [this](const char* message, const std::string& detail) {
        error = Messages::format(message, detail.c_str());
        return false;
    };
    if (name == "connect") {
        // An empty value is a wrong address, not a missing one: it is quoted
        // back. The last server named is the window's.
        for (;;) {
            const std::size_t comma = value.find(',');
            const std::string_view part = value.substr(0, comma);
            connect = parsePortServer(part);
            if (!connect)
                return refuse(Messages::BadPortServer, std::string(part));
            sweepLinks.push_back({portServerText(*connect), true});
            if (comma == std::string_view::npos)
                return true;
            value.remove_prefix(comma + 1);
        }
    }
    if (value.empty()) {
        const bool known = std::any_of(ValueOptions.begin(), ValueOptions.end(),
                                       [name](const ValueOption& known) { return known.name == name; });
        return refuse(known ? Messages::OptionNeedsValue : Messages::UnknownOption, option);
    }
    if (name == "port-device") {
        portDevice = std::string(value);
        sweepLinks.push_back({*portDevice, false});
    } else if (name == "trace") {
        trace = std::string(value);
    } else if (name == "screenshot") {
        screenshot = std::string(value);
    } else if (name == "open-dialog") {
        // Empty steps ("/DSP Status//") are no buttons.
        while (!value.empty()) {
            const std::size_t slash = value.find('/');
            const std::string_view step = value.substr(0, slash);
            if (!step.empty())
                openDialog.emplace_back(step);
            value = slash == std::string_view::npos ? std::string_view() : value.substr(slash + 1);
        }
    } else if (name == "site") {
        site = std::string(value);
    } else if (name == "save-config" || name == "compare-config" || name == "write-config") {
        using Kind = ConfigRequest::Kind;
        ConfigRequest request;
        request.kind = name == "save-config" ? Kind::Save : name == "compare-config" ? Kind::Compare : Kind::Write;
        request.file = std::string(value);
        configJobs.push_back(std::move(request));
    } else if (name == "with") {
        configWith = std::string(value);
    } else if (name == "address") {
        address = wholeNumber(value, 1, HighestAddress);
        if (!address)
            return refuse(Messages::BadAddressOption, std::string(value));
    } else if (name == "speed-up") {
        const auto factor = wholeNumber(value, 1, HighestSpeedUp);
        if (!factor)
            return refuse(Messages::BadSpeedUpOption, std::string(value));
        speedUp = *factor;
    } else if (name == "site-out") {
        sweepValues.siteOut = std::string(value);
        sweepValuesGiven = true;
    } else if (name == "addresses") {
        sweepValuesGiven = true;
        return SweepOptions::parseAddresses(value, sweepValues, error);
    } else if (name == "bauds" || name == "protocols") {
        sweepValuesGiven = true;
        auto parsed = name == "bauds" ? SweepOptions::parseBauds(value, error)
                                      : SweepOptions::parseProtocols(value, error);
        if (!parsed)
            return false;
        (name == "bauds" ? sweepValues.baudIndexes : sweepValues.protocolIndexes) = std::move(*parsed);
    } else {
        return refuse(Messages::UnknownOption, option);
    }
    return true;
}

void CommandLine::finish(bool sweepAsked, bool yesAsked)
{
    if (!error.empty())
        return;
    if (configJobs.size() > 1 || (!configJobs.empty() && sweepAsked)) {
        error = Messages::ConfigOneJob;
        return;
    }
    if (configJobs.empty()) {
        if (configWith || yesAsked || address)
            error = Messages::ConfigOptionWithoutJob;
        if (!error.empty())
            return;
    } else {
        ConfigRequest request = configJobs.front();
        using Kind = ConfigRequest::Kind;
        if ((configWith && request.kind != Kind::Compare) || (yesAsked && request.kind != Kind::Write)) {
            error = Messages::ConfigOptionWithoutJob;
            return;
        }
        request.with = configWith;
        request.yes = yesAsked;
        if (!request.with && !portDevice && !connect) {
            error = Messages::ConfigNeedsLink;
            return;
        }
        config = std::move(request);
    }
    if (sweepAsked) {
        if (!portDevice && !connect)
            error = Messages::SweepNeedsLink;
        else
            sweep = sweepValues;
    } else if (sweepValuesGiven) {
        error = Messages::SweepOptionWithoutSweep;
    }
}

} // namespace tarn
