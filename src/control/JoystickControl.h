#pragma once

#include "control/JoystickDrive.h"
#include "control/MainPanel.h"
#include "core/JoystickSettings.h"
#include "link/DialogDoor.h"
#include "platform/StickInput.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

class CameraLink;
class PresetPanel;

// The stick on the main panel, without any widget: pan and tilt through the
// pad's texts (JoystickDrive), the zoom from an axis or the triggers, focus
// and iris from buttons as the lens buttons are held, presets 1 to 8 chosen
// and "Goto" pressed from buttons. Whatever makes the stick stop driving (it
// is pulled out, the window loses the focus, the link goes, a dialog opens)
// sends the stops once; the stick then drives again only after it was let go.
class JoystickControl final : public StickListener {
public:
    JoystickControl(StickInput& input, MainPanel& panel, PresetPanel& presets, CameraLink& link,
                    std::function<PadSetup()> padSetup);
    ~JoystickControl();
    JoystickControl(const JoystickControl&) = delete;
    JoystickControl& operator=(const JoystickControl&) = delete;

    void setSettings(const JoystickSettings& settings);
    const JoystickSettings& settings() const { return m_settings; }
    // A stick came or went: its name, or "" (the status line).
    void setPlugged(std::function<void(const std::string& name)> plugged) { m_plugged = std::move(plugged); }
    // After every look at the stick (the settings page's live axes).
    void setPolled(std::function<void(const StickState& state)> polled) { m_polled = std::move(polled); }
    // A preset button chose preset `index` (0..7) in the list.
    void setPresetChosen(std::function<void(int index)> chosen) { m_presetChosen = std::move(chosen); }

    // While a dialog is open the stick drives nothing; blocking it stops
    // what it drove.
    void setBlocked(bool blocked);
    bool blocked() const { return m_blocked; }
    // The stops of whatever the stick drives go out now, once.
    void safeStop();
    bool driving() const { return m_drive.moving() || m_lens.has_value(); }

    void stickPolled(const StickState& state, bool plugged) override;

private:
    std::optional<LensButton> wantedLens(const StickState& state) const;
    void driveLens(const StickState& state);
    void pressButtons(const StickState& state);

    StickInput& m_input;
    MainPanel& m_panel;
    PresetPanel& m_presets;
    CameraLink& m_link;
    std::function<PadSetup()> m_padSetup;
    JoystickSettings m_settings;
    JoystickDrive m_drive;
    std::optional<LensButton> m_lens;
    // After a safe stop the lens waits until nothing asks for it.
    bool m_lensLatched = false;
    bool m_blocked = false;
    std::vector<bool> m_lastButtons;
    std::function<void(const std::string&)> m_plugged;
    std::function<void(const StickState&)> m_polled;
    std::function<void(int)> m_presetChosen;
};

} // namespace tarn
