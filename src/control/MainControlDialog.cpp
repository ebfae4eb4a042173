#include "control/MainControlDialog.h"

#include "ui_MainControlDialog.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Version.h"
#include "control/AzimuthSetupDialog.h"
#include "control/JoystickControl.h"
#include "control/JoystickSettingsDialog.h"
#include "control/MainControl.h"
#include "control/PortServerBox.h"
#include "control/PresetTourBox.h"
#include "control/LinkSweepLine.h"
#include "control/SiteLink.h"
#include "control/SitePanel.h"
#include "control/SiteSession.h"
#include "control/SweepDialog.h"
#include "control/TrafficView.h"
#include "control/TrafficWindow.h"
#include "imaging/AlderHdDspDialog.h"
#include "imaging/ThermalControlDialog.h"
#include "control/WashSetupDialog.h"
#include "control/WipeSetupDialog.h"
#include "platform/ModalToParent.h"
#include "platform/Platform.h"
#include "platform/SdlJoystick.h"
#include "programming/CameraIdDialog.h"
#include "programming/CameraSetupDialog.h"
#include "programming/LensMaintenanceDialog.h"
#include "programming/OtherMaintenanceDialog.h"
#include "programming/ScreenPrivacyDialog.h"
#include "programming/TourSetupDialog.h"
#include "programming/ToursSectorsDialog.h"
#include "widgets/ShowState.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace tarn {

namespace {

// The template's placeholders take the views that need the logic to exist.
void place(QWidget* placeholder, QWidget* view)
{
    placeholder->layout()->setContentsMargins(0, 0, 0, 0);
    placeholder->layout()->addWidget(view);
}

} // namespace

MainControlDialog::MainControlDialog(MainControl& control, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_control(control)
    , m_platform(platform)
    , m_ui(std::make_unique<Ui::MainControlDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    m_portServerBox = new PortServerBox(control.portServer(), control.link().state().linkMode, this);
    m_traffic = new TrafficView(control.link().monitor(), this);
    m_presetTourBox = new PresetTourBox(control.presets(), this);
    place(m_ui->portServerPlace, m_portServerBox);
    // The whole conversation, a button beside the last frame of each way.
    auto* trafficRow = new QWidget(this);
    auto* trafficRowLayout = new QHBoxLayout(trafficRow);
    trafficRowLayout->setContentsMargins(0, 0, 0, 0);
    auto* trafficButton = new QPushButton(qText(Messages::TrafficButton), trafficRow);
    trafficButton->setObjectName(QStringLiteral("trafficButton"));
    trafficButton->setAutoDefault(false);
    trafficButton->setToolTip(qText(Messages::TrafficButtonTip));
    trafficRowLayout->addWidget(m_traffic, 1);
    trafficRowLayout->addWidget(trafficButton);
    auto* sweepButton = new QPushButton(qText(Messages::SweepButton), trafficRow);
    sweepButton->setObjectName(QStringLiteral("sweepButton"));
    sweepButton->setAutoDefault(false);
    sweepButton->setToolTip(qText(Messages::SweepButtonTip));
    trafficRowLayout->addWidget(sweepButton);
    m_toolRow = trafficRowLayout;
    connect(sweepButton, &QPushButton::clicked, this, [this] { openSweep(); });
    auto* joystickButton = new QPushButton(qText(Messages::JoystickButton), trafficRow);
    joystickButton->setObjectName(QStringLiteral("joystickButton"));
    joystickButton->setAutoDefault(false);
    joystickButton->setToolTip(qText(Messages::JoystickButtonTip));
    trafficRowLayout->addWidget(joystickButton);
    connect(joystickButton, &QPushButton::clicked, this, [this] { openJoystick(); });
    // The site's camera list, at the right, shown on demand.
    m_site = std::make_unique<SiteSession>(control, platform.prompter, platform.timers);
    m_sitePanel = new SitePanel(*m_site, platform.prompter, this);
    m_sitePanel->setObjectName(QStringLiteral("sitePanel"));
    m_sitePanel->setMinimumWidth(300);
    m_sitePanel->hide();
    m_ui->mainLayout->addWidget(m_sitePanel, 0, m_ui->mainLayout->columnCount(), m_ui->mainLayout->rowCount(), 1);
    auto* siteButton = new QPushButton(qText(Messages::SiteButton), trafficRow);
    siteButton->setObjectName(QStringLiteral("siteButton"));
    siteButton->setAutoDefault(false);
    siteButton->setCheckable(true);
    siteButton->setToolTip(qText(Messages::SiteButtonTip));
    trafficRowLayout->addWidget(siteButton);
    connect(siteButton, &QPushButton::toggled, m_sitePanel, &QWidget::setVisible);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this), &QShortcut::activated, siteButton,
            &QPushButton::toggle);
    for (int key = 1; key <= SiteList::QuickKeys; ++key)
        connect(new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_0 + key)), this), &QShortcut::activated, this,
                [this, key] { m_sitePanel->quickKey(key); });
    place(m_ui->trafficPlace, trafficRow);
    connect(trafficButton, &QPushButton::clicked, this, [this] { openTraffic(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this), &QShortcut::activated, this,
            [this] { openTraffic(); });
    place(m_ui->presetTourPlace, m_presetTourBox);
    // Under the traffic lines, shown from the moment "tPe" locks the sending.
    m_sendLockLine = new QLabel(qText(Messages::CommandsLocked), this);
    m_sendLockLine->setObjectName(QStringLiteral("sendLockLine"));
    m_sendLockLine->setStyleSheet(
        QStringLiteral("QLabel { color: white; background: rgb(200, 0, 0); font-weight: bold; padding: 2px; }"));
    m_sendLockLine->setVisible(control.link().state().sendLock);
    m_ui->trafficPlace->layout()->addWidget(m_sendLockLine);
    prepareJoystick(m_ui->trafficPlace);

    connectCameraControls();
    connectLensControls();
    preparePad();
    connectPositionControls();
    connectAccessoryControls();

    connect(m_ui->aboutButton, &QPushButton::clicked, this, [this] {
        QMessageBox about(QMessageBox::Information, qText(Messages::AboutTitle),
                          qText(Messages::format(Messages::AboutText, ProgramVersion)), QMessageBox::Ok, this);
        // As QMessageBox::about() dresses it, but modal to this window alone.
        about.setIconPixmap(windowIcon().pixmap(windowIcon().actualSize(QSize(64, 64))));
        ModalToParent::apply(about);
        about.exec();
    });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_presetTourBox, &PresetTourBox::setupRequested, this, [this] { openTourSetup(); });

    m_control.portServer().setControlsChanged([this] { m_portServerBox->refreshEnabling(); });
    m_control.panel().setChanged([this] { refresh(); });
    m_control.setAddressChanged([this](int) { refreshAddress(); });
    m_control.setSendLocked([this] { showSendLock(); });
    m_control.setLinkStatusChanged([this] {
        m_portServerBox->setLinkStatus(QString::fromStdString(m_control.linkStatus()));
    });
    m_control.setLinkLost([this] { endHolds(); });
}

MainControlDialog::~MainControlDialog()
{
    m_joystick.reset();
    m_stickInput.reset();
    // The list's view goes before the session it shows (a member, gone before
    // the window's children would be).
    delete m_sitePanel;
    m_control.portServer().setControlsChanged({});
    m_control.panel().setChanged({});
    m_control.setAddressChanged({});
    m_control.setSendLocked({});
    m_control.setLinkStatusChanged({});
    m_control.setLinkLost({});
}

void MainControlDialog::connectCameraControls()
{
    m_ui->newAddress->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_ui->newAddress));
    MainPanel& panel = m_control.panel();
    connect(m_ui->cameraAddress, &QSpinBox::valueChanged, this, [&panel](int value) { panel.setAddress(value); });
    connect(m_ui->resetButton, &QPushButton::clicked, this, [&panel] { panel.reset(); });
    connect(m_ui->statusButton, &QPushButton::clicked, this, [&panel] { panel.toggleStatusPolling(); });
    connect(m_ui->setAddressButton, &QPushButton::clicked, this,
            [this, &panel] { panel.setNewAddress(m_ui->newAddress->text().toStdString()); });
    connect(m_ui->getAddressButton, &QPushButton::clicked, this, [&panel] { panel.getAddress(); });
}

void MainControlDialog::connectLensControls()
{
    MainPanel& panel = m_control.panel();
    const std::pair<HoldButton*, LensButton> lens[] = {
        {m_ui->zoomInButton, LensButton::ZoomIn},       {m_ui->zoomOutButton, LensButton::ZoomOut},
        {m_ui->focusNearButton, LensButton::FocusNear}, {m_ui->focusFarButton, LensButton::FocusFar},
        {m_ui->irisOpenButton, LensButton::IrisOpen},   {m_ui->irisCloseButton, LensButton::IrisClose},
    };
    for (const auto& [button, which] : lens) {
        connect(button, &HoldButton::held, this, [&panel, which = which] { panel.lensPressed(which); });
        connect(button, &HoldButton::letGo, this, [&panel] { panel.lensReleased(); });
    }
    connect(m_ui->lensFastButton, &QPushButton::clicked, this, [&panel] { panel.lensFast(); });
    connect(m_ui->manualIrisButton, &QPushButton::clicked, this, [&panel] { panel.toggleManualIris(); });
    connect(m_ui->manualFocusButton, &QPushButton::clicked, this, [&panel] { panel.toggleManualFocus(); });
    connect(m_ui->autoFocusOnPtz, &QCheckBox::clicked, this, [&panel] { panel.toggleAutoFocusOnPtz(); });
}

void MainControlDialog::preparePad()
{
    PTControl* pad = m_ui->panTiltPad;
    const Settings& settings = m_control.settings();
    // The pad grows with its box from the classic 123 x 123, so a larger
    // window gives a finer pad.
    pad->fitToBox(123);
    pad->setTimers(m_platform.timers);
    pad->setCentreBand(8);
    pad->setPanTiltType(settings.ptType);
    pad->setSpeeds(settings.panSpeed, settings.tiltSpeed);
    pad->setPicture(settings.ptImage);
    pad->setFocusPolicy(Qt::StrongFocus);
    m_ui->padLayout->setAlignment(m_ui->padHint, Qt::AlignCenter);
    // A direct connection: the text is queued before the pad carries on.
    connect(pad, &PTControl::commandIssued, this, [this](const QByteArray& command) {
        m_control.panel().ptCommand(std::string_view(command.constData(), static_cast<std::size_t>(command.size())));
    });
}

void MainControlDialog::connectPositionControls()
{
    MainPanel& panel = m_control.panel();
    const std::array<QLineEdit*, 4> fields = {m_ui->panField, m_ui->tiltField, m_ui->zoomField, m_ui->focusField};
    connect(m_ui->positionGotoButton, &QPushButton::clicked, this, [&panel, fields] {
        panel.gotoPosition(fields[0]->text().toStdString(), fields[1]->text().toStdString(),
                           fields[2]->text().toStdString(), fields[3]->text().toStdString());
        if (const auto field = panel.invalidField(); field != MainPanel::PositionField::None)
            fields[static_cast<std::size_t>(field) - 1]->setFocus();
    });
    connect(m_ui->positionQueryButton, &QPushButton::clicked, this, [&panel] { panel.togglePositionPolling(); });
}

void MainControlDialog::connectAccessoryControls()
{
    MainPanel& panel = m_control.panel();
    connect(m_ui->wipeButton, &QPushButton::clicked, this, [&panel] { panel.wipe(); });
    connect(m_ui->washButton, &QPushButton::clicked, this, [&panel] { panel.wash(); });
    connect(m_ui->seekHomeButton, &QPushButton::clicked, this, [&panel] { panel.seekHome(); });
    connect(m_ui->northOffsetButton, &QPushButton::clicked, this, [&panel] { panel.getNorthOffset(); });
    connect(m_ui->cameraSetupButton, &QPushButton::clicked, this, [this] { openCameraSetup(); });
    connect(m_ui->cameraIdButton, &QPushButton::clicked, this, [this] { openCameraId(); });
    connect(m_ui->dspStatusButton, &QPushButton::clicked, this, [this] { openDspStatus(); });
    connect(m_ui->wipeSetupButton, &QPushButton::clicked, this, [this] { openAccessorySetup<WipeSetupDialog>(); });
    connect(m_ui->washSetupButton, &QPushButton::clicked, this, [this] { openAccessorySetup<WashSetupDialog>(); });
    connect(m_ui->azimuthSetButton, &QPushButton::clicked, this, [this] { openAzimuthSetup(); });
}

void MainControlDialog::openTourSetup()
{
    m_control.panel().stopPolling();
    if (m_control.presets().setupOpensTourSetupDialog()) {
        TourSetupDialog dialog(m_control.savedSettings(), m_control.runningTour(), m_platform.profile,
                               m_platform.prompter, this);
        dialog.exec();
        return;
    }
    // The camera's own tours, sectors and privacy zones. Nothing queued
    // before goes out, and the dialog's pump alone drains the queue: the
    // main pump would cut its longer commands short.
    CameraLink& link = m_control.link();
    link.queue().clearForDialog();
    ToursSectorsDialog dialog(link, m_platform.prompter, ToursSectorsDialog::defaultDomeFilePath(), this);
    dialog.exec();
}

void MainControlDialog::openCameraSetup()
{
    SetupValues values = m_control.openingSetup();
    CameraSetupDialog dialog(m_control.link(), m_platform.prompter, std::move(values),
                             m_control.serialPorts(), this);
    dialog.setMaintenanceOpeners({
        [this](QWidget* parent) { LensMaintenanceDialog::run(m_control, parent); },
        [this](int cameraType, QWidget* parent) {
            OtherMaintenanceDialog::run(m_control, cameraType, parent);
        },
    });
    if (dialog.exec() == QDialog::Accepted) {
        m_control.acceptSetup(dialog.setup().values(), dialog.setup().chosenPort());
        const Settings& settings = m_control.settings();
        PTControl* pad = m_ui->panTiltPad;
        pad->setPanTiltType(settings.ptType);
        pad->setSpeeds(settings.panSpeed, settings.tiltSpeed);
        pad->setPicture(settings.ptImage);
    }
    m_control.setupClosed();
    refresh();
}

void MainControlDialog::openCameraId()
{
    CameraIdDialog dialog(m_control.link(), m_platform.prompter, this);
    dialog.exec();
}

void MainControlDialog::openDspStatus()
{
    // The camera module type chooses the picture dialog; a standard module has none.
    switch (m_control.link().state().moduleType) {
    case ModuleType::DayNight: openDayNightPicture(); break;
    case ModuleType::Thermal: openThermalControl(); break;
    default: break;
    }
}

void MainControlDialog::openDayNightPicture()
{
    // The dialog drains the queue itself: nothing left over goes out first.
    CameraLink& link = m_control.link();
    link.queue().clearForDialog();
    AlderHdDspDialog dialog(link, m_platform.prompter, this);
    dialog.setScreenPrivacyOpener([this](QWidget* parent) { ScreenPrivacyDialog::run(m_control, parent); });
    dialog.exec();
    m_control.presets().selectFirst();
}

void MainControlDialog::openThermalControl()
{
    // The dialog drains the queue with its own pump, from an empty queue and a free link.
    CameraLink& link = m_control.link();
    link.queue().clearForDialog();
    ThermalControlDialog dialog(link, m_platform.prompter, this);
    dialog.exec();
    m_control.presets().selectFirst();
}

template <class AccessoryDialog>
void MainControlDialog::openAccessorySetup()
{
    CameraLink& link = m_control.link();
    link.queue().clearForDialog();
    AccessoryDialog dialog(link, m_platform.prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        link.queue().queueReady = true;
}

void MainControlDialog::openAzimuthSetup()
{
    // What is queued stays: the dialog's pump sends it first.
    m_control.panel().stopPolling();
    AzimuthSetupDialog dialog(m_control.link(), m_platform.prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        m_control.link().queue().queueReady = true;
}

void MainControlDialog::openTraffic()
{
    if (!m_trafficWindow)
        m_trafficWindow = new TrafficWindow(m_control.traffic(), m_platform.prompter, this);
    m_trafficWindow->show();
    m_trafficWindow->raise();
    m_trafficWindow->activateWindow();
}

void MainControlDialog::addToolButton(QPushButton* button)
{
    button->setAutoDefault(false);
    // After "Find Domes...", before "Cameras".
    m_toolRow->insertWidget(m_toolRow->count() - 1, button);
}

bool MainControlDialog::openSite(const std::string& path)
{
    if (auto* button = findChild<QPushButton*>(QStringLiteral("siteButton")))
        button->setChecked(true);
    return m_site->open(path);
}

void MainControlDialog::openSweep()
{
    SweepDialog dialog(
        m_platform.timers, m_platform.prompter, [this] { return std::make_unique<LinkSweepLine>(m_control); },
        CameraLink::ResponseTimeoutMs, this);
    SweepChoices choices;
    // The link in use is ticked; the site list's port servers are offered.
    const LinkState& state = m_control.link().state();
    PortServerControl& portServer = m_control.portServer();
    if (state.linkMode == 1 && portServer.hasSocket())
        choices.portServers.push_back(
            {portServer.serverAddress() + ':' + std::to_string(state.portServerPort), true});
    else
        choices.links = "COM" + std::to_string(m_control.serialPortNumber());
    for (const SiteCamera& camera : m_site->list().cameras()) {
        const SiteLink link = SiteLink::parse(camera.link);
        if (link.isPortServer()
            && std::none_of(choices.portServers.begin(), choices.portServers.end(),
                            [&](const SweepChoices::PortServer& server) {
                                return SiteLink::parse(server.link) == link;
                            }))
            choices.portServers.push_back({camera.link, false});
    }
    const auto baud = static_cast<std::size_t>(m_control.baudIndex());
    if (baud < choices.bauds.size())
        choices.bauds[baud] = true;
    const auto protocol = static_cast<std::size_t>(m_control.link().state().protocolIndex);
    if (protocol < choices.protocols.size())
        choices.protocols[protocol] = true;
    dialog.preset(choices);
    dialog.setAddFound([this](const SweepFind& find) {
        if (auto* button = findChild<QPushButton*>(QStringLiteral("siteButton")))
            button->setChecked(true);
        return m_site->addFound(find);
    });
    dialog.exec();
    refresh();
}

void MainControlDialog::endHolds()
{
    // The dialogs' hold controls too (a jog button, the privacy zones' pad).
    for (HoldButton* button : findChildren<HoldButton*>())
        button->cancelHold();
    for (PTControl* pad : findChildren<PTControl*>())
        pad->stopDriving();
    if (m_joystick)
        m_joystick->safeStop();
}

void MainControlDialog::prepareJoystick(QWidget* row)
{
    m_stickLine = new QLabel(this);
    m_stickLine->setObjectName(QStringLiteral("stickLine"));
    m_stickLine->hide();
    row->layout()->addWidget(m_stickLine);
    m_stickInput = std::make_unique<SdlJoystick>(m_platform.timers);
    m_joystick = std::make_unique<JoystickControl>(*m_stickInput, m_control.panel(), m_control.presets(),
                                                   m_control.link(), [this] { return m_control.padSetup(); });
    m_joystick->setSettings(JoystickSettings::load(m_platform.profile));
    m_joystick->setPlugged([this](const std::string& name) {
        m_stickLine->setText(qText(Messages::format(Messages::JoystickLine, name.c_str())));
        m_stickLine->setVisible(!name.empty());
    });
    m_joystick->setPolled([this](const StickState&) { stickPolled(); });
    m_joystick->setPresetChosen([this](int) { m_presetTourBox->reselectRemembered(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (m_joystick && state != Qt::ApplicationActive && m_joystick->settings().stopOnFocusLoss)
            m_joystick->safeStop();
    });
}

void MainControlDialog::stickPolled()
{
    // A dialog (or a box) in front owns the queue: the stick stops once and
    // drives nothing until it is gone.
    const QWidget* modal = QApplication::activeModalWidget();
    const bool blocked = modal && modal != this;
    if (blocked != m_joystick->blocked())
        m_joystick->setBlocked(blocked);
}

void MainControlDialog::openJoystick()
{
    JoystickSettingsDialog dialog(m_joystick->settings(), this);
    ModalToParent::apply(dialog);
    dialog.showStick(m_stickInput->state());
    m_joystick->setPolled([this, &dialog](const StickState& state) {
        stickPolled();
        dialog.showStick(state);
    });
    const int result = dialog.exec();
    // The window may have closed under the dialog: the stick is gone then.
    if (!m_joystick)
        return;
    m_joystick->setPolled([this](const StickState&) { stickPolled(); });
    if (result != QDialog::Accepted)
        return;
    const JoystickSettings chosen = dialog.settings();
    chosen.save(m_platform.profile);
    m_joystick->setSettings(chosen);
}

void MainControlDialog::showSendLock()
{
    m_sendLockLine->show();
}

void MainControlDialog::initialise()
{
    m_control.initialise();
    m_portServerBox->setLinkStatus(QString::fromStdString(m_control.linkStatus()));
    setWindowTitle(qText(Messages::WindowTitle));
    refresh();
}

void MainControlDialog::refreshAddress()
{
    const MainPanel& panel = m_control.panel();
    const auto limits = panel.addressLimits();
    const QSignalBlocker blocker(m_ui->cameraAddress);
    m_ui->cameraAddress->setRange(limits.minimum, limits.maximum);
    m_ui->cameraAddress->setValue(panel.address());
}

void MainControlDialog::refresh()
{
    const MainPanel& panel = m_control.panel();
    const PanelEnabling& enabling = panel.enabling();
    refreshAddress();

    m_ui->resetButton->setEnabled(enabling.reset);
    m_ui->newAddress->setEnabled(enabling.setAddress);
    m_ui->setAddressButton->setEnabled(enabling.setAddress);
    m_ui->zoomInButton->setEnabled(enabling.zoom);
    m_ui->zoomOutButton->setEnabled(enabling.zoom);
    m_ui->focusNearButton->setEnabled(panel.focusButtonsEnabled());
    m_ui->focusFarButton->setEnabled(panel.focusButtonsEnabled());
    m_ui->irisOpenButton->setEnabled(panel.irisButtonsEnabled());
    m_ui->irisCloseButton->setEnabled(panel.irisButtonsEnabled());
    m_ui->lensFastButton->setEnabled(enabling.lensFast);
    m_ui->manualIrisButton->setEnabled(enabling.manualIris);
    m_ui->manualFocusButton->setEnabled(enabling.manualFocus);
    m_ui->autoFocusOnPtz->setEnabled(enabling.autoFocusOnPtz);
    const MainPanel::ShownStatus& shown = panel.shownStatus();
    {
        const QSignalBlocker blocker(m_ui->autoFocusOnPtz);
        m_ui->autoFocusOnPtz->setChecked(shown.autoFocusOnPtz);
    }
    m_ui->positionGotoButton->setEnabled(enabling.positionGoto);
    m_ui->positionQueryButton->setEnabled(enabling.positionPolling);
    m_ui->wipeButton->setEnabled(enabling.wipe);
    m_ui->wipeSetupButton->setEnabled(enabling.wipe);
    m_ui->washButton->setEnabled(enabling.wash);
    m_ui->washSetupButton->setEnabled(enabling.wash);
    m_ui->cameraIdButton->setEnabled(enabling.cameraId);
    m_ui->dspStatusButton->setEnabled(enabling.dspStatus);
    m_ui->azimuthSetButton->setEnabled(enabling.azimuthSet);
    m_ui->panTiltPad->setEnabled(enabling.pad);
    m_presetTourBox->setPresetControlsEnabled(enabling.presets);
    m_presetTourBox->setTourListEnabled(enabling.tourList);

    m_ui->statusLamp->setLit(panel.lamps().statusPolling);
    m_ui->cameraPowerLamp->setLit(shown.cameraPower);
    m_ui->lensFastLamp->setLit(shown.lensFast);
    m_ui->manualIrisLamp->setLit(shown.manualIris);
    m_ui->manualFocusLamp->setLit(shown.manualFocus);

    // The fields show the camera's answers only while position polling runs;
    // otherwise they keep what the operator typed.
    if (panel.positionPolling()) {
        const std::array<QLineEdit*, 4> fields = {m_ui->panField, m_ui->tiltField, m_ui->zoomField,
                                                  m_ui->focusField};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string& reported = panel.reportedPositions()[i];
            if (!reported.empty() && !fields[i]->hasFocus())
                fields[i]->setText(QString::fromStdString(reported));
        }
    }
}

void MainControlDialog::connectToPortServer(const std::array<std::uint8_t, 4>& address,
                                            const QString& port)
{
    m_portServerBox->chooseNetworkLink();
    m_portServerBox->setAddress(address);
    m_portServerBox->setPortText(port);
    m_portServerBox->connectNow();
}

void MainControlDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter never closes the console, and neither does Escape: an operator's
    // stray key must not drop the camera.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}

void MainControlDialog::done(int result)
{
    // The exit sends the stops of what the stick held; from now on it drives nothing.
    m_joystick.reset();
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
