#pragma once

#include "core/JoystickSettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace tarn {

struct StickState;

// The stick's settings page: its live axes and buttons, and the map, the
// inversions, the deadzone, the expo curve and the top speed. Axes and
// buttons are shown counted from 1.
class JoystickSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    JoystickSettingsDialog(const JoystickSettings& settings, QWidget* parent = nullptr);

    JoystickSettings settings() const;
    // After every look at the stick.
    void showStick(const StickState& state);

private:
    QComboBox* axisChoice(bool withTriggers);
    QComboBox* buttonChoice();

    QLabel* m_name = nullptr;
    QLabel* m_axes = nullptr;
    QLabel* m_buttons = nullptr;
    QComboBox* m_panAxis = nullptr;
    QComboBox* m_tiltAxis = nullptr;
    QComboBox* m_zoomAxis = nullptr;
    QCheckBox* m_invertPan = nullptr;
    QCheckBox* m_invertTilt = nullptr;
    QCheckBox* m_invertZoom = nullptr;
    QSpinBox* m_deadzone = nullptr;
    QSpinBox* m_expo = nullptr;
    QSpinBox* m_topSpeed = nullptr;
    QComboBox* m_focusNear = nullptr;
    QComboBox* m_focusFar = nullptr;
    QComboBox* m_irisOpen = nullptr;
    QComboBox* m_irisClose = nullptr;
    QComboBox* m_goto = nullptr;
    std::array<QComboBox*, JoystickSettings::PresetButtons> m_presets{};
    QCheckBox* m_stopOnFocusLoss = nullptr;
    JoystickSettings m_original;
};

} // namespace tarn
