#include "sim/DomeOption.h"

#include <charconv>
#include <vector>

namespace tarn::sim {

namespace {

constexpr std::size_t MostFields = 4;

std::vector<std::string_view> fields(std::string_view value)
{
    std::vector<std::string_view> out;
    for (;;) {
        const std::size_t colon = value.find(':');
        out.push_back(value.substr(0, colon));
        if (colon == std::string_view::npos)
            return out;
        value.remove_prefix(colon + 1);
    }
}

bool parseInt(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

} // namespace

std::optional<DomeSettings> parseDomeOption(std::string_view value, const DomeSettings& defaults,
                                          std::string& error)
{
    const std::string named = "--dome " + std::string(value) + ": ";
    const auto fail = [&error](std::string text) {
        error = std::move(text);
        return std::nullopt;
    };

    const std::vector<std::string_view> parts = fields(value);
    if (parts.size() > MostFields)
        return fail(named + "give ADDRESS[:MODEL[:MODULE[:BAUD]]], e.g. 12:AlderHD:thermal:19200");

    DomeSettings dome = defaults;
    if (!parseInt(parts[0], dome.identity.address) || dome.identity.address < 1)
        return fail(named + "the address must be a number of 1 or more");
    if (parts.size() > 1 && !parts[1].empty()) {
        const auto model = modelNamed(parts[1]);
        if (!model)
            return fail(named + "the model must be AlderHD, AlderSD, BirchSD, BirchHD, Cedar or DogwoodHD");
        dome.identity.model = *model;
    }
    if (parts.size() > 2 && !parts[2].empty()) {
        const auto module = moduleNamed(parts[2]);
        if (!module)
            return fail(named + "the module must be standard, daynight or thermal");
        dome.identity.module = *module;
    }
    if (parts.size() > 3 && !parts[3].empty()) {
        if (!parseInt(parts[3], dome.baud) || !BaudRate::isDomeRate(dome.baud))
            return fail(named + "the baud rate must be " + BaudRate::domeRatesText());
    }
    return dome;
}

} // namespace tarn::sim
