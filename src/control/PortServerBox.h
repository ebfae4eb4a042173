#pragma once

#include <QGroupBox>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarn {

class PortServerControl;

// The main window's link controls: "Comm"/"Network", the port server's IP
// address and port, "Connect" and "Disconnect". All decisions are the
// PortServerControl's; this box shows its enabling and forwards clicks.
class PortServerBox final : public QGroupBox {
    Q_OBJECT
public:
    PortServerBox(PortServerControl& control, int linkMode, QWidget* parent = nullptr);

    void setAddress(const std::array<std::uint8_t, 4>& address);
    void setPortText(const QString& text);
    // The address typed in the IP field; nothing when it is not a full IPv4 address.
    std::optional<std::array<std::uint8_t, 4>> address() const;

    // Chooses "Network" as the user would.
    void chooseNetworkLink();
    // Presses "Connect" as the user would.
    void connectNow();
    void refreshEnabling();
    // Which device or port server the link uses, and whether it is there.
    void setLinkStatus(const QString& text);

private:
    PortServerControl& m_control;
    QRadioButton* m_serial;
    QRadioButton* m_network;
    QLineEdit* m_address;
    QLineEdit* m_port;
    QPushButton* m_connect;
    QPushButton* m_disconnect;
    QLabel* m_status;
};

} // namespace tarn
