#include "config/ScreenPrivacyPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/DialogDoor.h"

#include <array>

namespace tarn {
namespace {

constexpr std::array<std::string_view, 3> Modes = {"Off", "Programming", "Live"};
constexpr std::string_view RedColour = "R-Y Color";
constexpr std::string_view BlueColour = "B-Y Color";
constexpr std::string_view Shade = "Shade Level";

std::string zoneField(int zone, std::string_view what)
{
    return "Zone " + std::to_string(zone + 1) + ' ' + std::string(what);
}

} // namespace

bool ScreenPrivacyPart::appliesTo(const SnapshotContext& context) const
{
    // It is opened from the day/night camera's picture-control dialog.
    return CameraType::isMakers(context.receiverType) && context.moduleType == ModuleType::DayNight;
}

void ScreenPrivacyPart::open(SnapshotContext& context)
{
    m_timers = &context.door.timers();
    m_steps.clear();
    m_read = {};
    m_privacy = std::make_unique<ScreenPrivacy>(context.door.link(), context.door.prompter());
    m_privacy->open();
}

bool ScreenPrivacyPart::busy() const
{
    return m_privacy && m_timers->isRunning(*m_privacy, ScreenPrivacy::ZoneQueryTimerId);
}

void ScreenPrivacyPart::keepZone(int zone)
{
    const ScreenPrivacyValues& values = m_privacy->values();
    if (values.mode >= 0 && values.mode < static_cast<int>(Modes.size()))
        m_read.set(zoneField(zone, "Mode"), std::string(Modes[static_cast<std::size_t>(values.mode)]));
    m_read.set(zoneField(zone, "Horz. Size"), std::to_string(values.horizontalSize));
    m_read.set(zoneField(zone, "Vert. Size"), std::to_string(values.verticalSize));
}

void ScreenPrivacyPart::startReading(SnapshotContext& context)
{
    open(context);
    for (int zone = 0; zone < ScreenPrivacy::ZoneCount; ++zone) {
        m_steps.add([this, zone] {
            if (zone > 0)
                keepZone(zone - 1);
            m_privacy->chooseZone(zone);
        });
    }
    m_steps.add([this] { keepZone(ScreenPrivacy::ZoneCount - 1); });
}

void ScreenPrivacyPart::finishReading(ConfigSection& section)
{
    if (!m_privacy)
        return;
    for (ConfigField& field : m_read.fields)
        section.set(field.name, std::move(field.value));
    const ScreenPrivacyValues& values = m_privacy->values();
    section.set(RedColour, std::to_string(values.redColour));
    section.set(BlueColour, std::to_string(values.blueColour));
    section.set(Shade, std::to_string(values.shade));
    m_read = {};
    m_steps.clear();
    m_privacy.reset();
}

std::optional<std::string> ScreenPrivacyPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    for (int zone = 0; zone < ScreenPrivacy::ZoneCount; ++zone) {
        if (fields.has(zoneField(zone, "Mode")))
            fields.choice(zoneField(zone, "Mode"), Modes);
        for (const char* size : {"Horz. Size", "Vert. Size"}) {
            if (fields.has(zoneField(zone, size)))
                fields.number(zoneField(zone, size), 0, ScreenPrivacy::HighestSize);
        }
    }
    for (const std::string_view colour : {RedColour, BlueColour, Shade}) {
        if (fields.has(colour))
            fields.number(colour, 0, ScreenPrivacy::HighestColour);
    }
    return fields.problem();
}

void ScreenPrivacyPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    open(context);
    SnapshotFields fields(section);
    for (int zone = 0; zone < ScreenPrivacy::ZoneCount; ++zone) {
        const std::string mode = zoneField(zone, "Mode");
        const std::string horizontal = zoneField(zone, "Horz. Size");
        const std::string vertical = zoneField(zone, "Vert. Size");
        if (!fields.has(mode) && !fields.has(horizontal) && !fields.has(vertical))
            continue;
        const int chosenMode = fields.has(mode) ? fields.choice(mode, Modes).value_or(-1) : -1;
        const int width = fields.has(horizontal) ? fields.number(horizontal, 0, ScreenPrivacy::HighestSize).value_or(-1) : -1;
        const int height = fields.has(vertical) ? fields.number(vertical, 0, ScreenPrivacy::HighestSize).value_or(-1) : -1;
        // The zone is chosen, its settings follow, and its answer reads them back.
        m_steps.add([this, zone, chosenMode, width, height] {
            m_privacy->chooseZone(zone);
            if (chosenMode >= 0)
                m_privacy->setMode(chosenMode);
            if (width >= 0)
                m_privacy->setSize(ScreenPrivacy::Size::Horizontal, width);
            if (height >= 0)
                m_privacy->setSize(ScreenPrivacy::Size::Vertical, height);
        });
    }
    const std::array<std::pair<std::string_view, ScreenPrivacy::Colour>, 3> colours = {
        {{RedColour, ScreenPrivacy::Colour::Red}, {BlueColour, ScreenPrivacy::Colour::Blue},
         {Shade, ScreenPrivacy::Colour::Shade}}};
    for (const auto& entry : colours) {
        if (!fields.has(entry.first))
            continue;
        if (const auto value = fields.number(entry.first, 0, ScreenPrivacy::HighestColour))
            m_steps.add([this, colour = entry.second, value = *value] {
                m_privacy->setColour(colour, value);
            });
    }
}

void ScreenPrivacyPart::finishWriting()
{
    m_steps.clear();
    m_privacy.reset();
}

} // namespace tarn
