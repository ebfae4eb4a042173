#pragma once

#include "control/PresetPanel.h"

#include <QWidget>

class QComboBox;
class QPushButton;

namespace tarn {

class Lamp;
class ProfileStore;
class Prompter;
struct Settings;
struct TourRunFlags;

// The main window's "Presets" and "Tour/Sector/Privacy" groups. All decisions
// are the PresetPanel's; this widget shows its names and tour lamp and
// forwards the user's actions. The panel must outlive the widget.
class PresetTourBox final : public QWidget, private PresetPanelListener {
    Q_OBJECT
public:
    // `savedTour` and `runningTour` are the main window's copies that the Tour
    // Setup dialog works on.
    PresetTourBox(PresetPanel& panel, Settings& savedTour, TourRunFlags& runningTour,
                  ProfileStore& profile, Prompter& prompter, QWidget* parent = nullptr);
    ~PresetTourBox() override;

    // "Store", "Goto", the preset list, "Store ID" and "Get ID".
    void setPresetControlsEnabled(bool enabled);
    // The tour list; "Start/Stop" and "Setup" stay usable.
    void setTourListEnabled(bool enabled);

signals:
    // "Setup" was pressed, before any dialog opens: the window stops its
    // pollings first.
    void setupRequested();

private:
    void presetListChanged() override;
    void tourLampChanged(bool lit) override;
    void reselectRemembered();
    void setup();

    PresetPanel& m_panel;
    Settings& m_savedTour;
    TourRunFlags& m_runningTour;
    ProfileStore& m_profile;
    Prompter& m_prompter;
    QComboBox* m_presetList;
    QPushButton* m_store;
    QPushButton* m_goto;
    QPushButton* m_storeId;
    QPushButton* m_getId;
    QComboBox* m_tourList;
    QPushButton* m_startStop;
    Lamp* m_tourLamp;
    QPushButton* m_setup;
};

} // namespace tarn
