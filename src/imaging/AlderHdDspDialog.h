#pragma once

#include "imaging/AlderHdDsp.h"

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace Ui {
class AlderHdDspDialog;
}

namespace tarn {

class CameraLink;
class Prompter;

// "AlderHD DSP Camera Control": the picture settings of the day/night camera
// block. The decisions are AlderHdDsp's; this dialog forwards the controls
// and redraws from its state after every change. Enter and Escape move on
// like Tab, so only "Close" (or the close box) ends it.
class AlderHdDspDialog final : public QDialog {
    Q_OBJECT
public:
    AlderHdDspDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~AlderHdDspDialog() override;

    // The logic; it takes the picture replies for as long as the dialog exists.
    AlderHdDsp& logic() { return m_dsp; }
    // "Setup" of the privacy zones opens the Screen Privacy Zone Setup dialog
    // over this one through `opener`, which the main window hands in: it
    // knows how its pan/tilt pad is set up.
    void setScreenPrivacyOpener(std::function<void(QWidget* parent)> opener)
    {
        m_screenPrivacyOpener = std::move(opener);
    }

private:
    QButtonGroup* radioGroup(std::initializer_list<QAbstractButton*> buttons, void (AlderHdDsp::*handler)(int));
    void connectControls();
    void connectEdits();
    void refresh();
    void focusRefusedEdit();
    QLineEdit* edit(AlderHdDsp::Edit which) const;
    void openScreenPrivacy();

    std::unique_ptr<Ui::AlderHdDspDialog> m_ui;
    AlderHdDsp m_dsp;
    QButtonGroup* m_dayNight = nullptr;
    QButtonGroup* m_ir = nullptr;
    QButtonGroup* m_whiteBalance = nullptr;
    QButtonGroup* m_indoorOutdoor = nullptr;
    QButtonGroup* m_baud = nullptr;
    QButtonGroup* m_aperture = nullptr;
    QButtonGroup* m_wdr = nullptr;
    QButtonGroup* m_blc = nullptr;
    QButtonGroup* m_eis = nullptr;
    std::function<void(QWidget*)> m_screenPrivacyOpener;
};

} // namespace tarn
