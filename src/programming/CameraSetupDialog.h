#pragma once

#include "programming/CameraSetup.h"

#include <QDialog>

#include <functional>
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

    // How the maintenance dialogs open: they need the whole console, which
    // only the main window has. "Other Setup" gets the camera type shown here.
    struct MaintenanceOpeners {
        std::function<void(QWidget* parent)> lens;
        std::function<void(int cameraType, QWidget* parent)> other;
    };
    void setMaintenanceOpeners(MaintenanceOpeners openers) { m_openers = std::move(openers); }

private:
    void fillLists();
    void connectControls();
    void refresh();
    void openLensMaintenance();
    void openOtherMaintenance();

    std::unique_ptr<Ui::CameraSetupDialog> m_ui;
    CameraSetup m_setup;
    MaintenanceOpeners m_openers;
};

} // namespace tarn
