#pragma once

#include "programming/LensMaintenance.h"

#include <QDialog>

#include <memory>

namespace Ui {
class LensMaintenanceDialog;
}

namespace tarn {

class DialogDoor;

// "Lens Maintenance" (template resources/LensMaintenanceDialog.ui), opened
// from the Setup dialog. The decisions are LensMaintenance's; this view
// forwards the operator's choices and redraws after every camera reply.
class LensMaintenanceDialog final : public QDialog {
    Q_OBJECT
public:
    // Opening drops what is still queued, takes the camera's 'm' replies and
    // asks for the lens status.
    explicit LensMaintenanceDialog(DialogDoor& door, QWidget* parent = nullptr);
    ~LensMaintenanceDialog() override;

    // Opens it modally over `parent`; returns when it is closed.
    static int run(DialogDoor& door, QWidget* parent);

    LensMaintenance& logic() { return m_logic; }

private:
    void connectControls();
    void refresh();

    std::unique_ptr<Ui::LensMaintenanceDialog> m_ui;
    LensMaintenance m_logic;
};

} // namespace tarn
