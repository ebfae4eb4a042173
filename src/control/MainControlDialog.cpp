#include "control/MainControlDialog.h"

#include "app/Messages.h"
#include "control/MainControl.h"
#include "control/PortServerBox.h"

#include <QEventLoop>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tarn {

MainControlDialog::MainControlDialog(MainControl& control, QWidget* parent)
    : QDialog(parent)
    , m_control(control)
    , m_portServerBox(new PortServerBox(control.portServer(), control.link().state().linkMode, this))
{
    setObjectName(QStringLiteral("MainControlDialog"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_portServerBox);
    layout->addStretch();
    m_control.portServer().setControlsChanged([this] { m_portServerBox->refreshEnabling(); });
}

void MainControlDialog::initialise()
{
    m_control.initialise();
    setWindowTitle(QString::fromUtf8(Messages::WindowTitle.data(),
                                     static_cast<qsizetype>(Messages::WindowTitle.size())));
}

void MainControlDialog::connectToPortServer(const std::array<std::uint8_t, 4>& address,
                                            const QString& port)
{
    findChild<QRadioButton*>(QStringLiteral("networkRadio"))->setChecked(true);
    m_control.portServer().chooseNetwork();
    m_portServerBox->setAddress(address);
    m_portServerBox->setPortText(port);
    m_portServerBox->connectNow();
}

void MainControlDialog::done(int result)
{
    if (const int waitMs = m_control.exit(); waitMs > 0) {
        // The camera needs a moment for its last command; the line and the
        // socket keep working meanwhile.
        QEventLoop loop;
        QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QDialog::done(result);
}

} // namespace tarn
