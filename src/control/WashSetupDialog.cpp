#include "control/WashSetupDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"

#include "ui_WashSetupDialog.h"
#include "platform/ModalToParent.h"

namespace tarn {

WashSetupDialog::WashSetupDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::WashSetupDialog>())
    , m_setup(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->washTimeSpin->setRange(0, WashSetup::HighestWashTime);
    m_ui->wipeTimeSpin->setRange(0, WashSetup::HighestWashTime);
    m_ui->frequencySpin->setRange(0, HighestFrequencyShown);
    m_ui->frequencySpin->setStepRange(WashSetup::LowestFrequency, WashSetup::HighestFrequency);

    connect(m_ui->washTimeSpin, &QSpinBox::valueChanged, this, [this](int value) { m_setup.setWashTime(value); });
    connect(m_ui->frequencySpin, &QSpinBox::valueChanged, this, [this](int value) { m_setup.setFrequency(value); });
    connect(m_ui->manualWashCheck, &QCheckBox::toggled, this, [this](bool on) { m_setup.setManualWash(on); });
    connect(m_ui->setButton, &QPushButton::clicked, this, [this] { set(); });
    connect(m_ui->washHomeButton, &QPushButton::clicked, this, [this] { m_setup.setWashHome(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);

    m_setup.setChanged([this] { refresh(); });
    refresh();
    EnterActsAsTab::install(*this);
}

WashSetupDialog::~WashSetupDialog()
{
    m_setup.setChanged({});
}

void WashSetupDialog::set()
{
    if (m_setup.set())
        return;
    QSpinBox* field = m_setup.invalidField() == WashSetup::Field::WashTime ? m_ui->washTimeSpin
                                                                            : m_ui->frequencySpin;
    field->setFocus();
    field->selectAll();
}

void WashSetupDialog::refresh()
{
    const WashSettings& settings = m_setup.settings();
    showValue(m_ui->washTimeSpin, settings.washTime);
    showValue(m_ui->wipeTimeSpin, settings.wipeTime);
    showValue(m_ui->frequencySpin, settings.frequency);
    showChecked(m_ui->manualWashCheck, settings.manualWash == 1);
}

} // namespace tarn
