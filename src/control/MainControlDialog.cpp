#include "control/MainControlDialog.h"

#include "app/Messages.h"
#include "control/MainControl.h"

namespace tarn {

MainControlDialog::MainControlDialog(MainControl& control, QWidget* parent)
    : QDialog(parent)
    , m_control(control)
{
    setObjectName(QStringLiteral("MainControlDialog"));
    setFixedSize(640, 480);
}

void MainControlDialog::initialise()
{
    m_control.initialise();
    setWindowTitle(QString::fromUtf8(Messages::WindowTitle.data(),
                                     static_cast<qsizetype>(Messages::WindowTitle.size())));
}

void MainControlDialog::done(int result)
{
    m_control.exit();
    QDialog::done(result);
}

} // namespace tarn
