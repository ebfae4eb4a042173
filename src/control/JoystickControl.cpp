#include "control/JoystickControl.h"

#include "control/PresetPanel.h"
#include "link/CameraLink.h"

#include <cstddef>
#include <utility>

namespace tarn {

namespace {

// A trigger or the zoom axis counts from half way: a zoom has one speed.
constexpr double ZoomThreshold = 0.5;

} // namespace

JoystickControl::JoystickControl(StickInput& input, MainPanel& panel, PresetPanel& presets, CameraLink& link,
                                 std::function<PadSetup()> padSetup)
    : m_input(input)
    , m_panel(panel)
    , m_presets(presets)
    , m_link(link)
    , m_padSetup(std::move(padSetup))
{
    m_drive.setSettings(m_settings);
    m_input.setListener(this);
}

JoystickControl::~JoystickControl()
{
    m_input.setListener(nullptr);
}

void JoystickControl::setSettings(const JoystickSettings& settings)
{
    // A new map could read another axis as deflected: end what runs first.
    safeStop();
    m_settings = settings;
    m_drive.setSettings(settings);
}

void JoystickControl::setBlocked(bool blocked)
{
    if (blocked)
        safeStop();
    m_blocked = blocked;
}

void JoystickControl::safeStop()
{
    const std::string stop = m_drive.stop();
    if (!stop.empty())
        m_panel.ptCommand(stop);
    if (m_lens) {
        m_panel.lensReleased();
        m_lens.reset();
    }
    m_lensLatched = true;
}

void JoystickControl::stickPolled(const StickState& state, bool plugged)
{
    if (plugged) {
        // Pulled out while deflected: its last position must not go on driving.
        if (!state.present())
            safeStop();
        m_lastButtons = state.buttons;
        if (m_plugged)
            m_plugged(state.name);
    }
    if (m_polled)
        m_polled(state);
    if (m_blocked || !state.present()) {
        // A button held through a dialog is no press when it closes.
        m_lastButtons = state.buttons;
        return;
    }

    if (m_panel.enabling().pad) {
        const PadSetup pad = m_padSetup ? m_padSetup() : PadSetup{};
        m_drive.setPad(pad.panTiltType, pad.panSpeed, pad.tiltSpeed);
        const std::string text = m_drive.update(state.axis(m_settings.panAxis), state.axis(m_settings.tiltAxis),
                                                m_link.queue().empty());
        if (!text.empty())
            m_panel.ptCommand(text);
    }
    driveLens(state);
    pressButtons(state);
}

std::optional<LensButton> JoystickControl::wantedLens(const StickState& state) const
{
    if (m_panel.enabling().zoom) {
        if (m_settings.zoomAxis == JoystickSettings::TriggerZoom) {
            if (state.axis(m_settings.zoomInTrigger) > ZoomThreshold)
                return LensButton::ZoomIn;
            if (state.axis(m_settings.zoomOutTrigger) > ZoomThreshold)
                return LensButton::ZoomOut;
        } else if (m_settings.zoomAxis >= 0) {
            // Pushed away (up, negative) zooms in.
            double zoom = -state.axis(m_settings.zoomAxis);
            if (m_settings.invertZoom)
                zoom = -zoom;
            zoom = JoystickDrive::shape(zoom, m_settings.deadzonePercent, 0);
            if (zoom > ZoomThreshold)
                return LensButton::ZoomIn;
            if (zoom < -ZoomThreshold)
                return LensButton::ZoomOut;
        }
    }
    if (m_panel.focusButtonsEnabled()) {
        if (state.button(m_settings.focusNearButton))
            return LensButton::FocusNear;
        if (state.button(m_settings.focusFarButton))
            return LensButton::FocusFar;
    }
    if (m_panel.irisButtonsEnabled()) {
        if (state.button(m_settings.irisOpenButton))
            return LensButton::IrisOpen;
        if (state.button(m_settings.irisCloseButton))
            return LensButton::IrisClose;
    }
    return std::nullopt;
}

void JoystickControl::driveLens(const StickState& state)
{
    const auto wanted = wantedLens(state);
    if (m_lensLatched) {
        m_lensLatched = wanted.has_value();
        return;
    }
    if (wanted == m_lens)
        return;
    // One lens function at a time, as with the hold buttons.
    if (m_lens)
        m_panel.lensReleased();
    m_lens = wanted;
    if (m_lens)
        m_panel.lensPressed(*m_lens);
}

void JoystickControl::pressButtons(const StickState& state)
{
    const auto pressedNow = [&](int index) {
        const bool before = index >= 0 && static_cast<std::size_t>(index) < m_lastButtons.size()
                         && m_lastButtons[static_cast<std::size_t>(index)];
        return state.button(index) && !before;
    };
    if (m_panel.enabling().presets) {
        for (std::size_t i = 0; i < m_settings.presetButtons.size(); ++i) {
            if (!pressedNow(m_settings.presetButtons[i]))
                continue;
            m_presets.selectionChanged(static_cast<int>(i));
            if (m_presetChosen)
                m_presetChosen(static_cast<int>(i));
        }
        if (pressedNow(m_settings.gotoButton))
            m_presets.gotoPreset();
    }
    m_lastButtons = state.buttons;
}

} // namespace tarn
