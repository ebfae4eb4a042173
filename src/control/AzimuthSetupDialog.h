#pragma once

#include "control/AzimuthSetup.h"

#include <QDialog>

#include <memory>

namespace Ui {
class AzimuthSetupDialog;
}

namespace tarn {

// "Azimuth Setup": the camera's north direction, direction read-outs and
// automatic status responses. The decisions are AzimuthSetup's; this dialog
// shows its state and forwards the operator's actions. Its "OK" is hidden:
// "Close" ends it.
class AzimuthSetupDialog final : public QDialog {
    Q_OBJECT
public:
    AzimuthSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~AzimuthSetupDialog() override;

private:
    void connectButtons();
    void setDelayTime();
    void refresh();

    std::unique_ptr<Ui::AzimuthSetupDialog> m_ui;
    AzimuthSetup m_setup;
    int m_shownDelay = -1;
};

} // namespace tarn
