#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

class QHBoxLayout;
class QPushButton;

namespace Ui {
class MainControlDialog;
}

namespace tarn {

class JoystickControl;
class MainControl;
class SdlJoystick;
class PortServerBox;
class PresetTourBox;
class SitePanel;
class SiteSession;
class TrafficView;
class TrafficWindow;
struct Platform;

// The console's main window (template resources/MainControlDialog.ui), a view
// over MainControl and its MainPanel: it forwards clicks and redraws from
// their state. However it closes (the "Close" button, the window manager, a
// signal), the exit path runs once.
class MainControlDialog final : public QDialog {
    Q_OBJECT
public:
    MainControlDialog(MainControl& control, Platform& platform, QWidget* parent = nullptr);
    ~MainControlDialog() override;

    // The window's initialisation; call once before the window is shown.
    void initialise();
    // As if the user chose "Network", typed the address and port and pressed "Connect".
    void connectToPortServer(const std::array<std::uint8_t, 4>& address, const QString& port);
    // Opens a site file into the camera list and shows the list.
    bool openSite(const std::string& path);
    // A button of a tool the layers above bring (the camera configuration),
    // placed beside "Find Domes...".
    void addToolButton(QPushButton* button);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectCameraControls();
    void connectLensControls();
    void connectPositionControls();
    void connectAccessoryControls();
    void preparePad();
    void openTourSetup();
    // The dialogs the main window opens; each runs modally and hands its
    // results back before it returns.
    void openCameraSetup();
    void openCameraId();
    void openDspStatus();
    void openDayNightPicture();
    void openThermalControl();
    // Wipe or Wash Setup: both drain the queue with their own pump.
    template <class AccessoryDialog>
    void openAccessorySetup();
    void openAzimuthSetup();
    // The traffic record's window, beside this one (not modal).
    void openTraffic();
    void openSweep();
    // The joystick's settings page; its choices are saved in the profile.
    void openJoystick();
    // The stick, its status line, and what stops it besides its own input.
    void prepareJoystick(QWidget* row);
    void stickPolled();
    void refresh();
    void refreshAddress();
    void showSendLock();
    // The link went away: every hold ends with its stop.
    void endHolds();

    MainControl& m_control;
    Platform& m_platform;
    std::unique_ptr<Ui::MainControlDialog> m_ui;
    PortServerBox* m_portServerBox = nullptr;
    TrafficView* m_traffic = nullptr;
    TrafficWindow* m_trafficWindow = nullptr;
    PresetTourBox* m_presetTourBox = nullptr;
    QLabel* m_sendLockLine = nullptr;
    std::unique_ptr<SiteSession> m_site;
    SitePanel* m_sitePanel = nullptr;
    QHBoxLayout* m_toolRow = nullptr;
    std::unique_ptr<SdlJoystick> m_stickInput;
    std::unique_ptr<JoystickControl> m_joystick;
    QLabel* m_stickLine = nullptr;
};

} // namespace tarn
