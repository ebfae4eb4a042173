#pragma once

#include "imaging/ThermalControl.h"

#include <QDialog>

#include <array>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace Ui {
class ThermalControlDialog;
}

namespace tarn {

class CameraLink;
class Prompter;

// "Thermal Control": the thermal imager's settings. The decisions are
// ThermalControl's; this dialog forwards the clicks with what the controls
// show and redraws from the settings whenever the logic refreshes. Enter and
// Escape move on like Tab, so only "OK" and the close box end it.
class ThermalControlDialog final : public QDialog {
    Q_OBJECT
public:
    ThermalControlDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~ThermalControlDialog() override;

    // The logic; it takes the camera's 't' replies for as long as the dialog exists.
    ThermalControl& control() { return m_control; }

    // "OK": closes only when the controls could be read.
    void accept() override;

private:
    void connectControls();
    ThermalControls controls() const;
    // After a refused edit: put the operator back into it.
    void focusRefusedEdit();
    // The radio groups, lists and check box as the settings have them; the
    // edits keep what is typed.
    void showChoices();
    void refresh();

    std::unique_ptr<Ui::ThermalControlDialog> m_ui;
    ThermalControl m_control;
    QButtonGroup* m_ffcMode = nullptr;
    QButtonGroup* m_operatingMode = nullptr;
    QButtonGroup* m_video = nullptr;
    std::array<QLineEdit*, static_cast<std::size_t>(ThermalEdit::Count)> m_edits{};
    std::array<QLabel*, ThermalControl::RoiRangeLabelCount> m_rangeLabels{};
};

} // namespace tarn
