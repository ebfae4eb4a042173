#include "programming/CameraSetupDialog.h"

#include "ui_CameraSetupDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

#include <QStandardItemModel>

#include <initializer_list>

namespace tarn {

namespace {

template <std::size_t N>
void fill(QComboBox* list, const std::array<std::string_view, N>& texts)
{
    for (const std::string_view text : texts)
        list->addItem(qText(text));
}

} // namespace

CameraSetupDialog::CameraSetupDialog(CameraLink& link, Prompter& prompter, SetupValues values,
                                     std::vector<SerialPortEntry> ports, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CameraSetupDialog>())
    , m_setup(link, prompter, std::move(values), std::move(ports))
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    fillLists();
    // Typed text goes on the wire: digits only, so "12a" can never be sent.
    m_ui->elevationEdit->setValidator(digitsValidator(5, m_ui->elevationEdit));
    m_ui->serialNumberEdit->setValidator(digitsValidator(7, m_ui->serialNumberEdit));
    m_ui->hostBaudEdit->setValidator(digitsValidator(4, m_ui->hostBaudEdit));
    m_ui->receiverAddressEdit->setValidator(digitsValidator(5, m_ui->receiverAddressEdit));
    m_ui->maxPanSpeed->setRange(0, 63);
    m_ui->maxTiltSpeed->setRange(0, 63);
    // The camera reports the NTCIP state; the box only shows it.
    m_ui->ntcipCheck->setEnabled(false);

    connectControls();
    m_setup.setChanged([this] { refresh(); });
    m_setup.open();
    refresh();

    // Enter and Escape move on like Tab: only the buttons close the dialog.
    EnterActsAsTab::install(*this);
}

CameraSetupDialog::~CameraSetupDialog()
{
    m_setup.setChanged({});
}

void CameraSetupDialog::fillLists()
{
    fill(m_ui->cameraTypeList, SetupLists::CameraTypes);
    fill(m_ui->moduleTypeList, SetupLists::ModuleTypes);
    fill(m_ui->cameraProtocolList, SetupLists::CameraProtocols);
    // The empty last entry only shows that no protocol is known.
    if (auto* model = qobject_cast<QStandardItemModel*>(m_ui->cameraProtocolList->model()))
        model->item(m_ui->cameraProtocolList->count() - 1)->setEnabled(false);
    fill(m_ui->receiverProtocolList, SetupLists::ReceiverProtocols);
    fill(m_ui->directionList, SetupLists::Directions);
    fill(m_ui->baudList, SetupLists::Bauds);
    fill(m_ui->backgroundList, SetupLists::Backgrounds);
    for (const SerialPortEntry& port : m_setup.ports())
        m_ui->portList->addItem(QString::fromStdString(port.label()));
}

void CameraSetupDialog::connectControls()
{
    CameraSetup& setup = m_setup;
    // Every action is followed by a redraw from the logic's state.
    const auto act = [this](auto action) {
        return [this, action](auto&&...) {
            action();
            refresh();
        };
    };
    const auto chose = [this](auto action) {
        return [this, action](int index) {
            action(index);
            refresh();
        };
    };

    connect(m_ui->portList, &QComboBox::activated, this, chose([&setup](int i) { setup.selectPort(i); }));
    connect(m_ui->baudList, &QComboBox::activated, this, chose([&setup](int i) { setup.selectBaud(i); }));
    connect(m_ui->setBaudButton, &QPushButton::clicked, this, act([&setup] { setup.setBaud(); }));
    connect(m_ui->fixedRadio, &QRadioButton::clicked, this, act([&setup] { setup.choosePanTiltType(0); }));
    connect(m_ui->varSpeedRadio, &QRadioButton::clicked, this, act([&setup] { setup.choosePanTiltType(1); }));
    connect(m_ui->varPropSpeedRadio, &QRadioButton::clicked, this, act([&setup] { setup.choosePanTiltType(2); }));
    const auto speeds = [this, &setup] {
        setup.setMaxSpeeds(m_ui->maxPanSpeed->value(), m_ui->maxTiltSpeed->value());
    };
    connect(m_ui->maxPanSpeed, &QSpinBox::valueChanged, this, speeds);
    connect(m_ui->maxTiltSpeed, &QSpinBox::valueChanged, this, speeds);
    connect(m_ui->directionList, &QComboBox::activated, this, chose([&setup](int i) { setup.chooseDirection(i); }));
    connect(m_ui->flipCheck, &QCheckBox::clicked, this, act([&setup] { setup.toggleFlip(); }));
    connect(m_ui->ntscRadio, &QRadioButton::clicked, this, act([&setup] { setup.chooseVideoStandard(0); }));
    connect(m_ui->palRadio, &QRadioButton::clicked, this, act([&setup] { setup.chooseVideoStandard(1); }));
    connect(m_ui->cameraTypeList, &QComboBox::activated, this,
            chose([&setup](int i) { setup.chooseCameraType(i); }));
    connect(m_ui->cameraProtocolList, &QComboBox::activated, this,
            chose([&setup](int i) { setup.chooseCameraProtocol(i); }));
    connect(m_ui->firmwareGetButton, &QPushButton::clicked, this, act([&setup] { setup.getFirmware(); }));

    connect(m_ui->elevationEdit, &QLineEdit::textEdited, this,
            [&setup](const QString& text) { setup.editElevation(text.toStdString()); });
    connect(m_ui->serialNumberEdit, &QLineEdit::textEdited, this,
            [&setup](const QString& text) { setup.editSerialNumber(text.toStdString()); });
    const auto setField = [this](auto action, QLineEdit* edit, CameraSetup::Field field) {
        return [this, action, edit, field] {
            action();
            refresh();
            if (m_setup.fieldToClear() == field)
                edit->setFocus();
        };
    };
    connect(m_ui->elevationSetButton, &QPushButton::clicked, this,
            setField([&setup] { setup.setElevation(); }, m_ui->elevationEdit, CameraSetup::Field::Elevation));
    connect(m_ui->serialNumberSetButton, &QPushButton::clicked, this,
            setField([&setup] { setup.setSerialNumber(); }, m_ui->serialNumberEdit,
                     CameraSetup::Field::SerialNumber));

    connect(m_ui->cameraJavelinContinuous, &QCheckBox::clicked, this,
            act([&setup] { setup.toggleCameraJavelinContinuous(); }));
    connect(m_ui->cameraJavelinAddress, &QCheckBox::clicked, this,
            act([&setup] { setup.toggleCameraJavelinAddress(); }));
    connect(m_ui->bootLoaderButton, &QPushButton::clicked, this, act([&setup] { setup.enableBootLoader(); }));
    connect(m_ui->backgroundList, &QComboBox::activated, this,
            chose([&setup](int i) { setup.chooseBackground(i); }));
    connect(m_ui->lensMaintenanceButton, &QPushButton::clicked, this, [this] { openLensMaintenance(); });
    connect(m_ui->otherSetupButton, &QPushButton::clicked, this, [this] { openOtherMaintenance(); });

    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CameraSetupDialog::refresh()
{
    const SetupValues& values = m_setup.values();
    const SetupEnabling& enabling = m_setup.enabling();

    showChoice({m_ui->kruMasterRadio, m_ui->kruReceiverRadio}, values.commMode);
    showChoice({m_ui->fixedRadio, m_ui->varSpeedRadio, m_ui->varPropSpeedRadio}, values.ptType);
    showChoice({m_ui->ntscRadio, m_ui->palRadio}, values.videoStandard);
    showChoice({m_ui->normalLightRadio, m_ui->sodiumVaporRadio}, values.lightMode);
    showChoice({m_ui->serialRadio, m_ui->networkRadio}, values.linkMode);
    showValue(m_ui->maxPanSpeed, values.maxPanSpeed);
    showValue(m_ui->maxTiltSpeed, values.maxTiltSpeed);
    showChoice(m_ui->cameraTypeList, values.cameraType);
    showChoice(m_ui->moduleTypeList, values.moduleType);
    showChoice(m_ui->cameraProtocolList, values.cameraProtocol);
    showChoice(m_ui->receiverProtocolList, values.receiverProtocol);
    showChoice(m_ui->directionList, values.ptDirection);
    showChoice(m_ui->baudList, values.baudIndex);
    showChoice(m_ui->backgroundList, values.background);
    showChoice(m_ui->portList, m_setup.portListIndex());
    showText(m_ui->firmwareEdit, qText(m_setup.firmware()));
    showText(m_ui->elevationEdit, qText(values.elevation));
    showText(m_ui->serialNumberEdit, qText(values.serialNumber));
    showText(m_ui->hostBaudEdit, qText(values.receiverHostBaud));
    showText(m_ui->receiverAddressEdit, qText(std::to_string(values.receiverAddress)));
    showText(m_ui->networkPortEdit, qText(values.networkPort));
    showChecked(m_ui->flipCheck, values.flip);
    showChecked(m_ui->flowControlCheck, values.flowControl);
    showChecked(m_ui->cameraJavelinContinuous, values.cameraJavelinContinuous);
    showChecked(m_ui->cameraJavelinAddress, values.cameraJavelinAddress);
    showChecked(m_ui->receiverJavelinContinuous, values.receiverJavelinContinuous);
    showChecked(m_ui->receiverJavelinAddress, values.receiverJavelinAddress);
    showChecked(m_ui->ntcipCheck, values.ntcip);

    for (QWidget* radio : {m_ui->fixedRadio, m_ui->varSpeedRadio, m_ui->varPropSpeedRadio})
        radio->setEnabled(enabling.panTiltType);
    for (QWidget* speed : {static_cast<QWidget*>(m_ui->maxPanSpeed), static_cast<QWidget*>(m_ui->maxTiltSpeed),
                           static_cast<QWidget*>(m_ui->maxPanSpeedLabel),
                           static_cast<QWidget*>(m_ui->maxTiltSpeedLabel)})
        speed->setEnabled(enabling.maxSpeeds);
    m_ui->cameraProtocolList->setEnabled(enabling.cameraProtocol);
    m_ui->firmwareEdit->setEnabled(enabling.firmwareEdit);
    m_ui->firmwareGetButton->setEnabled(enabling.firmwareGet);
    m_ui->elevationEdit->setEnabled(enabling.elevationEdit);
    m_ui->elevationSetButton->setEnabled(enabling.elevationSet);
    m_ui->ntscRadio->setEnabled(enabling.video);
    m_ui->palRadio->setEnabled(enabling.video);
    m_ui->flipCheck->setEnabled(enabling.flip);
    m_ui->setBaudButton->setEnabled(enabling.setBaud);
    m_ui->directionList->setEnabled(enabling.direction);
    m_ui->otherSetupButton->setEnabled(enabling.otherSetup);
    m_ui->lensMaintenanceButton->setEnabled(enabling.lensMaintenance);
    m_ui->cameraJavelinContinuous->setEnabled(enabling.cameraJavelin);
    m_ui->cameraJavelinAddress->setEnabled(enabling.cameraJavelin);
    m_ui->receiverJavelinContinuous->setEnabled(enabling.receiverJavelin);
    m_ui->receiverJavelinAddress->setEnabled(enabling.receiverJavelin);
    m_ui->portList->setEnabled(enabling.serialControls);
    m_ui->baudList->setEnabled(enabling.serialControls);
    for (QWidget* control : {static_cast<QWidget*>(m_ui->networkAddressEdit),
                             static_cast<QWidget*>(m_ui->networkPortEdit),
                             static_cast<QWidget*>(m_ui->connectButton),
                             static_cast<QWidget*>(m_ui->disconnectButton)})
        control->setEnabled(enabling.networkControls);
}

void CameraSetupDialog::openLensMaintenance()
{
    if (m_openers.lens)
        m_openers.lens(this);
}

void CameraSetupDialog::openOtherMaintenance()
{
    if (m_openers.other)
        m_openers.other(m_setup.values().cameraType, this);
}

} // namespace tarn
