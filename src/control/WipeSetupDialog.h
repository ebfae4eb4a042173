#pragma once

#include "control/WipeSetup.h"

#include <QDialog>

#include <memory>

namespace Ui {
class WipeSetupDialog;
}

namespace tarn {

// "Wipe Setup": the housing wiper's times and module. The decisions are
// WipeSetup's; this dialog shows its state and forwards the operator's
// actions. Enter and Escape move on like Tab, so only "Close" (or the
// window's own close) ends it.
class WipeSetupDialog final : public QDialog {
    Q_OBJECT
public:
    WipeSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~WipeSetupDialog() override;

private:
    void set();
    void refresh();

    std::unique_ptr<Ui::WipeSetupDialog> m_ui;
    WipeSetup m_setup;
};

} // namespace tarn
