#include "config/CameraIdPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/DialogDoor.h"

#include <algorithm>
#include <array>

namespace tarn {
namespace {

constexpr std::string_view IdEnable = "ID Text Enable";
constexpr std::string_view DisplayAtTop = "Display at top";
constexpr std::string_view LpEnable = "LP - Enable";
constexpr std::string_view MaintenanceText = "Maintenance Mode Text";
constexpr std::string_view DisplayMode = "ID Line 5 - Display Mode";
constexpr std::array<std::string_view, 2> Lines = {"Line 1", "Line 2"};
constexpr std::array<std::string_view, 2> AlarmPresets = {"Alarm 1 Preset", "Alarm 2 Preset"};
constexpr std::array<std::string_view, 3> DisplayModes = {"AZ/EL/Zoom/LP", "Compass/Zoom/LP",
                                                          "Maintenance (Pressure and Temperature)"};

} // namespace

bool CameraIdPart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::isMakers(context.receiverType);
}

void CameraIdPart::open(SnapshotContext& context)
{
    m_timers = &context.door.timers();
    m_steps.clear();
    // Opening reads the settings back: "cdSc", "cdSl1", "cdSl2", "h?".
    m_id = std::make_unique<CameraId>(context.door.link(), context.door.prompter());
}

void CameraIdPart::startReading(SnapshotContext& context)
{
    open(context);
}

bool CameraIdPart::busy() const
{
    return m_id && m_timers->isRunning(*m_id, CameraId::ReadBackTimerId);
}

void CameraIdPart::finishReading(ConfigSection& section)
{
    if (!m_id)
        return;
    const CameraIdValues& values = m_id->values();
    section.set(IdEnable, SnapshotFields::flagText(values.idEnabled));
    section.set(DisplayAtTop, SnapshotFields::flagText(values.displayAtTop));
    section.set(LpEnable, SnapshotFields::flagText(values.alarmLineEnabled[0]));
    section.set(MaintenanceText, SnapshotFields::flagText(values.maintenanceTextEnabled));
    section.set(DisplayMode, std::string(DisplayModes.at(static_cast<std::size_t>(values.displayMode))));
    for (std::size_t i = 0; i < Lines.size(); ++i)
        section.set(Lines[i], values.lines[i]);
    for (std::size_t i = 0; i < AlarmPresets.size(); ++i)
        section.set(AlarmPresets[i], std::to_string(values.alarmPreset[i]));
    m_id.reset();
}

std::vector<std::string> CameraIdPart::reportedOnly() const
{
    return {std::string(MaintenanceText)};
}

std::string CameraIdPart::reportedValue(std::string_view field, const std::string& value) const
{
    if (std::find(Lines.begin(), Lines.end(), field) == Lines.end())
        return value;
    return value.substr(0, value.find_last_not_of(' ') + 1);
}

std::optional<std::string> CameraIdPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    for (const std::string_view flag : {IdEnable, DisplayAtTop, LpEnable}) {
        if (fields.has(flag))
            fields.flag(flag);
    }
    if (fields.has(DisplayMode))
        fields.choice(DisplayMode, DisplayModes);
    for (const std::string_view line : Lines) {
        if (fields.has(line))
            fields.idLine(line);
    }
    for (const std::string_view preset : AlarmPresets) {
        if (fields.has(preset))
            fields.number(preset, 0, CameraId::HighestPreset);
    }
    return fields.problem();
}

void CameraIdPart::addSwitch(bool on, bool (*current)(const CameraIdValues&), void (CameraId::*toggle)())
{
    m_steps.add([this, on, current, toggle] {
        if (current(m_id->values()) != on)
            (m_id.get()->*toggle)();
    });
}

void CameraIdPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    open(context);
    SnapshotFields fields(section);
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (!fields.has(Lines[i]))
            continue;
        const auto text = fields.idLine(Lines[i]);
        if (!text)
            continue;
        const int line = static_cast<int>(i) + 1;
        m_steps.add([this, line, text = *text] {
            if (m_id->editLine(line, text))
                m_id->leaveLine(line);
        });
    }
    if (fields.has(IdEnable)) {
        if (const auto on = fields.flag(IdEnable))
            addSwitch(*on, [](const CameraIdValues& v) { return v.idEnabled; }, &CameraId::toggleIdEnabled);
    }
    if (fields.has(DisplayAtTop)) {
        if (const auto on = fields.flag(DisplayAtTop))
            addSwitch(*on, [](const CameraIdValues& v) { return v.displayAtTop; },
                      &CameraId::toggleDisplayAtTop);
    }
    if (fields.has(LpEnable)) {
        if (const auto on = fields.flag(LpEnable)) {
            m_steps.add([this, on = *on] {
                if (m_id->values().alarmLineEnabled[0] != on)
                    m_id->toggleAlarmLine(0);
            });
        }
    }
    if (fields.has(DisplayMode)) {
        if (const auto mode = fields.choice(DisplayMode, DisplayModes)) {
            m_steps.add([this, mode = *mode] {
                if (m_id->values().displayMode != mode)
                    m_id->chooseDisplayMode(mode);
            });
        }
    }
    for (std::size_t i = 0; i < AlarmPresets.size(); ++i) {
        if (!fields.has(AlarmPresets[i]))
            continue;
        if (const auto preset = fields.number(AlarmPresets[i], 0, CameraId::HighestPreset)) {
            const int alarm = static_cast<int>(i);
            m_steps.add([this, alarm, preset = *preset] {
                m_id->setAlarmPresetValue(alarm, preset);
                m_id->sendAlarmPreset(alarm);
            });
        }
    }
}

void CameraIdPart::finishWriting()
{
    m_steps.clear();
    if (m_id)
        m_id->close();
    m_id.reset();
}

} // namespace tarn
