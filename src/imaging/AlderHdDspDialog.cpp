#include "imaging/AlderHdDspDialog.h"

#include "ui_AlderHdDspDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

#include <QButtonGroup>

namespace tarn {

namespace {

void enable(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

} // namespace

AlderHdDspDialog::AlderHdDspDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AlderHdDspDialog>())
    , m_dsp(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    connectControls();
    connectEdits();
    m_dsp.setChanged([this] { refresh(); });

    // Enter and Escape move on like Tab: only the buttons close the dialog.
    EnterActsAsTab::install(*this);

    m_dsp.initialise();
    refresh();
}

AlderHdDspDialog::~AlderHdDspDialog()
{
    m_dsp.setChanged({});
}

QButtonGroup* AlderHdDspDialog::radioGroup(std::initializer_list<QAbstractButton*> buttons,
                                           void (AlderHdDsp::*handler)(int))
{
    QButtonGroup* group = makeButtonGroup(this, buttons);
    connect(group, &QButtonGroup::idClicked, this, [this, handler](int index) {
        (m_dsp.*handler)(index);
        refresh();
    });
    return group;
}

void AlderHdDspDialog::connectControls()
{
    Ui::AlderHdDspDialog& ui = *m_ui;
    AlderHdDsp& dsp = m_dsp;
    m_dayNight = radioGroup({ui.dayNightAutoRadio, ui.dayNightColorRadio, ui.dayNightMonoRadio},
                            &AlderHdDsp::setDayNightMode);
    m_ir = radioGroup({ui.irNoneRadio, ui.irMode1Radio, ui.irMode2Radio}, &AlderHdDsp::setIrMode);
    m_whiteBalance = radioGroup({ui.wbAutoNormalRadio, ui.wbManualRadio, ui.wbAutoHpsRadio},
                                &AlderHdDsp::setWhiteBalance);
    m_indoorOutdoor = radioGroup({ui.indoorRadio, ui.outdoorRadio}, &AlderHdDsp::setIndoorOutdoor);
    m_baud = radioGroup({ui.baud4800Radio, ui.baud9600Radio, ui.baud19200Radio, ui.baud38400Radio},
                        &AlderHdDsp::setBaud);
    m_aperture = radioGroup({ui.apertureAutoRadio, ui.apertureManualRadio}, &AlderHdDsp::setApertureMode);
    m_wdr = radioGroup({ui.wdrOffRadio, ui.wdrOnRadio}, &AlderHdDsp::setWdr);
    m_blc = radioGroup({ui.blcOffRadio, ui.blcOnRadio}, &AlderHdDsp::setBlc);
    m_eis = radioGroup({ui.eisOffRadio, ui.eisOnRadio}, &AlderHdDsp::setEis);

    const std::pair<QComboBox*, void (AlderHdDsp::*)(int)> combos[] = {
        {ui.shutterCombo, &AlderHdDsp::selectShutter},
        {ui.slowLimitCombo, &AlderHdDsp::selectSlowLimit},
        {ui.zoomMagnificationCombo, &AlderHdDsp::selectZoomMagnification},
        {ui.eisFrequencyCombo, &AlderHdDsp::selectEisFrequency},
        {ui.digitalZoomCombo, &AlderHdDsp::selectDigitalZoom},
        {ui.autoFocusTypeCombo, &AlderHdDsp::selectAutoFocusType},
        {ui.minFocusDistanceCombo, &AlderHdDsp::selectMinFocusDistance},
    };
    for (const auto& [combo, handler] : combos) {
        connect(combo, &QComboBox::activated, this, [this, handler = handler](int index) {
            (m_dsp.*handler)(index);
            focusRefusedEdit();
            refresh();
        });
    }

    const std::pair<QAbstractButton*, void (AlderHdDsp::*)()> buttons[] = {
        {ui.statusButton, &AlderHdDsp::requestStatus},
        {ui.pollCheck, &AlderHdDsp::togglePoll},
        {ui.initPresetsButton, &AlderHdDsp::initAllPresets},
        {ui.setHorizontalButton, &AlderHdDsp::setApertureHorizontal},
        {ui.setVerticalButton, &AlderHdDsp::setApertureVertical},
        {ui.setAgcButton, &AlderHdDsp::setMaxAgc},
        {ui.setZoomPositionButton, &AlderHdDsp::setZoomPosition},
        {ui.getZoomPositionButton, &AlderHdDsp::getZoomPosition},
        {ui.pushToFocusButton, &AlderHdDsp::pushToFocus},
        {ui.getFocusStatusButton, &AlderHdDsp::getFocusStatus},
        {ui.sendButton, &AlderHdDsp::sendPassThrough},
        {ui.enableRxCheck, &AlderHdDsp::toggleRx},
    };
    for (const auto& [button, handler] : buttons) {
        connect(button, &QAbstractButton::clicked, this, [this, handler = handler] {
            (m_dsp.*handler)();
            focusRefusedEdit();
            refresh();
        });
    }

    const std::pair<QPushButton*, AlderHdDsp::PowerUp> powerUp[] = {
        {ui.saveButton, AlderHdDsp::PowerUp::Save},
        {ui.recallButton, AlderHdDsp::PowerUp::Recall},
        {ui.restoreDefaultsButton, AlderHdDsp::PowerUp::RestoreDefaults},
    };
    for (const auto& [button, action] : powerUp)
        connect(button, &QPushButton::clicked, this, [&dsp, action = action] { dsp.powerUp(action); });

    const std::pair<HoldButton*, AlderHdDsp::Trim> trims[] = {
        {ui.redUpButton, AlderHdDsp::Trim::RedUp},
        {ui.redDownButton, AlderHdDsp::Trim::RedDown},
        {ui.blueUpButton, AlderHdDsp::Trim::BlueUp},
        {ui.blueDownButton, AlderHdDsp::Trim::BlueDown},
    };
    for (const auto& [button, trim] : trims) {
        connect(button, &HoldButton::held, this, [&dsp, trim = trim] { dsp.trimPressed(trim); });
        connect(button, &HoldButton::letGo, this, [&dsp] { dsp.trimReleased(); });
    }

    connect(ui.privacySetupButton, &QPushButton::clicked, this, [this] {
        if (!m_dsp.initialising())
            openScreenPrivacy();
    });
    connect(ui.closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AlderHdDspDialog::connectEdits()
{
    Ui::AlderHdDspDialog& ui = *m_ui;
    // What goes on the wire as typed: printable ASCII only.
    ui.zoomPositionEdit->setValidator(
        printableValidator(static_cast<int>(AlderHdDsp::ZoomPositionLength), ui.zoomPositionEdit));
    ui.txEdit->setValidator(printableValidator(static_cast<int>(AlderHdDsp::TxLength), ui.txEdit));

    const std::pair<QLineEdit*, void (AlderHdDsp::*)(std::string_view)> edits[] = {
        {ui.agcEdit, &AlderHdDsp::setMaxAgcText},
        {ui.apertureHorizontalEdit, &AlderHdDsp::setApertureHorizontalText},
        {ui.apertureVerticalEdit, &AlderHdDsp::setApertureVerticalText},
        {ui.zoomPositionEdit, &AlderHdDsp::setZoomPositionText},
        {ui.txEdit, &AlderHdDsp::setTxText},
    };
    for (const auto& [edit, setter] : edits) {
        connect(edit, &QLineEdit::textEdited, this, [this, setter = setter](const QString& text) {
            (m_dsp.*setter)(text.toLatin1().toStdString());
        });
    }
}

QLineEdit* AlderHdDspDialog::edit(AlderHdDsp::Edit which) const
{
    switch (which) {
    case AlderHdDsp::Edit::MaxAgc: return m_ui->agcEdit;
    case AlderHdDsp::Edit::ApertureHorizontal: return m_ui->apertureHorizontalEdit;
    case AlderHdDsp::Edit::ApertureVertical: return m_ui->apertureVerticalEdit;
    case AlderHdDsp::Edit::ZoomPosition: return m_ui->zoomPositionEdit;
    case AlderHdDsp::Edit::Tx: return m_ui->txEdit;
    case AlderHdDsp::Edit::None: break;
    }
    return nullptr;
}

void AlderHdDspDialog::focusRefusedEdit()
{
    if (QLineEdit* refused = edit(m_dsp.takeInvalidEdit())) {
        refused->setFocus();
        refused->selectAll();
    }
}

void AlderHdDspDialog::refresh()
{
    Ui::AlderHdDspDialog& ui = *m_ui;
    const DspControls& controls = m_dsp.controls();
    showChoice(m_dayNight, controls.dayNightMode);
    showChoice(m_ir, controls.irMode);
    showChoice(m_whiteBalance, controls.whiteBalance);
    showChoice(m_indoorOutdoor, controls.indoorOutdoor);
    showChoice(m_baud, controls.baud);
    showChoice(m_aperture, controls.apertureMode);
    showChoice(m_wdr, controls.wdr);
    showChoice(m_blc, controls.blc);
    showChoice(m_eis, controls.eis);
    showChoice(ui.shutterCombo, controls.shutter);
    showChoice(ui.slowLimitCombo, controls.slowLimit);
    showChoice(ui.zoomMagnificationCombo, controls.zoomMagnification);
    showChoice(ui.eisFrequencyCombo, controls.eisFrequency);
    showChoice(ui.digitalZoomCombo, controls.digitalZoom);
    showChoice(ui.autoFocusTypeCombo, controls.autoFocusType);
    showChoice(ui.minFocusDistanceCombo, controls.minFocusDistance);
    ui.pollCheck->setChecked(controls.poll != 0);
    ui.enableRxCheck->setChecked(controls.rxEnable != 0);
    showText(ui.agcEdit, latin1Text(controls.maxAgc));
    showText(ui.apertureHorizontalEdit, latin1Text(controls.apertureHorizontal));
    showText(ui.apertureVerticalEdit, latin1Text(controls.apertureVertical));
    showText(ui.zoomPositionEdit, latin1Text(controls.zoomPosition));
    showText(ui.txEdit, latin1Text(controls.tx));
    showText(ui.rxEdit, latin1Text(controls.rx));

    const DspEnabling& enabling = m_dsp.enabling();
    enable({ui.dayNightAutoRadio, ui.dayNightColorRadio, ui.dayNightMonoRadio}, enabling.dayNightRadios);
    enable({ui.wbAutoNormalRadio, ui.wbManualRadio, ui.wbAutoHpsRadio}, enabling.whiteBalanceRadios);
    enable({ui.shutterCombo}, enabling.shutter);
    enable({ui.indoorRadio, ui.outdoorRadio}, enabling.indoorOutdoor);
    enable({ui.redUpButton, ui.redDownButton, ui.blueUpButton, ui.blueDownButton}, enabling.trimButtons);
    enable({ui.apertureHorizontalEdit, ui.apertureVerticalEdit, ui.setHorizontalButton, ui.setVerticalButton},
           enabling.apertureLevels);
    enable({ui.digitalZoomCombo}, enabling.digitalZoom);
    enable({ui.eisOffRadio, ui.eisOnRadio}, enabling.eisRadios);
    enable({ui.eisFrequencyCombo}, enabling.eisFrequency);
    enable({ui.sendButton}, enabling.passThroughSend);
    enable({ui.pushToFocusButton}, enabling.pushToFocus);
    enable({ui.getFocusStatusButton}, enabling.getStatus);
    enable({ui.autoFocusTypeCombo, ui.minFocusDistanceCombo}, enabling.focusCombos);
}

void AlderHdDspDialog::openScreenPrivacy()
{
    // Modal over this dialog; it takes the privacy zone replies while open.
    if (m_screenPrivacyOpener)
        m_screenPrivacyOpener(this);
}

} // namespace tarn
