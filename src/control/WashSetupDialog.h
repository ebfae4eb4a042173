#pragma once

#include "control/WashSetup.h"

#include <QDialog>

#include <memory>

namespace Ui {
class WashSetupDialog;
}

namespace tarn {

// "Wash Setup": the housing washer's time, automatic wash frequency and
// manual wash. The decisions are WashSetup's; this dialog shows its state
// and forwards the operator's actions. Enter and Escape move on like Tab,
// so only "Close" (or the window's own close) ends it.
class WashSetupDialog final : public QDialog {
    Q_OBJECT
public:
    // The frequency field holds three digits: the camera may report more
    // than the 10 minutes the arrows reach.
    static constexpr int HighestFrequencyShown = 999;

    WashSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~WashSetupDialog() override;

private:
    void set();
    void refresh();

    std::unique_ptr<Ui::WashSetupDialog> m_ui;
    WashSetup m_setup;
};

} // namespace tarn
