#pragma once

#include "control/PresetPanel.h"

#include <QWidget>

class QComboBox;
class QPushButton;

namespace tarn {

class Lamp;

// The main window's "Presets" and "Tour/Sector/Privacy" groups. All decisions
// are the PresetPanel's; this widget shows its names and tour lamp and
// forwards the user's actions. The panel must outlive the widget.
class PresetTourBox final : public QWidget, private PresetPanelListener {
    Q_OBJECT
public:
    explicit PresetTourBox(PresetPanel& panel, QWidget* parent = nullptr);
    ~PresetTourBox() override;

    // "Store", "Goto", the preset list, "Store ID" and "Get ID".
    void setPresetControlsEnabled(bool enabled);
    // The tour list; "Start/Stop" and "Setup" stay usable.
    void setTourListEnabled(bool enabled);

    // The list shows the preset the panel remembers (one chosen elsewhere,
    // by a joystick button).
    void reselectRemembered();

signals:
    // "Setup" was pressed: the window opens the dialog that fits the camera.
    void setupRequested();

private:
    void presetListChanged() override;
    void tourLampChanged(bool lit) override;

    PresetPanel& m_panel;
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
