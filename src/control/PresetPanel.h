#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class ProfileStore;

// Whoever shows the preset list and the tour lamp. Told after each change;
// it reads the names, the remembered index and the lamp back from the panel.
class PresetPanelListener {
public:
    // The names or the remembered index changed: refill the list, reselect the
    // remembered index and show its name in the edit field.
    virtual void presetListChanged() = 0;
    virtual void tourLampChanged(bool lit) = 0;

protected:
    ~PresetPanelListener() = default;
};

// The main window's presets and tours without any widget: the 64 preset
// names, the preset commands, the camera's name replies and the tour
// Start/Stop. Every command goes through the link's queue.
class PresetPanel {
public:
    static constexpr int PresetCount = 64;
    static constexpr std::size_t NameLength = 24;
    static constexpr int TourCount = 8;
    // The list's selection when no entry is selected.
    static constexpr int NoSelection = -1;

    PresetPanel(CameraLink& link, ProfileStore& profile);

    void setListener(PresetPanelListener* listener) { m_listener = listener; }

    // The character that stands for preset `index` (0..63) in the camera's
    // commands.
    static std::uint8_t presetCode(int index);
    // "Preset 1" .. "Preset 64".
    static std::string defaultName(int index);

    const std::array<std::string, PresetCount>& names() const { return m_names; }
    const std::string& name(int index) const;
    // The preset the name commands and name replies refer to.
    int rememberedIndex() const { return m_remembered; }
    // The list's own selection (NoSelection when none).
    int listSelection() const { return m_selection; }

    // The user picked another list entry: remember it and ask the camera for
    // its name.
    void selectionChanged(int index);
    // The list lost the focus (or Enter was pressed in it) with `text` in its
    // edit field.
    void editFinished(std::string_view text);
    // After the Setup and DSP Status dialogs: back to the first preset,
    // without asking the camera.
    void selectFirst();

    void store();      // "Store"
    void gotoPreset(); // "Goto"
    void storeId();    // "Store ID"
    void getId();      // "Get ID"

    // A 'd' reply that no open dialog took: the remembered preset's name.
    void presetNameReply(std::span<const std::uint8_t> frame);

    void setTourIndex(int index);
    int tourIndex() const { return m_tourIndex; }
    void startStopTour(); // "Start/Stop"
    // The camera leaves its tour when moved by hand: zoom, focus and pan/tilt
    // pad commands of the main panel.
    void tourInterrupted();
    bool tourRunning() const { return m_tourRunning; }
    bool tourLampLit() const { return m_tourLampLit; }

    // "Setup" opens the console's own Tour Setup dialog only for receivers
    // that are not one of the maker's cameras.
    bool setupOpensTourSetupDialog() const;

    // The name as "Store ID" sends it: 24 characters, anything the camera
    // cannot show turned into a space.
    static std::string cameraName(std::string_view name);

private:
    bool makersCamera() const;
    bool javelin() const;
    void queuePresetFrame(std::uint8_t arg);
    void setTourLamp(bool lit);
    void listChanged();

    CameraLink& m_link;
    ProfileStore& m_profile;
    PresetPanelListener* m_listener = nullptr;
    std::array<std::string, PresetCount> m_names;
    int m_remembered = 0;
    int m_selection = 0;
    int m_tourIndex = 0;
    bool m_tourRunning = false;
    bool m_tourLampLit = false;
};

} // namespace tarn
