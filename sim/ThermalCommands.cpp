#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/TextFields.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tarn::sim {

namespace {

constexpr int DdeOffset = 15;
constexpr int HighestLut = 11;
constexpr int HighestOrientation = 3;
constexpr int HighestZoom = 3;

// Fixed-width decimal numbers, one after the other: "07200005" with widths
// {5, 3} gives 7200 and 5. Nothing unless the text is exactly that long and
// all digits.
std::optional<std::vector<int>> decimals(std::string_view text, std::initializer_list<int> widths)
{
    std::vector<int> values;
    std::size_t at = 0;
    for (const int width : widths) {
        const auto w = static_cast<std::size_t>(width);
        const auto value = TextFields::decimalAt(text, at, w);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
        at += w;
    }
    if (at != text.size())
        return std::nullopt;
    return values;
}

// A one-character setting: "tW1", or an index character "tC;" for 11.
CommandResult setIndex(int& setting, std::string_view text, int highest)
{
    if (text.size() == 3) {
        const int value = text[2] - '0';
        if (value >= 0 && value <= highest)
            setting = value;
    }
    return CommandResult::ack();
}

bool between(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

CommandResult setFlatFieldTrigger(ThermalPicture& picture, std::string_view text)
{
    if (const auto values = decimals(text.substr(2), {5, 3});
        values && between((*values)[0], 0, 30000) && between((*values)[1], 0, 100)) {
        picture.ffcInterval = (*values)[0];
        picture.ffcTemperatureChange = (*values)[1];
    }
    return CommandResult::ack();
}

CommandResult setAgc(ThermalPicture& picture, std::string_view text)
{
    if (const auto values = decimals(text.substr(2), {4, 3, 3}); values && between((*values)[0], 10, 1000)
                                                                 && between((*values)[1], 0, 255)
                                                                 && between((*values)[2], 0, 255)) {
        picture.plateau = (*values)[0];
        picture.ittMean = (*values)[1];
        picture.maxGain = (*values)[2];
    }
    return CommandResult::ack();
}

// Left, top, right, bottom: taken only as a region of the sensor.
CommandResult setRegionOfInterest(ThermalImager& imager, std::string_view text)
{
    const auto values = decimals(text.substr(2), {3, 3, 3, 3});
    if (values) {
        const int left = (*values)[0], top = (*values)[1], right = (*values)[2], bottom = (*values)[3];
        if (left < right && top < bottom && right <= imager.width() && bottom <= imager.height()) {
            ThermalPicture& picture = imager.picture;
            picture.roiLeft = left;
            picture.roiTop = top;
            picture.roiRight = right;
            picture.roiBottom = bottom;
        }
    }
    return CommandResult::ack();
}

CommandResult setDde(ThermalPicture& picture, std::string_view text)
{
    if (text.size() == 3) {
        const int level = static_cast<unsigned char>(text[2]) - DdeOffset;
        if (between(level, 1, 63))
            picture.dde = level;
    }
    return CommandResult::ack();
}

// The "tX" commands: an index character sets the zoom; the main window's
// zoom buttons step it with "tXI" and "tXD".
CommandResult zoom(ThermalPicture& picture, std::string_view text)
{
    if (text == "tXI")
        picture.digitalZoom = std::min(picture.digitalZoom + 1, HighestZoom);
    else if (text == "tXD")
        picture.digitalZoom = std::max(picture.digitalZoom - 1, 0);
    else
        return setIndex(picture.digitalZoom, text, HighestZoom);
    return CommandResult::ack();
}

CommandResult userSettings(ThermalImager& imager, std::string_view text)
{
    if (text == "tsS")
        imager.saved = imager.picture;
    else if (text == "tss" || text == "tsR") // a reset starts again from the saved settings
        imager.picture = imager.saved;
    else if (text == "tsD")
        imager.picture = imager.factoryPicture();
    return CommandResult::ack();
}

CommandResult focus(ThermalImager& imager, std::string_view text)
{
    if (text == "tfN")
        imager.focusMotion = -1;
    else if (text == "tfF")
        imager.focusMotion = 1;
    else if (text == "tfS")
        imager.focusMotion = 0;
    return CommandResult::ack();
}

using TextFields::field;

// "tDS": the three number fields first (k, R, A), then one character each.
std::string status(const ThermalImager& imager)
{
    const ThermalPicture& p = imager.picture;
    using TextFields::decimal;
    std::string text = "t";
    text += 'k' + decimal(p.ffcInterval, 5) + decimal(p.ffcTemperatureChange, 3);
    text += 'R' + decimal(p.roiLeft, 3) + decimal(p.roiTop, 3) + decimal(p.roiRight, 3) + decimal(p.roiBottom, 3);
    text += 'A' + decimal(p.plateau, 4) + decimal(p.ittMean, 3) + decimal(p.maxGain, 3);
    text += field('W', p.ffcMode);
    text += field('F', p.operatingMode);
    text += field('B', p.video);
    text += field('C', p.lut);
    text += field('i', p.orientation);
    text += field('X', p.digitalZoom);
    text += field('S', p.suppOffset);
    text += field('c', imager.sensor == ThermalSensor::Large640x512 ? 1 : 0);
    text += {'d', static_cast<char>(p.dde + DdeOffset)};
    return text;
}

} // namespace

void addThermalCommands(CommandTable& table, CameraState& state)
{
    if (state.identity.module != Module::Thermal)
        return;
    ThermalImager& imager = state.thermal;
    ThermalPicture& picture = imager.picture;

    table.add("tDS", [&imager](std::string_view) { return CommandResult::reply(status(imager)); });
    table.add("tW", [&picture](std::string_view text) { return setIndex(picture.ffcMode, text, 2); });
    table.add("tk", [&picture](std::string_view text) { return setFlatFieldTrigger(picture, text); });
    table.add("tr", [&imager](std::string_view) {
        ++imager.flatFieldCorrections;
        return CommandResult::ack();
    });
    table.add("tF", [&picture](std::string_view text) { return setIndex(picture.operatingMode, text, 1); });
    table.add("tB", [&picture](std::string_view text) { return setIndex(picture.video, text, 1); });
    table.add("tC", [&picture](std::string_view text) { return setIndex(picture.lut, text, HighestLut); });
    table.add("ti", [&picture](std::string_view text) {
        return setIndex(picture.orientation, text, HighestOrientation);
    });
    table.add("tX", [&picture](std::string_view text) { return zoom(picture, text); });
    table.add("td", [&picture](std::string_view text) { return setDde(picture, text); });
    table.add("tS", [&picture](std::string_view text) { return setIndex(picture.suppOffset, text, 1); });
    table.add("tA", [&picture](std::string_view text) { return setAgc(picture, text); });
    table.add("tR", [&imager](std::string_view text) { return setRegionOfInterest(imager, text); });
    table.add("ts", [&imager](std::string_view text) { return userSettings(imager, text); });
    table.add("tf", [&imager](std::string_view text) { return focus(imager, text); });
    table.add("tPe", [&imager](std::string_view) {
        imager.guiPassThrough = true;
        return CommandResult::ack();
    });
}

} // namespace tarn::sim
