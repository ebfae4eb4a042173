#pragma once

#include "app/Settings.h"
#include "link/SerialPort.h"

#include <functional>
#include <string>

namespace tarn {

struct Platform;

// The main window's logic, without any widget: owns the link state and runs
// the window's initialisation and exit steps. The Qt window only forwards to it.
class MainControl final : public SerialPortOwner {
public:
    static constexpr std::size_t SerialWriteBufferSize = 128;

    MainControl(Platform& platform, Settings settings,
                std::function<std::string(int port)> devicePathFor);
    ~MainControl();
    MainControl(const MainControl&) = delete;
    MainControl& operator=(const MainControl&) = delete;

    // The window's initialisation: opens the serial port from the settings
    // (one message when it is missing) and ends the busy state.
    void initialise();
    // The exit path's commands to the camera. Runs once, however the window closes.
    void exit();

    // Set from construction until the initialisation has finished: nothing may
    // be sent before the window exists.
    bool isBusy() const { return m_busy; }
    bool hasExited() const { return m_exited; }
    const Settings& settings() const { return m_settings; }
    SerialPort& serialPort() { return m_serialPort; }

    void serialByteReceived(std::uint8_t byte, int port) override;

private:
    void openSerialPort();

    Platform& m_platform;
    Settings m_settings;
    SerialPort m_serialPort;
    bool m_busy = true;
    bool m_exited = false;
};

} // namespace tarn
