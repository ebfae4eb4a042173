#pragma once

#include "programming/ScreenPrivacy.h"

#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class ScreenPrivacyDialog;
}

namespace tarn {

class DialogDoor;
class PTControl;
class Timers;
struct PadSetup;

// "Screen Privacy Zone Setup": the masked areas the day/night camera module
// draws over its picture. The decisions are ScreenPrivacy's; this dialog
// forwards the controls and redraws from its state. The embedded pad is the
// main window's, 123 x 123 without the nudge buttons. Enter and Escape move
// on like Tab, so only "Close" (or the close box) ends it.
class ScreenPrivacyDialog final : public QDialog {
    Q_OBJECT
public:
    ScreenPrivacyDialog(CameraLink& link, Prompter& prompter, const PadSetup& pad, QWidget* parent = nullptr);
    ~ScreenPrivacyDialog() override;

    // Opened from the picture-control dialog, over it; returns once closed.
    static void run(DialogDoor& door, QWidget* parent);

    ScreenPrivacy& logic() { return m_privacy; }
    PTControl& pad();

private:
    void preparePad(const PadSetup& setup, Timers& timers);
    void connectControls();
    void refresh();

    std::unique_ptr<Ui::ScreenPrivacyDialog> m_ui;
    ScreenPrivacy m_privacy;
    QButtonGroup* m_modes = nullptr;
};

} // namespace tarn
