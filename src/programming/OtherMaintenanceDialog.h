#pragma once

#include "programming/OtherMaintenance.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLineEdit;
class QRadioButton;
class QPushButton;

namespace Ui {
class OtherMaintenanceDialog;
}

namespace tarn {

class DialogDoor;

// "Other Maintenance" (template resources/OtherMaintenanceDialog.ui), opened
// from the Setup dialog's "Other Setup". The decisions are
// OtherMaintenance's; this view forwards clicks and redraws from its state.
class OtherMaintenanceDialog final : public QDialog {
    Q_OBJECT
public:
    // Waits `ms` while the line, the timers and the socket keep working.
    using Pause = std::function<void(int ms)>;

    // `cameraType` is the one the Setup dialog shows.
    OtherMaintenanceDialog(DialogDoor& door, int cameraType, QWidget* parent = nullptr);
    ~OtherMaintenanceDialog() override;

    // The Setup dialog's way of opening it: a pause of 1000 ms, the dialog
    // modally, a pause of 500 ms (1000 ms after OK); then nothing it queued
    // is sent later. Returns the dialog's result.
    static int run(DialogDoor& door, int cameraType, QWidget* parent,
                   const Pause& pause = pauseKeepingTheLine);
    // Runs the event loop for `ms` without taking the operator's input.
    static void pauseKeepingTheLine(int ms);

    OtherMaintenance& logic() { return m_logic; }

private:
    struct LogControls {
        QLineEdit* file;
        QPushButton* browse;
        QRadioButton* record;
        QRadioButton* stopRecord;
    };

    void connectControls();
    void connectLog(OtherMaintenance::Log log, const LogControls& controls);
    void refresh();

    std::unique_ptr<Ui::OtherMaintenanceDialog> m_ui;
    OtherMaintenance m_logic;
};

} // namespace tarn
