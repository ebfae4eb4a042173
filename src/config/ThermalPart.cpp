#include "config/ThermalPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/DialogDoor.h"

#include <algorithm>
#include <vector>

namespace tarn {
namespace {

using Choices = std::vector<std::string_view>;

struct ListField {
    std::string_view name;
    Choices entries;
    int ThermalSettings::*setting;
    int ThermalControls::*control;
};

const std::vector<ListField>& listFields()
{
    static const std::vector<ListField> fields = {
        {"Flat_Field Correction", {"Manual", "Auto", "Ext"}, &ThermalSettings::ffcMode, &ThermalControls::ffcMode},
        {"Operating mode", {"Real Time", "Frozen"}, &ThermalSettings::operatingMode, &ThermalControls::operatingMode},
        {"Video", {"Mono", "Color"}, &ThermalSettings::video, &ThermalControls::video},
        {"Polarity/LUT",
         {"White hot", "Black hot", "Fusion", "Rainbow", "Globow", "Ironbow1", "Ironbow2", "Sepia", "Color1", "Color2",
          "Ice and Fire", "Rain"},
         &ThermalSettings::lut, &ThermalControls::lut},
        {"Image Orientation", {"Normal", "Invert", "Revert", "Invert and Revert"}, &ThermalSettings::orientation,
         &ThermalControls::orientation},
        {"Digital Zoom", {"1X", "2X", "4X", "8X"}, &ThermalSettings::digitalZoom, &ThermalControls::digitalZoom},
    };
    return fields;
}

struct NumberField {
    std::string_view name;
    int lowest;
    int highest;
    int ThermalSettings::*setting;
    ThermalEdit edit;
};

// Every edit, in the order the dialog reads them; the region of interest last.
const std::vector<NumberField>& numberFields()
{
    static const std::vector<NumberField> fields = {
        {"Interval (frames)", 0, 30000, &ThermalSettings::ffcInterval, ThermalEdit::FfcInterval},
        {"Temp. change (0.1 C)", 5, 100, &ThermalSettings::ffcTemperatureChange, ThermalEdit::FfcTemperatureChange},
        {"Plateau value", 10, 1000, &ThermalSettings::plateau, ThermalEdit::Plateau},
        {"ITT mean", 0, 255, &ThermalSettings::ittMean, ThermalEdit::IttMean},
        {"Max gain", 0, 255, &ThermalSettings::maxGain, ThermalEdit::MaxGain},
        {"DDE", 1, 63, &ThermalSettings::dde, ThermalEdit::Dde},
        {"ROI Left", 0, 639, &ThermalSettings::roiLeft, ThermalEdit::RoiLeft},
        {"ROI Top", 0, 511, &ThermalSettings::roiTop, ThermalEdit::RoiTop},
        {"ROI Right", 1, 640, &ThermalSettings::roiRight, ThermalEdit::RoiRight},
        {"ROI Bottom", 1, 512, &ThermalSettings::roiBottom, ThermalEdit::RoiBottom},
    };
    return fields;
}

constexpr std::string_view SuppOffset = "Supp. Offset";

bool isRoi(std::string_view name)
{
    return name.starts_with("ROI ");
}

} // namespace

bool ThermalPart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::isMakers(context.receiverType) && context.moduleType == ModuleType::Thermal;
}

void ThermalPart::open(SnapshotContext& context)
{
    m_timers = &context.door.timers();
    m_steps.clear();
    m_thermal = std::make_unique<ThermalControl>(context.door.link(), context.door.prompter());
    // Opening asks for the status.
    m_thermal->start();
}

void ThermalPart::startReading(SnapshotContext& context)
{
    open(context);
}

bool ThermalPart::busy() const
{
    return m_thermal
        && (m_timers->isRunning(*m_thermal, ThermalControl::StartTimerId)
            || m_timers->isRunning(*m_thermal, ThermalControl::StatusTimerId));
}

void ThermalPart::finishReading(ConfigSection& section)
{
    if (!m_thermal)
        return;
    const ThermalSettings& settings = m_thermal->settings();
    for (const ListField& field : listFields()) {
        const int index = settings.*field.setting;
        if (index >= 0 && index < static_cast<int>(field.entries.size()))
            section.set(field.name, std::string(field.entries[static_cast<std::size_t>(index)]));
    }
    for (const NumberField& field : numberFields())
        section.set(field.name, std::to_string(settings.*field.setting));
    section.set(SuppOffset, SnapshotFields::flagText(settings.suppOffset == 1));
    m_thermal.reset();
}

std::vector<std::string> ThermalPart::reportedOnly() const
{
    std::vector<std::string> names;
    for (const NumberField& field : numberFields()) {
        if (isRoi(field.name))
            names.emplace_back(field.name);
    }
    return names;
}

std::optional<std::string> ThermalPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    for (const ListField& field : listFields()) {
        if (fields.has(field.name))
            fields.choice(field.name, field.entries);
    }
    for (const NumberField& field : numberFields()) {
        if (fields.has(field.name))
            fields.number(field.name, field.lowest, field.highest);
    }
    if (fields.has(SuppOffset))
        fields.flag(SuppOffset);
    return fields.problem();
}

ThermalControls ThermalPart::controlsFor(const ConfigSection& section) const
{
    const ThermalSettings& now = m_thermal->settings();
    SnapshotFields fields(section);
    ThermalControls controls;
    for (const ListField& field : listFields()) {
        controls.*field.control = now.*field.setting;
        if (fields.has(field.name))
            controls.*field.control = fields.choice(field.name, field.entries).value_or(now.*field.setting);
    }
    for (const NumberField& field : numberFields()) {
        int value = now.*field.setting;
        if (!isRoi(field.name) && fields.has(field.name))
            value = fields.number(field.name, field.lowest, field.highest).value_or(value);
        controls.edit(field.edit) = std::to_string(value);
    }
    return controls;
}

void ThermalPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    open(context);
    // Each control reads every edit, so the controls are made once the
    // camera's own values are in, with the file's over them.
    m_steps.add([this, section] {
        const ThermalControls controls = controlsFor(section);
        SnapshotFields fields(section);
        const auto has = [&fields](std::string_view name) { return fields.has(name); };
        if (has("Flat_Field Correction"))
            m_thermal->ffcModeChosen(controls.ffcMode);
        if (has("Interval (frames)") || has("Temp. change (0.1 C)"))
            m_thermal->setFfc(controls);
        if (has("Operating mode"))
            m_thermal->operatingModeChosen(controls.operatingMode);
        if (has("Video"))
            m_thermal->videoChosen(controls.video);
        if (has("Polarity/LUT"))
            m_thermal->lutChosen(controls);
        if (has("Image Orientation"))
            m_thermal->orientationChosen(controls);
        if (has("Digital Zoom"))
            m_thermal->digitalZoomChosen(controls);
        if (has("DDE"))
            m_thermal->setDde(controls);
        if (has("Plateau value") || has("ITT mean") || has("Max gain"))
            m_thermal->setAgcParameters(controls);
        if (has(SuppOffset)) {
            const bool on = fields.flag(SuppOffset).value_or(m_thermal->settings().suppOffset == 1);
            if ((m_thermal->settings().suppOffset == 1) != on)
                m_thermal->toggleSuppOffset();
        }
    });
}

void ThermalPart::finishWriting()
{
    m_steps.clear();
    m_thermal.reset();
}

} // namespace tarn
