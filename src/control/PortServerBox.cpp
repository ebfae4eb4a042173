#include "control/PortServerBox.h"

#include "link/PortServerControl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace tarn {

PortServerBox::PortServerBox(PortServerControl& control, int linkMode, QWidget* parent)
    : QGroupBox(tr("Link"), parent)
    , m_control(control)
    , m_serial(new QRadioButton(QStringLiteral("Comm"), this))
    , m_network(new QRadioButton(QStringLiteral("Network"), this))
    , m_address(new QLineEdit(this))
    , m_port(new QLineEdit(QString::fromUtf8(PortServerControl::DefaultPortText.data(),
                                             PortServerControl::DefaultPortText.size()),
                           this))
    , m_connect(new QPushButton(QStringLiteral("Connect"), this))
    , m_disconnect(new QPushButton(QStringLiteral("Disconnect"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("portServerBox"));
    m_serial->setObjectName(QStringLiteral("commRadio"));
    m_network->setObjectName(QStringLiteral("networkRadio"));
    m_address->setObjectName(QStringLiteral("ipAddress"));
    m_port->setObjectName(QStringLiteral("portBox"));
    m_connect->setObjectName(QStringLiteral("connectButton"));
    m_disconnect->setObjectName(QStringLiteral("disconnectButton"));
    m_status->setObjectName(QStringLiteral("linkStatus"));
    m_status->setAccessibleName(tr("Link state"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    const QString octet = QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])");
    m_address->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^%1(\\.%1){0,3}\\.?$").arg(octet)), m_address));
    m_address->setMaxLength(15);
    m_port->setMaxLength(5);
    setAddress(PortServerControl::DefaultAddress);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_serial, 0, 0);
    layout->addWidget(m_network, 0, 1);
    // The captions name the fields for a screen reader too.
    auto* addressLabel = new QLabel(tr("IP"), this);
    addressLabel->setBuddy(m_address);
    auto* portLabel = new QLabel(tr("Port"), this);
    portLabel->setBuddy(m_port);
    layout->addWidget(addressLabel, 1, 0);
    layout->addWidget(m_address, 1, 1, 1, 2);
    layout->addWidget(portLabel, 2, 0);
    layout->addWidget(m_port, 2, 1);
    layout->addWidget(m_connect, 3, 1);
    layout->addWidget(m_disconnect, 3, 2);
    layout->addWidget(m_status, 4, 0, 1, 3);

    (linkMode == 1 ? m_network : m_serial)->setChecked(true);

    connect(m_serial, &QRadioButton::clicked, this, [this] { m_control.chooseSerial(); });
    connect(m_network, &QRadioButton::clicked, this, [this] { m_control.chooseNetwork(); });
    connect(m_connect, &QPushButton::clicked, this, [this] { connectNow(); });
    connect(m_disconnect, &QPushButton::clicked, this, [this] { m_control.disconnect(); });
    refreshEnabling();
}

void PortServerBox::setAddress(const std::array<std::uint8_t, 4>& address)
{
    m_address->setText(QString::fromStdString(PortServerControl::formatAddress(address)));
}

void PortServerBox::setPortText(const QString& text)
{
    m_port->setText(text);
}

std::optional<std::array<std::uint8_t, 4>> PortServerBox::address() const
{
    const QStringList parts = m_address->text().split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<std::uint8_t, 4> address{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return std::nullopt;
        address[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
    }
    return address;
}

void PortServerBox::chooseNetworkLink()
{
    m_network->setChecked(true);
    m_control.chooseNetwork();
}

void PortServerBox::connectNow()
{
    // An address control always holds four numbers; an incomplete one counts as zeros.
    m_control.connect(address().value_or(std::array<std::uint8_t, 4>{}), m_port->text().toStdString());
}

void PortServerBox::setLinkStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setToolTip(text);
}

void PortServerBox::refreshEnabling()
{
    const auto& controls = m_control.controls();
    m_connect->setEnabled(controls.connect);
    m_disconnect->setEnabled(controls.disconnect);
    m_address->setEnabled(controls.address);
    m_port->setEnabled(controls.port);
}

} // namespace tarn
