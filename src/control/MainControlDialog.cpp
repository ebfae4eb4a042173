#include "control/MainControlDialog.h"

#include "app/Messages.h"
#include "app/Settings.h"
#include "platform/Platform.h"
#include "control/MainControl.h"
#include "control/PortServerBox.h"
#include "control/PresetTourBox.h"
#include "control/PTControl.h"
#include "programming/TourSetupDialog.h"
#include "control/TrafficView.h"
#include "widgets/HoldButton.h"
#include "widgets/Lamp.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace tarn {

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name)
{
    auto* created = new QPushButton(caption, parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setAutoDefault(false);
    return created;
}

// A latching function: its button with the lamp that shows the camera's state.
QWidget* latchRow(QWidget* parent, QPushButton* latch, Lamp* lamp)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lamp);
    layout->addWidget(latch, 1);
    return row;
}

} // namespace

MainControlDialog::MainControlDialog(MainControl& control, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_control(control)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("MainControlDialog"));
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    m_portServerBox = new PortServerBox(control.portServer(), control.link().state().linkMode, this);
    m_traffic = new TrafficView(control.link().monitor(), this);
    m_presetTourBox = new PresetTourBox(control.presets(), control.savedSettings(), control.runningTour(),
                                        platform.profile, platform.prompter, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(buildCameraGroup(), 0, 0);
    grid->addWidget(buildLensGroup(), 1, 0, 2, 1);
    grid->addWidget(buildPadGroup(), 0, 1, 2, 1);
    grid->addWidget(buildPositionGroup(), 2, 1);
    grid->addWidget(m_presetTourBox, 0, 2);
    grid->addWidget(buildAccessoryGroup(), 1, 2);
    grid->addWidget(m_portServerBox, 2, 2);
    grid->addWidget(buildVideoSourceGroup(), 3, 0, 1, 3);
    grid->addWidget(m_traffic, 4, 0, 1, 3);

    auto* bottom = new QHBoxLayout;
    auto* about = button(this, QStringLiteral("ABOUT"), "aboutButton");
    auto* close = button(this, QStringLiteral("Close"), "closeButton");
    bottom->addWidget(about);
    bottom->addStretch();
    bottom->addWidget(close);
    grid->addLayout(bottom, 5, 0, 1, 3);
    connect(about, &QPushButton::clicked, this, [this] {
        QMessageBox::about(this, qText(Messages::AboutTitle), qText(Messages::AboutText));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_control.portServer().setControlsChanged([this] { m_portServerBox->refreshEnabling(); });
    m_control.panel().setChanged([this] { refresh(); });
    m_control.setAddressChanged([this](int) { refreshAddress(); });

    connect(m_presetTourBox, &PresetTourBox::setupRequested, this, [this] {
        m_control.panel().stopPolling();
        if (!m_control.presets().setupOpensTourSetupDialog())
            return; // the camera's own tours and sectors are programmed in their own dialog
        TourSetupDialog dialog(m_control.savedSettings(), m_control.runningTour(), m_platform.profile,
                               m_platform.prompter, this);
        dialog.exec();
    });
}

QWidget* MainControlDialog::buildCameraGroup()
{
    auto* group = new QGroupBox(tr("Camera"), this);
    auto* layout = new QGridLayout(group);
    m_address = new QSpinBox(group);
    m_address->setObjectName(QStringLiteral("cameraAddress"));
    m_reset = button(group, QStringLiteral("Reset"), "resetButton");
    auto* status = button(group, QStringLiteral("Status ?"), "statusButton");
    m_statusLamp = new Lamp(group);
    m_newAddress = new QLineEdit(QStringLiteral("1"), group);
    m_newAddress->setObjectName(QStringLiteral("newAddress"));
    m_newAddress->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_newAddress));
    m_setAddress = button(group, QStringLiteral("Set"), "setAddressButton");
    auto* getAddress = button(group, QStringLiteral("GetAddr"), "getAddressButton");

    layout->addWidget(new QLabel(tr("Address"), group), 0, 0);
    layout->addWidget(m_address, 0, 1);
    layout->addWidget(m_reset, 0, 2);
    layout->addWidget(m_statusLamp, 1, 0, Qt::AlignRight);
    layout->addWidget(status, 1, 1);
    layout->addWidget(getAddress, 1, 2);
    layout->addWidget(new QLabel(tr("Set Addr"), group), 2, 0);
    layout->addWidget(m_newAddress, 2, 1);
    layout->addWidget(m_setAddress, 2, 2);

    MainPanel& panel = m_control.panel();
    connect(m_address, &QSpinBox::valueChanged, this, [&panel](int value) { panel.setAddress(value); });
    connect(m_reset, &QPushButton::clicked, this, [&panel] { panel.reset(); });
    connect(status, &QPushButton::clicked, this, [&panel] { panel.toggleStatusPolling(); });
    connect(m_setAddress, &QPushButton::clicked, this,
            [this, &panel] { panel.setNewAddress(m_newAddress->text().toStdString()); });
    connect(getAddress, &QPushButton::clicked, this, [&panel] { panel.getAddress(); });
    return group;
}

QWidget* MainControlDialog::buildLensGroup()
{
    auto* group = new QGroupBox(tr("Lens"), this);
    auto* layout = new QGridLayout(group);
    struct LensSpec {
        LensButton button;
        const char* caption;
        const char* tip;
        const char* name;
    };
    static constexpr LensSpec lens[] = {
        {LensButton::ZoomIn, "ZI", "In", "zoomInButton"},     {LensButton::ZoomOut, "ZO", "Out", "zoomOutButton"},
        {LensButton::FocusNear, "FN", "Near", "focusNearButton"}, {LensButton::FocusFar, "FF", "Far", "focusFarButton"},
        {LensButton::IrisOpen, "IO", "Open", "irisOpenButton"}, {LensButton::IrisClose, "IC", "Close", "irisCloseButton"},
    };
    MainPanel& panel = m_control.panel();
    for (std::size_t i = 0; i < std::size(lens); ++i) {
        auto* hold = new HoldButton(QString::fromLatin1(lens[i].caption), group);
        hold->setObjectName(QString::fromLatin1(lens[i].name));
        hold->setToolTip(QString::fromLatin1(lens[i].tip));
        const LensButton which = lens[i].button;
        connect(hold, &HoldButton::held, this, [&panel, which] { panel.lensPressed(which); });
        connect(hold, &HoldButton::letGo, this, [&panel] { panel.lensReleased(); });
        layout->addWidget(hold, static_cast<int>(i / 2), static_cast<int>(i % 2));
        m_lensButtons[i] = hold;
    }

    m_lensFast = button(group, QStringLiteral("Lens Fast"), "lensFastButton");
    m_manualIris = button(group, QStringLiteral("Manual Iris"), "manualIrisButton");
    m_manualFocus = button(group, QStringLiteral("Manual Focus"), "manualFocusButton");
    auto* cameraPower = button(group, QStringLiteral("Camera Power"), "cameraPowerButton");
    cameraPower->setEnabled(false); // the camera switches its power itself
    m_cameraPowerLamp = new Lamp(group);
    m_lensFastLamp = new Lamp(group);
    m_manualIrisLamp = new Lamp(group);
    m_manualFocusLamp = new Lamp(group);
    m_autoFocusOnPtz = new QCheckBox(QStringLiteral("Do Auto Focus on PTZ"), group);
    m_autoFocusOnPtz->setObjectName(QStringLiteral("autoFocusOnPtz"));

    layout->addWidget(latchRow(group, cameraPower, m_cameraPowerLamp), 3, 0, 1, 2);
    layout->addWidget(latchRow(group, m_lensFast, m_lensFastLamp), 4, 0, 1, 2);
    layout->addWidget(latchRow(group, m_manualIris, m_manualIrisLamp), 5, 0, 1, 2);
    layout->addWidget(latchRow(group, m_manualFocus, m_manualFocusLamp), 6, 0, 1, 2);
    layout->addWidget(m_autoFocusOnPtz, 7, 0, 1, 2);
    layout->setRowStretch(8, 1);

    connect(m_lensFast, &QPushButton::clicked, this, [&panel] { panel.lensFast(); });
    connect(m_manualIris, &QPushButton::clicked, this, [&panel] { panel.toggleManualIris(); });
    connect(m_manualFocus, &QPushButton::clicked, this, [&panel] { panel.toggleManualFocus(); });
    connect(m_autoFocusOnPtz, &QCheckBox::clicked, this, [&panel] { panel.toggleAutoFocusOnPtz(); });
    return group;
}

QWidget* MainControlDialog::buildPositionGroup()
{
    auto* group = new QGroupBox(tr("Position: Pan 0000-3599, Tilt 0900 down / 2700 up, Zoom 000-FFF, Focus 000"), this);
    auto* layout = new QGridLayout(group);
    static constexpr const char* captions[] = {"Pan", "Tilt", "Zoom", "Focus"};
    static constexpr const char* names[] = {"panField", "tiltField", "zoomField", "focusField"};
    static constexpr int widths[] = {4, 4, 3, 3};
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(group);
        field->setObjectName(QString::fromLatin1(names[i]));
        field->setMaxLength(widths[i]);
        field->setMaximumWidth(60);
        layout->addWidget(new QLabel(tr(captions[i]), group), 0, i);
        layout->addWidget(field, 1, i);
        m_positions[static_cast<std::size_t>(i)] = field;
    }
    m_positionGoto = button(group, QStringLiteral("Goto"), "positionGotoButton");
    m_positionQuery = button(group, QStringLiteral("P/T/Z/F ?"), "positionQueryButton");
    layout->addWidget(m_positionGoto, 1, 4);
    layout->addWidget(m_positionQuery, 0, 4);

    MainPanel& panel = m_control.panel();
    connect(m_positionGoto, &QPushButton::clicked, this, [this, &panel] {
        panel.gotoPosition(m_positions[0]->text().toStdString(), m_positions[1]->text().toStdString(),
                           m_positions[2]->text().toStdString(), m_positions[3]->text().toStdString());
        if (const auto field = panel.invalidField(); field != MainPanel::PositionField::None)
            m_positions[static_cast<std::size_t>(field) - 1]->setFocus();
    });
    connect(m_positionQuery, &QPushButton::clicked, this, [&panel] { panel.togglePositionPolling(); });
    return group;
}

QWidget* MainControlDialog::buildAccessoryGroup()
{
    auto* group = new QGroupBox(tr("Accessories and setup"), this);
    auto* layout = new QGridLayout(group);
    m_wipe = button(group, QStringLiteral("Wipe"), "wipeButton");
    m_wipeSetup = button(group, QStringLiteral("Wipe Setup"), "wipeSetupButton");
    m_wash = button(group, QStringLiteral("Wash"), "washButton");
    m_washSetup = button(group, QStringLiteral("Wash Setup"), "washSetupButton");
    auto* seekHome = button(group, QStringLiteral("SeekHome"), "seekHomeButton");
    auto* northOffset = button(group, QStringLiteral("Get"), "northOffsetButton");
    m_azimuthSet = button(group, QStringLiteral("Set"), "azimuthSetButton");
    auto* cameraSetup = button(group, QStringLiteral("Camera Setup"), "cameraSetupButton");
    m_cameraId = button(group, QStringLiteral("Camera ID"), "cameraIdButton");
    m_dspStatus = button(group, QStringLiteral("DSP Status"), "dspStatusButton");

    layout->addWidget(m_wipe, 0, 0);
    layout->addWidget(m_wipeSetup, 0, 1);
    layout->addWidget(m_wash, 1, 0);
    layout->addWidget(m_washSetup, 1, 1);
    layout->addWidget(seekHome, 2, 0);
    layout->addWidget(new QLabel(tr("North Offset"), group), 3, 0);
    layout->addWidget(northOffset, 3, 1);
    layout->addWidget(new QLabel(tr("Az/El/Zoom, Pos Display"), group), 4, 0);
    layout->addWidget(m_azimuthSet, 4, 1);
    layout->addWidget(cameraSetup, 5, 0);
    layout->addWidget(m_cameraId, 5, 1);
    layout->addWidget(m_dspStatus, 6, 0);

    MainPanel& panel = m_control.panel();
    connect(m_wipe, &QPushButton::clicked, this, [&panel] { panel.wipe(); });
    connect(m_wash, &QPushButton::clicked, this, [&panel] { panel.wash(); });
    connect(seekHome, &QPushButton::clicked, this, [&panel] { panel.seekHome(); });
    connect(northOffset, &QPushButton::clicked, this, [&panel] { panel.getNorthOffset(); });
    // "Camera Setup", "Camera ID", "DSP Status", "Wipe Setup", "Wash Setup" and
    // the Az/El "Set" open their dialogs once those dialogs exist.
    return group;
}

QWidget* MainControlDialog::buildPadGroup()
{
    auto* group = new QGroupBox(tr("Pan/Tilt"), this);
    auto* layout = new QVBoxLayout(group);
    m_pad = new PTControl(group);
    m_pad->setObjectName(QStringLiteral("panTiltPad"));
    const Settings& settings = m_control.settings();
    m_pad->resizePad(123, 123);
    m_pad->setCentreBand(8);
    m_pad->setPanTiltType(settings.ptType);
    m_pad->setSpeeds(settings.panSpeed, settings.tiltSpeed);
    m_pad->setPicture(settings.ptImage);
    m_pad->setFocusPolicy(Qt::StrongFocus);
    layout->addStretch();
    layout->addWidget(m_pad, 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(tr("Drag on the pad, or hold the arrow keys"), group), 0, Qt::AlignCenter);
    layout->addStretch();
    // A direct connection: the text is queued before the pad carries on.
    connect(m_pad, &PTControl::commandIssued, this, [this](const QByteArray& command) {
        m_control.panel().ptCommand(std::string_view(command.constData(), static_cast<std::size_t>(command.size())));
    });
    return group;
}

QWidget* MainControlDialog::buildVideoSourceGroup()
{
    // Shown as the panel always had them; this console never drives them.
    auto* group = new QGroupBox(tr("Video source"), this);
    auto* layout = new QGridLayout(group);
    const QStringList captions = {QStringLiteral("Left"), QStringLiteral("Right"),
                                  QStringLiteral("Left Camera Pwr"), QStringLiteral("Right Camera Pwr"),
                                  QStringLiteral("Pwr Status Req."), QStringLiteral("Left Video Reversed"),
                                  QStringLiteral("Right Video Reversed")};
    for (int i = 0; i < captions.size(); ++i) {
        QWidget* control = i < 2 ? static_cast<QWidget*>(new QRadioButton(captions[i], group))
                                 : static_cast<QWidget*>(new QCheckBox(captions[i], group));
        control->setEnabled(false);
        layout->addWidget(control, i / 4, i % 4);
    }
    return group;
}

void MainControlDialog::initialise()
{
    m_control.initialise();
    setWindowTitle(qText(Messages::WindowTitle));
    refresh();
}

void MainControlDialog::refreshAddress()
{
    const MainPanel& panel = m_control.panel();
    const auto limits = panel.addressLimits();
    const QSignalBlocker blocker(m_address);
    m_address->setRange(limits.minimum, limits.maximum);
    m_address->setValue(panel.address());
}

void MainControlDialog::refresh()
{
    const MainPanel& panel = m_control.panel();
    const PanelEnabling& enabling = panel.enabling();
    refreshAddress();

    m_reset->setEnabled(enabling.reset);
    m_newAddress->setEnabled(enabling.setAddress);
    m_setAddress->setEnabled(enabling.setAddress);
    m_lensButtons[0]->setEnabled(enabling.zoom);
    m_lensButtons[1]->setEnabled(enabling.zoom);
    m_lensButtons[2]->setEnabled(panel.focusButtonsEnabled());
    m_lensButtons[3]->setEnabled(panel.focusButtonsEnabled());
    m_lensButtons[4]->setEnabled(panel.irisButtonsEnabled());
    m_lensButtons[5]->setEnabled(panel.irisButtonsEnabled());
    m_lensFast->setEnabled(enabling.lensFast);
    m_manualIris->setEnabled(enabling.manualIris);
    m_manualFocus->setEnabled(enabling.manualFocus);
    m_autoFocusOnPtz->setEnabled(enabling.autoFocusOnPtz);
    {
        const QSignalBlocker blocker(m_autoFocusOnPtz);
        m_autoFocusOnPtz->setChecked(panel.autoFocusOnPtz());
    }
    m_positionGoto->setEnabled(enabling.positionGoto);
    m_positionQuery->setEnabled(enabling.positionPolling);
    m_wipe->setEnabled(enabling.wipe);
    m_wipeSetup->setEnabled(enabling.wipe);
    m_wash->setEnabled(enabling.wash);
    m_washSetup->setEnabled(enabling.wash);
    m_cameraId->setEnabled(enabling.cameraId);
    m_dspStatus->setEnabled(enabling.dspStatus);
    m_azimuthSet->setEnabled(enabling.azimuthSet);
    m_pad->setEnabled(enabling.pad);
    m_presetTourBox->setPresetControlsEnabled(enabling.presets);
    m_presetTourBox->setTourListEnabled(enabling.tourList);

    const MainPanel::Lamps& lamps = panel.lamps();
    m_statusLamp->setLit(lamps.statusPolling);
    m_cameraPowerLamp->setLit(lamps.cameraPower);
    m_lensFastLamp->setLit(lamps.lensFast);
    m_manualIrisLamp->setLit(lamps.manualIris);
    m_manualFocusLamp->setLit(lamps.manualFocus);

    // The fields show the camera's answers only while position polling runs;
    // otherwise they keep what the operator typed.
    if (panel.positionPolling()) {
        for (std::size_t i = 0; i < m_positions.size(); ++i) {
            const std::string& reported = panel.reportedPositions()[i];
            if (!reported.empty() && !m_positions[i]->hasFocus())
                m_positions[i]->setText(QString::fromStdString(reported));
        }
    }
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
