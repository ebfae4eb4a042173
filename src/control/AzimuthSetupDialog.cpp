#include "control/AzimuthSetupDialog.h"

#include "ui_AzimuthSetupDialog.h"

#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

namespace tarn {

AzimuthSetupDialog::AzimuthSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AzimuthSetupDialog>())
    , m_setup(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->groupedWithIdsButton->setEnabled(true);
    m_ui->separatedFromIdsButton->setEnabled(true);
    connectButtons();
    m_setup.setChanged([this] { refresh(); });
    refresh();
}

AzimuthSetupDialog::~AzimuthSetupDialog()
{
    m_setup.setChanged({});
}

void AzimuthSetupDialog::connectButtons()
{
    using B = AzimuthButton;
    const std::pair<QAbstractButton*, AzimuthButton> buttons[] = {
        {m_ui->northSetButton, B::NorthSet},
        {m_ui->northClearButton, B::NorthClear},
        {m_ui->eightZonesButton, B::NorthEightZones},
        {m_ui->sixteenZonesButton, B::NorthSixteenZones},
        {m_ui->azElEnableButton, B::AzElEnable},
        {m_ui->azElDisableButton, B::AzElDisable},
        {m_ui->azElPermanentButton, B::AzElPermanent},
        {m_ui->azElTimeOutButton, B::AzElTimeOut},
        {m_ui->directionEnableButton, B::DirectionEnable},
        {m_ui->directionDisableButton, B::DirectionDisable},
        {m_ui->directionPermanentButton, B::DirectionPermanent},
        {m_ui->directionTimeOutButton, B::DirectionTimeOut},
        {m_ui->groupedWithIdsButton, B::GroupedWithIds},
        {m_ui->separatedFromIdsButton, B::SeparatedFromIds},
        {m_ui->autoResponseEnableRadio, B::AutoResponseEnable},
        {m_ui->autoResponseDisableRadio, B::AutoResponseDisable},
        {m_ui->getControlSetupButton, B::GetControlSetup},
        {m_ui->getPtzflButton, B::GetCurrentPtzfl},
    };
    for (const auto& [button, which] : buttons)
        connect(button, &QAbstractButton::clicked, this, [this, which = which] { m_setup.press(which); });
    connect(m_ui->setDelayButton, &QPushButton::clicked, this, [this] { setDelayTime(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void AzimuthSetupDialog::setDelayTime()
{
    if (m_setup.setDelayTime(m_ui->delayEdit->text().toStdString()))
        return;
    m_ui->delayEdit->setFocus();
    m_ui->delayEdit->selectAll();
}

void AzimuthSetupDialog::refresh()
{
    // The delay field is rewritten only when the delay itself changed, so
    // that what the operator is typing survives other answers.
    if (m_setup.delay() != m_shownDelay) {
        m_shownDelay = m_setup.delay();
        m_ui->delayEdit->setText(QString::number(m_shownDelay));
    }
    showChoice({m_ui->autoResponseEnableRadio, m_ui->autoResponseDisableRadio}, m_setup.autoResponse());
    showText(m_ui->controlSetupEdit, latin1Text(m_setup.controlSetupText()));
}

} // namespace tarn
