#include "programming/CameraIdDialog.h"

#include "programming/CameraIdText.h"

#include "ui_CameraIdDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

#include <QFocusEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace tarn {

CameraIdDialog::CameraIdDialog(CameraLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CameraIdDialog>())
    , m_cameraId(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_lines = {m_ui->line1Edit, m_ui->line2Edit, m_ui->line3Edit, m_ui->line4Edit, m_ui->line5Edit};
    m_alarmLines = {m_ui->alarmLine1Check, m_ui->alarmLine2Check, m_ui->alarmLine3Check};
    m_modes = {m_ui->displayModeRadio0, m_ui->displayModeRadio1, m_ui->displayModeRadio2};
    m_presets = {m_ui->alarm1PresetSpin, m_ui->alarm2PresetSpin};

    // Room for a whole line of the widest characters the camera has.
    const int lineWidth = fontMetrics().horizontalAdvance(QString(CameraIdText::LineLength, QLatin1Char('M')));
    for (QLineEdit* edit : m_lines)
        edit->setMinimumWidth(lineWidth);

    const CameraIdEnabling& enabling = m_cameraId.enabling();
    m_ui->idGenInCamCheck->setEnabled(enabling.idGeneratedInCamera);
    for (QRadioButton* mode : m_modes)
        mode->setEnabled(enabling.displayModes);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_ui->alarmEnableAllCheck, m_ui->alarmLine2Check, m_ui->alarmLine3Check, m_ui->line4Edit,
             m_ui->line5Edit, m_ui->displayAtTopCheck})
        control->setEnabled(enabling.alarmTexts);

    connectControls();
    m_cameraId.setChanged([this] { refresh(); });
    refresh();

    // The line edits report losing the focus; Enter and Escape move on like
    // Tab, so only "Close" ends the dialog.
    for (QLineEdit* line : m_lines)
        line->installEventFilter(this);
    EnterActsAsTab::install(*this);
}

CameraIdDialog::~CameraIdDialog()
{
    m_closing = true;
    m_cameraId.setChanged({});
}

void CameraIdDialog::connectControls()
{
    CameraId& id = m_cameraId;
    for (int i = 0; i < CameraIdValues::LineCount; ++i) {
        QLineEdit* edit = m_lines[static_cast<std::size_t>(i)];
        connect(edit, &QLineEdit::textEdited, this, [this, i, edit] { lineEdited(i + 1, edit); });
    }
    connect(m_ui->idEnableCheck, &QCheckBox::clicked, this, [&id] { id.toggleIdEnabled(); });
    connect(m_ui->displayAtTopCheck, &QCheckBox::clicked, this, [&id] { id.toggleDisplayAtTop(); });
    connect(m_ui->alarmEnableAllCheck, &QCheckBox::clicked, this, [&id] { id.toggleAlarmTextEnabled(); });
    for (int i = 0; i < 3; ++i) {
        connect(m_alarmLines[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [&id, i] { id.toggleAlarmLine(i); });
        connect(m_modes[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [&id, i] { id.chooseDisplayMode(i); });
    }
    for (int alarm = 0; alarm < 2; ++alarm) {
        connect(m_presets[static_cast<std::size_t>(alarm)], &QSpinBox::valueChanged, this,
                [&id, alarm](int value) { id.setAlarmPresetValue(alarm, value); });
    }
    connect(m_ui->alarm1SetButton, &QPushButton::clicked, this, [&id] { id.sendAlarmPreset(0); });
    connect(m_ui->alarm2SetButton, &QPushButton::clicked, this, [&id] { id.sendAlarmPreset(1); });
    connect(m_ui->alarmGetButton, &QPushButton::clicked, this, [&id] { id.getAlarmPresets(); });
    connect(m_ui->clearAllButton, &QPushButton::clicked, this, [&id] { id.clearAllIds(); });
    connect(m_ui->initAllButton, &QPushButton::clicked, this, [&id] { id.initAllIds(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CameraIdDialog::lineEdited(int line, QLineEdit* edit)
{
    const QByteArray text = edit->text().toUtf8();
    if (m_cameraId.editLine(line, std::string_view(text.constData(), static_cast<std::size_t>(text.size()))))
        return;
    // Refused: the edit goes back to the text it had, the cursor where it was.
    const qsizetype excess = edit->text().size() - qText(m_cameraId.values().lines[static_cast<std::size_t>(line - 1)]).size();
    const int cursor = std::max(0, edit->cursorPosition() - static_cast<int>(excess));
    edit->setText(qText(m_cameraId.values().lines[static_cast<std::size_t>(line - 1)]));
    edit->setCursorPosition(cursor);
}

void CameraIdDialog::refresh()
{
    const CameraIdValues& values = m_cameraId.values();
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        showText(m_lines[i], qText(values.lines[i]));
    showChecked(m_ui->idEnableCheck, values.idEnabled);
    showChecked(m_ui->idGenInCamCheck, values.idGeneratedInCamera);
    showChecked(m_ui->idLine1EnableCheck, values.idLineEnabled[0]);
    showChecked(m_ui->idLine2EnableCheck, values.idLineEnabled[1]);
    showChecked(m_ui->displayAtTopCheck, values.displayAtTop);
    showChecked(m_ui->alarmEnableAllCheck, values.alarmTextEnabled);
    showChecked(m_ui->blinkCheck, values.alarmBlink);
    for (std::size_t i = 0; i < m_alarmLines.size(); ++i)
        showChecked(m_alarmLines[i], values.alarmLineEnabled[i]);
    showChecked(m_ui->maintenanceEnableCheck, values.maintenanceTextEnabled);
    showChecked(m_ui->ptzlAutoResponseCheck, values.ptzlAutoResponse);
    showChecked(m_ui->osdMenuCheck, values.osdMenuOn);
    showChecked(m_ui->osdFreezeCheck, values.osdFreezeEntry);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        const QSignalBlocker blocker(m_modes[i]);
        m_modes[i]->setChecked(values.displayMode == static_cast<int>(i));
    }
    for (std::size_t i = 0; i < m_presets.size(); ++i)
        showValue(m_presets[i], values.alarmPreset[i]);
}

void CameraIdDialog::done(int result)
{
    // The edit that has the focus loses it as the window goes: the line has
    // gone out here already, if it needed to.
    m_closing = true;
    m_cameraId.close();
    QDialog::done(result);
}

bool CameraIdDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_closing) {
        // Leaving a line sends it; a message box or another window taking the
        // focus for a moment does not count as leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto line = std::find(m_lines.begin(), m_lines.end(), watched);
        if (line != m_lines.end() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_cameraId.leaveLine(static_cast<int>(line - m_lines.begin()) + 1);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tarn
