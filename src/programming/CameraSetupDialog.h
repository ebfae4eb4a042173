#pragma once

#include "programming/CameraSetup.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CameraSetupDialog;
}

namespace tarn {

// "Setup": the console's link settings and the programming of the camera at
// the current address. The decisions are CameraSetup's; this dialog forwards
// the operator's actions and redraws from its state. Enter and Escape move on
// like Tab, so only "OK" and "Cancel" close it.
class CameraSetupDialog final : public QDialog {
    Q_OBJECT
public:
    CameraSetupDialog(CameraLink& link, Prompter& prompter, SetupValues values,
                      std::vector<SerialPortEntry> ports, QWidget* parent = nullptr);
    ~CameraSetupDialog() override;

    // The values to take back after OK, and the port chosen.
    const CameraSetup& setup() const { return m_setup; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillLists();
    void connectControls();
    void refresh();
    bool turnsIntoTab(QEvent* event);
    // Opened from here; wired up with the maintenance dialogs.
    void openLensMaintenance();
    void openOtherMaintenance();

    std::unique_ptr<Ui::CameraSetupDialog> m_ui;
    CameraSetup m_setup;
};

} // namespace tarn
