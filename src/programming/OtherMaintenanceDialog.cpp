#include "programming/OtherMaintenanceDialog.h"

#include "ui_OtherMaintenanceDialog.h"

#include "link/DialogDoor.h"
#include "programming/ServicePasswordDialog.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

#include <QEventLoop>
#include <QIntValidator>
#include <QSignalBlocker>
#include <QTimer>

namespace tarn {

OtherMaintenanceDialog::OtherMaintenanceDialog(DialogDoor& door, int cameraType, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::OtherMaintenanceDialog>())
    , m_logic(door.link(), door.prompter(), door.ntcip(), cameraType,
              [this] { return ServicePasswordDialog::ask(this); })
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->heaterLevelEdit->setValidator(new QIntValidator(0, 99, m_ui->heaterLevelEdit));
    connectControls();
    m_logic.setChanged([this] { refresh(); });
    m_logic.open();
    refresh();
}

OtherMaintenanceDialog::~OtherMaintenanceDialog()
{
    m_logic.setChanged({});
}

void OtherMaintenanceDialog::pauseKeepingTheLine(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

int OtherMaintenanceDialog::run(DialogDoor& door, int cameraType, QWidget* parent, const Pause& pause)
{
    pause(OtherMaintenance::OpeningPauseMs);
    int result = QDialog::Rejected;
    {
        OtherMaintenanceDialog dialog(door, cameraType, parent);
        result = dialog.exec();
    }
    // The dialog's pump has dropped what it did not send: the pause only
    // keeps the line quiet.
    pause(OtherMaintenance::closingPauseMs(result == QDialog::Accepted));
    return result;
}

void OtherMaintenanceDialog::connectControls()
{
    OtherMaintenance& other = m_logic;
    connect(m_ui->heaterLevelEdit, &QLineEdit::textEdited, this,
            [&other](const QString& text) { other.editHeaterLevel(text.toStdString()); });
    connect(m_ui->heaterSetButton, &QPushButton::clicked, this, [&other] { other.setHeater(); });
    connect(m_ui->heaterGetButton, &QPushButton::clicked, this, [&other] { other.getHeater(); });
    connect(m_ui->freezeVideoCheck, &QCheckBox::clicked, this, [&other](bool on) { other.setFreezeVideo(on); });
    connect(m_ui->freezeGetButton, &QPushButton::clicked, this, [&other] { other.getFreeze(); });
    connect(m_ui->homeSetButton, &QPushButton::clicked, this, [&other] { other.setVirtualHome(); });
    connect(m_ui->homeGetButton, &QPushButton::clicked, this, [&other] { other.getVirtualHome(); });
    connect(m_ui->homeClearButton, &QPushButton::clicked, this, [&other] { other.clearVirtualHome(); });
    connect(m_ui->clearNvramButton, &QPushButton::clicked, this, [&other] { other.clearNvram(); });
    connect(m_ui->storeCalWordsButton, &QPushButton::clicked, this, [&other] { other.storeCalWords(); });
    connect(m_ui->clearCalWordsButton, &QPushButton::clicked, this, [&other] { other.clearCalWords(); });
    connect(m_ui->pressureGetButton, &QPushButton::clicked, this, [&other] { other.getBarrelPressure(); });
    connect(m_ui->temperatureGetButton, &QPushButton::clicked, this, [&other] { other.getBarrelTemperature(); });
    connect(m_ui->temperatureTestButton, &QPushButton::clicked, this, [&other] { other.testBarrel(); });
    connect(m_ui->wipeButton, &QPushButton::clicked, this, [&other] { other.wipe(); });
    connect(m_ui->ntcipModeButton, &QPushButton::clicked, this, [&other] { other.chooseNtcipMode(true); });
    connect(m_ui->tarnModeButton, &QPushButton::clicked, this, [&other] { other.chooseNtcipMode(false); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);

    connectLog(OtherMaintenance::Log::Temperature,
               {m_ui->temperatureLogFileEdit, m_ui->temperatureLogBrowseButton, m_ui->temperatureRecordRadio,
                m_ui->temperatureStopRecordRadio});
    connectLog(OtherMaintenance::Log::Pressure,
               {m_ui->pressureLogFileEdit, m_ui->pressureLogBrowseButton, m_ui->pressureRecordRadio,
                m_ui->pressureStopRecordRadio});
}

void OtherMaintenanceDialog::connectLog(OtherMaintenance::Log log, const LogControls& controls)
{
    OtherMaintenance& other = m_logic;
    connect(controls.file, &QLineEdit::textEdited, this,
            [&other, log](const QString& text) { other.editLogFileName(log, text.toStdString()); });
    connect(controls.browse, &QPushButton::clicked, this, [&other, log] { other.browseLogFile(log); });
    connect(controls.record, &QRadioButton::clicked, this, [this, log] {
        m_logic.startRecording(log);
        refresh();
    });
    connect(controls.stopRecord, &QRadioButton::clicked, this, [&other, log] { other.stopRecording(log); });
}

void OtherMaintenanceDialog::refresh()
{
    const OtherMaintenanceValues& values = m_logic.values();
    showText(m_ui->heaterLevelEdit, qText(values.heaterLevel));
    showChecked(m_ui->freezeVideoCheck, values.freezeVideo);
    showText(m_ui->homePanEdit, qText(values.homePan));
    showText(m_ui->homeTiltEdit, qText(values.homeTilt));
    showText(m_ui->frontTemperatureEdit, qText(values.frontTemperature));
    showText(m_ui->backTemperatureEdit, qText(values.backTemperature));
    showText(m_ui->highTemperatureEdit, qText(values.highTemperature));
    showText(m_ui->lowTemperatureEdit, qText(values.lowTemperature));
    showText(m_ui->currentPressureEdit, qText(values.currentPressure));
    showText(m_ui->lastReadPressureEdit, qText(values.lastReadPressure));
    showText(m_ui->barrelSerialEdit, qText(values.barrelSerial));

    const std::pair<OtherMaintenance::Log, LogControls> logs[] = {
        {OtherMaintenance::Log::Temperature,
         {m_ui->temperatureLogFileEdit, m_ui->temperatureLogBrowseButton, m_ui->temperatureRecordRadio,
          m_ui->temperatureStopRecordRadio}},
        {OtherMaintenance::Log::Pressure,
         {m_ui->pressureLogFileEdit, m_ui->pressureLogBrowseButton, m_ui->pressureRecordRadio,
          m_ui->pressureStopRecordRadio}},
    };
    for (const auto& [log, controls] : logs) {
        const bool recording = m_logic.recording(log);
        showText(controls.file, qText(m_logic.logFileName(log)));
        // The file being recorded stays as it is until "Stop Record".
        controls.file->setEnabled(!recording);
        controls.browse->setEnabled(!recording);
        const QSignalBlocker recordBlocker(controls.record);
        const QSignalBlocker stopBlocker(controls.stopRecord);
        controls.record->setChecked(recording);
        controls.stopRecord->setChecked(!recording);
    }

    m_ui->ntcipModeButton->setEnabled(m_logic.modeButtonsEnabled());
    m_ui->tarnModeButton->setEnabled(m_logic.modeButtonsEnabled());
    m_ui->modeIndicator->setMode(!m_logic.modeIndicatorShown() ? ModeIndicator::Mode::None
                                 : m_logic.ntcipMode()          ? ModeIndicator::Mode::Ntcip
                                                                : ModeIndicator::Mode::Tarn);
}

} // namespace tarn
