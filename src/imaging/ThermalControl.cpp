#include "imaging/ThermalControl.h"

#include "core/Messages.h"
#include "imaging/ThermalStatusReply.h"
#include "link/CameraLink.h"
#include "link/Protocols.h"
#include "link/ReplyRouter.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"

#include <algorithm>
#include <optional>

namespace tarn {

namespace {

constexpr int DdeOffset = 15; // the DDE byte stays clear of the control characters

struct EditRange {
    ThermalEdit edit;
    int ThermalSettings::*setting;
    int minimum;
    int maximum;
};

// Read in this order; the ROI edits take the larger sensor's ranges whatever
// the camera reported (ROI "Set" checks the reported sensor itself).
constexpr std::array<EditRange, static_cast<std::size_t>(ThermalEdit::Count)> EditRanges = {{
    {ThermalEdit::FfcInterval, &ThermalSettings::ffcInterval, 0, 30000},
    {ThermalEdit::FfcTemperatureChange, &ThermalSettings::ffcTemperatureChange, 0, 100},
    {ThermalEdit::Plateau, &ThermalSettings::plateau, 10, 1000},
    {ThermalEdit::IttMean, &ThermalSettings::ittMean, 0, 255},
    {ThermalEdit::MaxGain, &ThermalSettings::maxGain, 0, 255},
    {ThermalEdit::RoiLeft, &ThermalSettings::roiLeft, 0, 639},
    {ThermalEdit::RoiTop, &ThermalSettings::roiTop, 0, 511},
    {ThermalEdit::RoiRight, &ThermalSettings::roiRight, 1, 640},
    {ThermalEdit::RoiBottom, &ThermalSettings::roiBottom, 1, 512},
    {ThermalEdit::Dde, &ThermalSettings::dde, 1, 63},
}};

// The AGC presets: plateau (-1 keeps the edit's value), ITT mean, max gain.
struct AgcPreset {
    int plateau;
    int ittMean;
    int maxGain;
};
constexpr std::array<AgcPreset, 3> AgcPresets = {{
    {-1, 110, 15},  // "Default(Outdoors)"
    {150, 110, 18}, // "Low Scene Contrast"
    {100, 120, 10}, // "Indoors"
}};

// The ROI limits of the smaller sensor (320 x 256); the larger one's are the
// edits' own ranges.
constexpr int SmallSensorWidth = 320;
constexpr int SmallSensorHeight = 256;


} // namespace

ThermalControl::ThermalControl(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::Thermal, PicturePumpConfig)
{
    m_pump.setInitialising(true);
}

ThermalControl::~ThermalControl()
{
    m_link.timers().stopAll(*this);
}

void ThermalControl::start()
{
    m_pump.setInitialising(false);
    m_link.timers().start(*this, StartTimerId, StartDelayMs);
}

std::array<std::string_view, ThermalControl::RoiRangeLabelCount> ThermalControl::roiRangeLabels() const
{
    std::array<std::string_view, RoiRangeLabelCount> labels{};
    const std::string_view* texts = m_settings.resolution == 1   ? Messages::RoiRanges640x512
                                    : m_settings.resolution == 0 ? Messages::RoiRanges320x256
                                                                 : nullptr;
    if (texts)
        std::copy_n(texts, RoiRangeLabelCount, labels.begin());
    return labels;
}

bool ThermalControl::readControls(const ThermalControls& controls)
{
    // All or nothing: a refused edit leaves every setting as it was, and the
    // caller sends nothing.
    ThermalSettings read = m_settings;
    for (const EditRange& range : EditRanges) {
        const std::optional<int> value = askNumberEdit(m_prompter, controls.edit(range.edit), range.minimum,
                                                       range.maximum);
        if (!value) {
            m_refusedEdit = range.edit;
            return false;
        }
        read.*range.setting = *value;
    }
    read.ffcMode = controls.ffcMode;
    read.operatingMode = controls.operatingMode;
    read.video = controls.video;
    read.lut = controls.lut;
    read.orientation = controls.orientation;
    read.digitalZoom = controls.digitalZoom;
    read.agcPreset = controls.agcPreset;
    read.suppOffset = controls.suppOffset ? 1 : 0;
    m_settings = read;
    m_refusedEdit = ThermalEdit::None;
    return true;
}

void ThermalControl::ffcModeChosen(int mode)
{
    if (m_pump.initialising() || mode < 0 || mode > 2)
        return;
    m_settings.ffcMode = mode;
    m_pump.append(Messages::format("tW%d", mode));
}

void ThermalControl::setFfc(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    m_pump.append(Messages::format("tk%05d%03d", m_settings.ffcInterval, m_settings.ffcTemperatureChange));
}

void ThermalControl::doFfc()
{
    if (!m_pump.initialising())
        m_pump.append("tr");
}

void ThermalControl::operatingModeChosen(int mode)
{
    if (m_pump.initialising() || mode < 0 || mode > 1)
        return;
    m_settings.operatingMode = mode;
    m_pump.append(Messages::format("tF%d", mode));
}

void ThermalControl::videoChosen(int video)
{
    if (m_pump.initialising() || video < 0 || video > 1)
        return;
    m_settings.video = video;
    m_pump.append(Messages::format("tB%d", video));
}

void ThermalControl::saveUserSettings()
{
    m_pump.append("tsS");
}

void ThermalControl::recallUserSettings()
{
    sendWithStatusLater("tss");
}

void ThermalControl::resetCamera()
{
    sendWithStatusLater("tsR");
}

void ThermalControl::restoreFactoryDefaults()
{
    sendWithStatusLater("tsD");
}

void ThermalControl::sendWithStatusLater(std::string_view command)
{
    m_pump.append(command);
    m_link.timers().start(*this, StatusTimerId, StatusDelayMs);
}

void ThermalControl::sendIndexCharacter(const char* prefix, int index, int highest)
{
    if (index < 0 || index > highest)
        return;
    m_pump.append(std::string(prefix) + static_cast<char>('0' + index));
}

void ThermalControl::lutChosen(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    sendIndexCharacter("tC", m_settings.lut, 11);
}

void ThermalControl::orientationChosen(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    sendIndexCharacter("ti", m_settings.orientation, 3);
}

void ThermalControl::digitalZoomChosen(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    sendIndexCharacter("tX", m_settings.digitalZoom, 3);
}

void ThermalControl::setDde(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    m_pump.append(std::string("td") + static_cast<char>(m_settings.dde + DdeOffset));
}

void ThermalControl::toggleSuppOffset()
{
    m_settings.suppOffset = m_settings.suppOffset == 1 ? 0 : 1;
    m_pump.append(m_settings.suppOffset == 1 ? "tS1" : "tS0");
    changed();
}

void ThermalControl::focusPressed(Focus direction)
{
    if (!m_pump.initialising())
        m_pump.append(direction == Focus::Near ? "tfN" : "tfF");
}

void ThermalControl::focusReleased()
{
    if (!m_pump.initialising())
        m_pump.append("tfS");
}

void ThermalControl::setAgcParameters(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    changed();
    m_pump.append(Messages::format("tA%04d%03d%03d", m_settings.plateau, m_settings.ittMean, m_settings.maxGain));
}

void ThermalControl::agcPresetChosen(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    const int index = m_settings.agcPreset;
    if (index < 0 || index >= static_cast<int>(AgcPresets.size()))
        return;
    const AgcPreset& preset = AgcPresets[static_cast<std::size_t>(index)];
    if (preset.plateau >= 0)
        m_settings.plateau = preset.plateau;
    m_settings.ittMean = preset.ittMean;
    m_settings.maxGain = preset.maxGain;
    changed();
    m_pump.append(Messages::format("tA%04d%03d%03d", m_settings.plateau, m_settings.ittMean, m_settings.maxGain));
}

bool ThermalControl::roiFitsTheSensor() const
{
    if (m_settings.resolution != 0)
        return true; // the larger sensor's limits are the edits' own
    return m_settings.roiLeft <= SmallSensorWidth - 1 && m_settings.roiRight <= SmallSensorWidth
        && m_settings.roiTop <= SmallSensorHeight - 1 && m_settings.roiBottom <= SmallSensorHeight;
}

void ThermalControl::setRoi(const ThermalControls& controls)
{
    if (m_pump.initialising() || !readControls(controls))
        return;
    const ThermalSettings& s = m_settings;
    if (!roiFitsTheSensor() || s.roiLeft >= s.roiRight || s.roiTop >= s.roiBottom) {
        m_prompter.showMessage(Messages::RoiNotInRange, {}, MessageIcon::Warning);
        return;
    }
    // The camera's order: left, top, right, bottom.
    m_pump.append(Messages::format("tR%03d%03d%03d%03d", s.roiLeft, s.roiTop, s.roiRight, s.roiBottom));
}

void ThermalControl::enablePassThrough()
{
    if (!m_prompter.askYesNo(Messages::EnablePassThroughQuestion, Messages::ThermalControlTitle,
                             MessageIcon::Warning, DefaultButton::Second))
        return;
    m_pump.append("tPe");
}

void ThermalControl::requestStatus()
{
    m_pump.append("tDS");
}

bool ThermalControl::accept(const ThermalControls& controls)
{
    if (!readControls(controls))
        return false;
    changed();
    return true;
}

void ThermalControl::statusRequest()
{
    if (m_link.state().protocolIndex != Protocol::Javelin) {
        m_pump.append("tDS");
        return;
    }
    m_link.state().replyWanted = true;
    m_link.queue().append(std::span<const std::uint8_t>(JavelinStatusRequest));
    m_link.timers().start(m_pump, PicturePumpConfig.sendTimerId, JavelinPumpDelayMs);
}

void ThermalControl::replyReceived(std::span<const std::uint8_t> frame)
{
    ThermalStatusReply::apply(frame, ReplyRouter::letterPosition(frame, m_link.state().protocolIndex), m_settings);
    changed();
}

void ThermalControl::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    if (id == StartTimerId) {
        // Opening the dialog puts the camera's flat-field correction on Manual.
        m_pump.append("tW0");
        m_link.timers().start(*this, StatusTimerId, StatusDelayMs);
    } else if (id == StatusTimerId) {
        statusRequest();
    }
}

} // namespace tarn
