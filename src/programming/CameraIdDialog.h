#pragma once

#include "programming/CameraId.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace Ui {
class CameraIdDialog;
}

namespace tarn {

// "Program Camera ID": the camera's overlay texts. The decisions are
// CameraId's; this dialog shows its state and forwards the operator's
// actions. Enter and Escape move on like Tab, so only "Close" (or the
// window's own close) ends it.
class CameraIdDialog final : public QDialog {
    Q_OBJECT
public:
    CameraIdDialog(CameraLink& link, Prompter& prompter, QWidget* parent = nullptr);
    ~CameraIdDialog() override;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void lineEdited(int line, QLineEdit* edit);
    void refresh();

    std::unique_ptr<Ui::CameraIdDialog> m_ui;
    CameraId m_cameraId;
    std::array<QLineEdit*, CameraIdValues::LineCount> m_lines{};
    std::array<QCheckBox*, 3> m_alarmLines{};
    std::array<QRadioButton*, 3> m_modes{};
    std::array<QSpinBox*, 2> m_presets{};
    bool m_closing = false;
};

} // namespace tarn
