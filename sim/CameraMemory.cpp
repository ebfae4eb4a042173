#include "sim/CameraMemory.h"

#include "sim/CameraState.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>

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

// Every setting a console can read back and program, by the name it has in
// the memory file: `visit(name, member)` for each, on a const or a mutable
// state alike.
template <typename State, typename Visit>
void forEachSetting(State& state, Visit visit)
{
    auto& setup = state.setup;
    visit("setup.pan-tilt-type", setup.panTiltType);
    visit("setup.direction", setup.direction);
    visit("setup.javelin-continuous", setup.javelinContinuous);
    visit("setup.javelin-address", setup.javelinAddress);
    visit("setup.flip", setup.flip);
    visit("setup.elevation", setup.elevation);
    auto& id = state.cameraId;
    visit("id.enabled", id.idEnabled);
    visit("id.display-at-top", id.displayAtTop);
    visit("id.alarm-text", id.alarmTextEnabled);
    visit("id.alarm-line-1", id.alarmLineEnabled[0]);
    visit("id.alarm-line-2", id.alarmLineEnabled[1]);
    visit("id.alarm-line-3", id.alarmLineEnabled[2]);
    visit("id.alarm-blink", id.alarmBlink);
    visit("id.maintenance-text", id.maintenanceTextEnabled);
    visit("id.display-mode", id.displayMode);
    visit("id.alarm-preset-1", id.alarmPreset[0]);
    visit("id.alarm-preset-2", id.alarmPreset[1]);
    auto& accessories = state.accessories;
    visit("wiper.run-time", accessories.wipeRunTime);
    visit("wiper.delay", accessories.wipeDelay);
    visit("wiper.module", accessories.wiperModule);
    visit("washer.wash-time", accessories.washTime);
    visit("washer.wipe-time", accessories.washWipeTime);
    visit("washer.manual", accessories.manualWash);
    visit("washer.frequency", accessories.washFrequency);
    auto& azimuth = state.azimuth;
    visit("azimuth.zones", azimuth.directionZones);
    visit("azimuth.az-el-display", azimuth.azElDisplay);
    visit("azimuth.az-el-permanent", azimuth.azElPermanent);
    visit("azimuth.direction-display", azimuth.directionDisplay);
    visit("azimuth.direction-permanent", azimuth.directionPermanent);
    visit("azimuth.grouped-with-ids", azimuth.groupedWithIds);
    visit("azimuth.auto-response", azimuth.autoResponse);
    visit("azimuth.auto-response-delay", azimuth.autoResponseDelay);
    auto& dsp = state.dsp;
    visit("dsp.day-night", dsp.dayNightMode);
    visit("dsp.infrared", dsp.infraredMode);
    visit("dsp.shutter", dsp.shutter);
    visit("dsp.white-balance", dsp.whiteBalance);
    visit("dsp.wide-dynamic-range", dsp.wideDynamicRange);
    visit("dsp.back-light", dsp.backLight);
    visit("dsp.stabiliser", dsp.stabiliser);
    visit("dsp.stabiliser-frequency", dsp.stabiliserFrequency);
    visit("dsp.digital-zoom", dsp.digitalZoom);
    visit("dsp.maximum-gain", dsp.maximumGain);
    visit("dsp.slow-shutter-limit", dsp.slowShutterLimit);
    visit("dsp.indoor-outdoor", dsp.indoorOutdoor);
    visit("dsp.aperture-mode", dsp.apertureMode);
    visit("dsp.aperture-horizontal", dsp.apertureHorizontal);
    visit("dsp.aperture-vertical", dsp.apertureVertical);
    visit("dsp.red-gain", dsp.redGain);
    visit("dsp.blue-gain", dsp.blueGain);
    auto& thermal = state.thermal.picture;
    visit("thermal.ffc-mode", thermal.ffcMode);
    visit("thermal.ffc-interval", thermal.ffcInterval);
    visit("thermal.ffc-temperature-change", thermal.ffcTemperatureChange);
    visit("thermal.video", thermal.video);
    visit("thermal.lut", thermal.lut);
    visit("thermal.orientation", thermal.orientation);
    visit("thermal.digital-zoom", thermal.digitalZoom);
    visit("thermal.plateau", thermal.plateau);
    visit("thermal.itt-mean", thermal.ittMean);
    visit("thermal.max-gain", thermal.maxGain);
    visit("thermal.dde", thermal.dde);
    for (std::size_t i = 0; i < state.screenPrivacy.zones.size(); ++i) {
        auto& zone = state.screenPrivacy.zones[i];
        const std::string prefix = "privacy." + std::to_string(i) + '.';
        visit(prefix + "mode", zone.mode);
        visit(prefix + "horizontal", zone.horizontalSize);
        visit(prefix + "vertical", zone.verticalSize);
        visit(prefix + "red", zone.redColour);
        visit(prefix + "blue", zone.blueColour);
        visit(prefix + "shade", zone.shade);
    }
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
    out << "text serial-number " << hex(state.setup.serialNumber) << '\n';
    for (std::size_t i = 0; i < state.cameraId.lines.size(); ++i)
        out << "text id-line-" << i << ' ' << hex(state.cameraId.lines[i]) << '\n';
    forEachSetting(state, [&out](const std::string& name, const auto& value) {
        out << "setting " << name << ' ' << static_cast<int>(value) << '\n';
    });
    return out.str();
}

void restore(CameraState& state, std::string_view text)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    SectorTourState& tables = state.sectorTours;
    std::map<std::string, int> settings;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string kind;
        if (line.starts_with("setting ") || line.starts_with("text ")) {
            std::string name;
            std::string value;
            in >> kind >> name >> value;
            if (kind == "setting") {
                int number = 0;
                if (std::sscanf(value.c_str(), "%d", &number) == 1)
                    settings[name] = number;
            } else if (name == "serial-number") {
                if (std::string read = unhex(value, 7); !read.empty())
                    state.setup.serialNumber = std::move(read);
            } else if (name.starts_with("id-line-") && name.size() == 9) {
                std::string read = unhex(value, CameraIdState::LineLength);
                if (std::string* stored = entry(state.cameraId.lines, name[8] - '0'); stored && !read.empty())
                    *stored = std::move(read);
            }
            continue;
        }
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
    forEachSetting(state, [&settings](const std::string& name, auto& value) {
        // A value no command could have set is left as the camera starts.
        if (const auto found = settings.find(name); found != settings.end() && found->second >= 0
            && found->second <= 100'000)
            value = static_cast<std::remove_reference_t<decltype(value)>>(found->second);
    });
    state.cameraId.displayMode = std::clamp(state.cameraId.displayMode, 0, 2);
}

} // namespace tarn::sim::CameraMemory
