#include "config/DspPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "imaging/AlderHdDspWire.h"
#include "link/DialogDoor.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarn {
namespace {

using Choices = std::vector<std::string_view>;

// A list or radio setting: its caption, its entries, where the dialog keeps
// it, and the control that sets it.
struct ListField {
    std::string_view name;
    Choices entries;
    int DspControls::*control;
    void (AlderHdDsp::*choose)(int);
};

// In writing order: stabilisation before WDR and the shutter, which it rules out.
const std::vector<ListField>& listFields()
{
    static const std::vector<ListField> fields = {
        {"EIS", {"Off", "On"}, &DspControls::eis, &AlderHdDsp::setEis},
        {"Frequency", {"16Hz (default)", "5Hz"}, &DspControls::eisFrequency, &AlderHdDsp::selectEisFrequency},
        {"WDR", {"Off", "On"}, &DspControls::wdr, &AlderHdDsp::setWdr},
        {"BLC", {"Off", "On"}, &DspControls::blc, &AlderHdDsp::setBlc},
        {"Day/Night Cntrl", {"Auto", "Color", "Mono"}, &DspControls::dayNightMode, &AlderHdDsp::setDayNightMode},
        {"IR Illuminator Option", {"None", "Mode1", "Mode2"}, &DspControls::irMode, &AlderHdDsp::setIrMode},
        {"Shutter",
         {"Auto", "1/4", "1/8", "1/15", "1/30", "1/50", "1/60", "1/100", "1/120", "1/180", "1/250", "1/500", "1/1000",
          "1/2000", "1/4000", "1/10000"},
         &DspControls::shutter, &AlderHdDsp::selectShutter},
        {"Digital Slow Limit", {"Off", "1/4", "1/8", "1/15"}, &DspControls::slowLimit, &AlderHdDsp::selectSlowLimit},
        {"White Balance", {"Auto (Normal)", "Manual", "Auto (HPS)"}, &DspControls::whiteBalance,
         &AlderHdDsp::setWhiteBalance},
        {"Auto WB", {"Indoor", "Outdoor"}, &DspControls::indoorOutdoor, &AlderHdDsp::setIndoorOutdoor},
        {"Aperture Level", {"Auto", "Manual"}, &DspControls::apertureMode, &AlderHdDsp::setApertureMode},
        {"Set Digital Zoom", {"Off", "2X", "5X", "10X", "12X"}, &DspControls::digitalZoom,
         &AlderHdDsp::selectDigitalZoom},
        {"Auto Focus Type", {"No PLS", "PLS Type A", "PLS Type A&B", "PLS Type C"}, &DspControls::autoFocusType,
         &AlderHdDsp::selectAutoFocusType},
        {"Min. Focus Distance", {"1m", "3m"}, &DspControls::minFocusDistance, &AlderHdDsp::selectMinFocusDistance},
    };
    return fields;
}

// A level typed in an edit and set by its button.
struct LevelField {
    std::string_view name;
    int lowest;
    int highest;
    std::string DspControls::*text;
    void (AlderHdDsp::*edit)(std::string_view);
    void (AlderHdDsp::*set)();
};

const std::array<LevelField, 3>& levelFields()
{
    static const std::array<LevelField, 3> fields = {{
        {"Max AGC gain", 1, 40, &DspControls::maxAgc, &AlderHdDsp::setMaxAgcText, &AlderHdDsp::setMaxAgc},
        {"Horizontal aperture level", 1, 31, &DspControls::apertureHorizontal, &AlderHdDsp::setApertureHorizontalText,
         &AlderHdDsp::setApertureHorizontal},
        {"Vertical aperture level", 1, 31, &DspControls::apertureVertical, &AlderHdDsp::setApertureVerticalText,
         &AlderHdDsp::setApertureVertical},
    }};
    return fields;
}

constexpr std::array<int, 16> DialogTimers = {
    AlderHdDspWire::Timer::Status,          AlderHdDspWire::Timer::WdrAfterEis,
    AlderHdDspWire::Timer::ShutterAfterEis, AlderHdDspWire::Timer::FocusRead,
    AlderHdDspWire::Timer::MinFocusFar,     AlderHdDspWire::Timer::MinFocusNear,
    AlderHdDspWire::Timer::AutoFocusTypeRead, AlderHdDspWire::Timer::FocusAreaReset,
    AlderHdDspWire::Timer::FocusTriggerOn,  AlderHdDspWire::Timer::FocusTriggerOff,
    AlderHdDspWire::Timer::FocusStepA9,     AlderHdDspWire::Timer::FocusStepAA,
    AlderHdDspWire::Timer::FocusStepFE,     AlderHdDspWire::Timer::AutoFocusTypeReadBack,
    AlderHdDspWire::Timer::MinFocusRead,    AlderHdDspWire::Timer::Status,
};

} // namespace

bool DspPart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::isMakers(context.receiverType) && context.moduleType == ModuleType::DayNight;
}

void DspPart::open(SnapshotContext& context)
{
    m_timers = &context.door.timers();
    m_steps.clear();
    m_dsp = std::make_unique<AlderHdDsp>(context.door.link(), context.door.prompter());
    // Opening asks for the status and the focus registers.
    m_dsp->initialise();
}

void DspPart::startReading(SnapshotContext& context)
{
    open(context);
}

bool DspPart::busy() const
{
    if (!m_dsp)
        return false;
    for (const int timer : DialogTimers) {
        if (m_timers->isRunning(*m_dsp, timer))
            return true;
    }
    return false;
}

void DspPart::finishReading(ConfigSection& section)
{
    if (!m_dsp)
        return;
    const DspControls& controls = m_dsp->controls();
    for (const ListField& field : listFields()) {
        const int index = controls.*field.control;
        // A setting the camera did not report shows no entry.
        if (index >= 0 && index < static_cast<int>(field.entries.size()))
            section.set(field.name, std::string(field.entries[static_cast<std::size_t>(index)]));
    }
    for (const LevelField& field : levelFields())
        section.set(field.name, controls.*field.text);
    m_dsp.reset();
}

std::optional<std::string> DspPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    for (const ListField& field : listFields()) {
        if (fields.has(field.name))
            fields.choice(field.name, field.entries);
    }
    for (const LevelField& field : levelFields()) {
        if (fields.has(field.name))
            fields.number(field.name, field.lowest, field.highest);
    }
    return fields.problem();
}

void DspPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    open(context);
    SnapshotFields fields(section);
    const std::vector<std::string> reported = reportedOnly();
    for (const ListField& field : listFields()) {
        if (!fields.has(field.name) || std::find(reported.begin(), reported.end(), field.name) != reported.end())
            continue;
        if (const auto index = fields.choice(field.name, field.entries))
            m_steps.add([this, &field, index = *index] { (m_dsp.get()->*field.choose)(index); });
    }
    for (const LevelField& field : levelFields()) {
        if (!fields.has(field.name))
            continue;
        if (const auto level = fields.number(field.name, field.lowest, field.highest)) {
            m_steps.add([this, &field, level = *level] {
                (m_dsp.get()->*field.edit)(std::to_string(level));
                (m_dsp.get()->*field.set)();
            });
        }
    }
}

void DspPart::finishWriting()
{
    m_steps.clear();
    m_dsp.reset();
}

} // namespace tarn
