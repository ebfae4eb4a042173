#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tarn {

class HoldButton;
class Lamp;
class MainControl;
struct Platform;
class PortServerBox;
class PresetTourBox;
class PTControl;
class TrafficView;

// The console's main window, a view over MainControl and its MainPanel: it
// forwards clicks and redraws from their state. However it closes (the
// "Close" button, the window manager, a signal), the exit path runs once.
class MainControlDialog final : public QDialog {
    Q_OBJECT
public:
    MainControlDialog(MainControl& control, Platform& platform, QWidget* parent = nullptr);

    // The window's initialisation; call once before the window is shown.
    void initialise();
    // As if the user chose "Network", typed the address and port and pressed "Connect".
    void connectToPortServer(const std::array<std::uint8_t, 4>& address, const QString& port);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildCameraGroup();
    QWidget* buildLensGroup();
    QWidget* buildPositionGroup();
    QWidget* buildAccessoryGroup();
    QWidget* buildVideoSourceGroup();
    QWidget* buildPadGroup();
    void refresh();
    void refreshAddress();

    MainControl& m_control;
    Platform& m_platform;
    PortServerBox* m_portServerBox = nullptr;
    TrafficView* m_traffic = nullptr;
    PresetTourBox* m_presetTourBox = nullptr;
    PTControl* m_pad = nullptr;

    QSpinBox* m_address = nullptr;
    QLineEdit* m_newAddress = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_setAddress = nullptr;
    Lamp* m_statusLamp = nullptr;

    std::array<HoldButton*, 6> m_lensButtons{};
    QPushButton* m_lensFast = nullptr;
    QPushButton* m_manualIris = nullptr;
    QPushButton* m_manualFocus = nullptr;
    Lamp* m_cameraPowerLamp = nullptr;
    Lamp* m_lensFastLamp = nullptr;
    Lamp* m_manualIrisLamp = nullptr;
    Lamp* m_manualFocusLamp = nullptr;
    QCheckBox* m_autoFocusOnPtz = nullptr;

    std::array<QLineEdit*, 4> m_positions{}; // Pan, Tilt, Zoom, Focus
    QPushButton* m_positionGoto = nullptr;
    QPushButton* m_positionQuery = nullptr;

    QPushButton* m_wipe = nullptr;
    QPushButton* m_wipeSetup = nullptr;
    QPushButton* m_wash = nullptr;
    QPushButton* m_washSetup = nullptr;
    QPushButton* m_cameraId = nullptr;
    QPushButton* m_dspStatus = nullptr;
    QPushButton* m_azimuthSet = nullptr;
};

} // namespace tarn
