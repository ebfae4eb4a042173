#include "sim/CameraMemory.h"

#include "sim/CameraState.h"

#include <cstdio>
#include <sstream>

namespace tarn::sim::CameraMemory {

namespace {

std::string hex(const std::string& text)
{
    std::string out;
    char byte[3];
    for (const unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        out += byte;
    }
    return out.empty() ? "-" : out;
}

// Exactly `length` characters, or nothing when the hex does not read.
std::string unhex(const std::string& text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size() && out.size() < length; i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2X", &value) != 1)
            return {};
        out.push_back(static_cast<char>(value));
    }
    out.resize(length, ' ');
    return out;
}

template <typename Array>
auto* entry(Array& array, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < array.size() ? &array[static_cast<std::size_t>(index)]
                                                                         : nullptr;
}

} // namespace

std::string serialise(const CameraState& state)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < state.presets.size(); ++i) {
        const Preset& p = state.presets[i];
        if (p.stored)
            out << "preset " << i << ' ' << p.pan << ' ' << p.tilt << ' ' << p.zoom << ' ' << p.focus << ' '
                << hex(p.name) << '\n';
    }
    const SectorTourState& tables = state.sectorTours;
    for (std::size_t i = 0; i < tables.sectors.size(); ++i) {
        const Sector& s = tables.sectors[i];
        out << "sector " << i << ' ' << s.left << ' ' << s.right << ' ' << s.enabled << ' ' << hex(s.idText) << '\n';
    }
    for (std::size_t i = 0; i < tables.zones.size(); ++i) {
        const PanRange& z = tables.zones[i];
        out << "zone " << i << ' ' << z.left << ' ' << z.right << ' ' << z.enabled << '\n';
    }
    for (std::size_t i = 0; i < tables.tours.size(); ++i) {
        out << "tour " << i;
        for (const TourStep& step : tables.tours[i].steps)
            out << ' ' << step.preset << ',' << step.dwell;
        out << '\n';
    }
    return out.str();
}

void restore(CameraState& state, std::string_view text)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    SectorTourState& tables = state.sectorTours;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string kind;
        int index = -1;
        in >> kind >> index;
        if (kind == "preset") {
            Preset read;
            std::string name;
            if (!(in >> read.pan >> read.tilt >> read.zoom >> read.focus >> name))
                continue;
            if (Preset* p = entry(state.presets, index)) {
                read.stored = true;
                read.name = unhex(name, CameraState::PresetNameLength);
                *p = read;
            }
        } else if (kind == "sector") {
            Sector read;
            std::string idText;
            if (!(in >> read.left >> read.right >> read.enabled >> idText))
                continue;
            if (Sector* s = entry(tables.sectors, index)) {
                read.idText = unhex(idText, Sector::IdTextLength);
                *s = read;
            }
        } else if (kind == "zone") {
            PanRange read;
            if (!(in >> read.left >> read.right >> read.enabled))
                continue;
            if (PanRange* z = entry(tables.zones, index))
                *z = read;
        } else if (kind == "tour") {
            Tour read;
            char comma = 0;
            bool whole = true;
            for (TourStep& step : read.steps)
                whole = whole && static_cast<bool>(in >> step.preset >> comma >> step.dwell) && comma == ',';
            if (Tour* t = entry(tables.tours, index); t && whole)
                *t = read;
        }
    }
}

} // namespace tarn::sim::CameraMemory
