#include "control/WipeSetupDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"

#include "ui_WipeSetupDialog.h"
#include "platform/ModalToParent.h"

namespace tarn {

WipeSetupDialog::WipeSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::WipeSetupDialog>())
    , m_setup(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->runTimeSpin->setRange(0, WipeSetup::HighestRunTime);
    m_ui->delayTimeSpin->setRange(0, WipeSetup::HighestDelayTime);

    connect(m_ui->runTimeSpin, &QSpinBox::valueChanged, this, [this](int value) { m_setup.setRunTime(value); });
    connect(m_ui->delayTimeSpin, &QSpinBox::valueChanged, this, [this](int value) { m_setup.setDelayTime(value); });
    connect(m_ui->setButton, &QPushButton::clicked, this, [this] { set(); });
    connect(m_ui->oldModuleRadio, &QRadioButton::clicked, this, [this] { m_setup.chooseModule(0); });
    connect(m_ui->newModuleRadio, &QRadioButton::clicked, this, [this] { m_setup.chooseModule(1); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);

    m_setup.setChanged([this] { refresh(); });
    refresh();
    EnterActsAsTab::install(*this);
}

WipeSetupDialog::~WipeSetupDialog()
{
    m_setup.setChanged({});
}

void WipeSetupDialog::set()
{
    if (m_setup.set())
        return;
    QSpinBox* field = m_setup.invalidField() == WipeSetup::Field::RunTime ? m_ui->runTimeSpin : m_ui->delayTimeSpin;
    field->setFocus();
    field->selectAll();
}

void WipeSetupDialog::refresh()
{
    const WipeSettings& settings = m_setup.settings();
    showValue(m_ui->runTimeSpin, settings.runTime);
    showValue(m_ui->delayTimeSpin, settings.delayTime);
    // The radios may show no choice.
    showChoice({m_ui->oldModuleRadio, m_ui->newModuleRadio}, settings.module);
}

} // namespace tarn
