#include "imaging/ThermalControlDialog.h"

#include "ui_ThermalControlDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

#include <QButtonGroup>
#include <QSignalBlocker>

namespace tarn {

ThermalControlDialog::ThermalControlDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ThermalControlDialog>())
    , m_control(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->cancelButton->hide();
    // No action is attached to the ROI presets: the list starts without a choice.
    m_ui->roiPresetCombo->setCurrentIndex(-1);
    m_ffcMode = makeButtonGroup(this, {m_ui->ffcManualRadio, m_ui->ffcAutoRadio, m_ui->ffcExtRadio});
    m_operatingMode = makeButtonGroup(this, {m_ui->realTimeRadio, m_ui->frozenRadio});
    m_video = makeButtonGroup(this, {m_ui->monoRadio, m_ui->colorRadio});
    m_edits = {m_ui->ffcIntervalEdit, m_ui->ffcTemperatureEdit, m_ui->plateauEdit, m_ui->ittMeanEdit,
               m_ui->maxGainEdit,     m_ui->roiLeftEdit,        m_ui->roiTopEdit,  m_ui->roiRightEdit,
               m_ui->roiBottomEdit,   m_ui->ddeEdit};
    m_rangeLabels = {m_ui->roiLeftRange,  m_ui->roiTopRange,    m_ui->roiRightRange,
                     m_ui->roiBottomRange, m_ui->roiSketchWidth, m_ui->roiSketchHeight};

    m_control.setRefreshed([this] { refresh(); });
    refresh();
    connectControls();

    // Enter and Escape move on like Tab: only the buttons close the dialog.
    EnterActsAsTab::install(*this);

    m_control.start();
}

ThermalControlDialog::~ThermalControlDialog()
{
    m_control.setRefreshed({});
}

void ThermalControlDialog::connectControls()
{
    ThermalControl& c = m_control;
    connect(m_ffcMode, &QButtonGroup::idClicked, this, [&c](int id) { c.ffcModeChosen(id); });
    connect(m_operatingMode, &QButtonGroup::idClicked, this, [&c](int id) { c.operatingModeChosen(id); });
    connect(m_video, &QButtonGroup::idClicked, this, [&c](int id) { c.videoChosen(id); });

    // The handlers that read the controls first.
    const auto reading = [this](QAbstractButton* button, void (ThermalControl::*handler)(const ThermalControls&)) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] {
            (m_control.*handler)(controls());
            focusRefusedEdit();
        });
    };
    reading(m_ui->ffcSetButton, &ThermalControl::setFfc);
    reading(m_ui->ddeSetButton, &ThermalControl::setDde);
    reading(m_ui->agcSetButton, &ThermalControl::setAgcParameters);
    reading(m_ui->roiSetButton, &ThermalControl::setRoi);
    // The lists act on the operator's choice, and then show what the camera
    // has: a choice that was refused or not sent does not stay on show.
    const auto chosen = [this](QComboBox* combo, void (ThermalControl::*handler)(const ThermalControls&)) {
        connect(combo, &QComboBox::activated, this, [this, handler] {
            (m_control.*handler)(controls());
            showChoices();
            focusRefusedEdit();
        });
    };
    chosen(m_ui->lutCombo, &ThermalControl::lutChosen);
    chosen(m_ui->orientationCombo, &ThermalControl::orientationChosen);
    chosen(m_ui->digitalZoomCombo, &ThermalControl::digitalZoomChosen);
    chosen(m_ui->agcPresetCombo, &ThermalControl::agcPresetChosen);

    connect(m_ui->doFfcButton, &QPushButton::clicked, this, [&c] { c.doFfc(); });
    connect(m_ui->saveButton, &QPushButton::clicked, this, [&c] { c.saveUserSettings(); });
    connect(m_ui->recallButton, &QPushButton::clicked, this, [&c] { c.recallUserSettings(); });
    connect(m_ui->resetButton, &QPushButton::clicked, this, [&c] { c.resetCamera(); });
    connect(m_ui->factoryDefaultsButton, &QPushButton::clicked, this, [&c] { c.restoreFactoryDefaults(); });
    connect(m_ui->suppOffsetCheck, &QCheckBox::clicked, this, [&c] { c.toggleSuppOffset(); });
    connect(m_ui->focusNearButton, &HoldButton::held, this, [&c] { c.focusPressed(ThermalControl::Focus::Near); });
    connect(m_ui->focusFarButton, &HoldButton::held, this, [&c] { c.focusPressed(ThermalControl::Focus::Far); });
    connect(m_ui->focusNearButton, &HoldButton::letGo, this, [&c] { c.focusReleased(); });
    connect(m_ui->focusFarButton, &HoldButton::letGo, this, [&c] { c.focusReleased(); });
    connect(m_ui->enablePassThroughButton, &QPushButton::clicked, this, [&c] { c.enablePassThrough(); });
    connect(m_ui->statusButton, &QPushButton::clicked, this, [&c] { c.requestStatus(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &ThermalControlDialog::accept);
    // The focus calibration buttons, the ROI presets and the pass-through
    // "Send" have no action on this camera.
}

ThermalControls ThermalControlDialog::controls() const
{
    ThermalControls read;
    read.ffcMode = m_ffcMode->checkedId();
    read.operatingMode = m_operatingMode->checkedId();
    read.video = m_video->checkedId();
    read.lut = m_ui->lutCombo->currentIndex();
    read.orientation = m_ui->orientationCombo->currentIndex();
    read.digitalZoom = m_ui->digitalZoomCombo->currentIndex();
    read.agcPreset = m_ui->agcPresetCombo->currentIndex();
    read.suppOffset = m_ui->suppOffsetCheck->isChecked();
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        read.edits[i] = m_edits[i]->text().toStdString();
    return read;
}

void ThermalControlDialog::focusRefusedEdit()
{
    const ThermalEdit refused = m_control.refusedEdit();
    if (refused == ThermalEdit::None)
        return;
    QLineEdit* edit = m_edits[static_cast<std::size_t>(refused)];
    edit->setFocus();
    edit->selectAll();
}

void ThermalControlDialog::showChoices()
{
    const ThermalSettings& s = m_control.settings();
    showChoice(m_ffcMode, s.ffcMode);
    showChoice(m_operatingMode, s.operatingMode);
    showChoice(m_video, s.video);
    showChoice(m_ui->lutCombo, s.lut);
    showChoice(m_ui->orientationCombo, s.orientation);
    showChoice(m_ui->digitalZoomCombo, s.digitalZoom);
    showChoice(m_ui->agcPresetCombo, s.agcPreset);
    showChecked(m_ui->suppOffsetCheck, s.suppOffset == 1);
}

void ThermalControlDialog::refresh()
{
    showChoices();
    const ThermalSettings& s = m_control.settings();
    const std::array<int, static_cast<std::size_t>(ThermalEdit::Count)> values = {
        s.ffcInterval, s.ffcTemperatureChange, s.plateau, s.ittMean, s.maxGain,
        s.roiLeft,     s.roiTop,               s.roiRight, s.roiBottom, s.dde};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const QSignalBlocker blocker(m_edits[i]);
        m_edits[i]->setText(QString::number(values[i]));
    }
    const auto labels = m_control.roiRangeLabels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        m_rangeLabels[i]->setText(latin1Text(labels[i]));
}

void ThermalControlDialog::accept()
{
    if (m_control.accept(controls())) {
        QDialog::accept();
        return;
    }
    focusRefusedEdit();
}

} // namespace tarn
