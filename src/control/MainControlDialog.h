#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

namespace tarn {

class MainControl;
class PortServerBox;

// The console's main window, a view over MainControl. However it closes
// (Close button, window manager, Escape, a signal), the exit path runs once.
class MainControlDialog final : public QDialog {
    Q_OBJECT
public:
    explicit MainControlDialog(MainControl& control, QWidget* parent = nullptr);

    // The window's initialisation; call once before the window is shown.
    void initialise();
    // As if the user chose "Network", typed the address and port and pressed "Connect".
    void connectToPortServer(const std::array<std::uint8_t, 4>& address, const QString& port);

    void done(int result) override;

private:
    MainControl& m_control;
    PortServerBox* m_portServerBox;
};

} // namespace tarn
