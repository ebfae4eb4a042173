#include "control/JoystickSettingsDialog.h"

#include "core/Messages.h"
#include "platform/StickInput.h"
#include "widgets/ShowState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace tarn {

namespace {

constexpr int AxisChoices = 16;
constexpr int ButtonChoices = 32;

// Items carry the setting's value: None, TriggerZoom or an index.
void choose(QComboBox* box, int value)
{
    const int at = box->findData(value);
    box->setCurrentIndex(at >= 0 ? at : 0);
}

int chosen(const QComboBox* box)
{
    return box->currentData().toInt();
}

QSpinBox* percent(int lowest, int highest, int value)
{
    auto* box = new QSpinBox;
    box->setRange(lowest, highest);
    box->setSuffix(qText(Messages::PercentSuffix));
    box->setValue(value);
    return box;
}

} // namespace

JoystickSettingsDialog::JoystickSettingsDialog(const JoystickSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_original(settings)
{
    setObjectName(QStringLiteral("JoystickSettingsDialog"));
    setWindowTitle(qText(Messages::JoystickTitle));
    auto* layout = new QVBoxLayout(this);

    m_name = new QLabel(qText(Messages::JoystickNone), this);
    m_name->setObjectName(QStringLiteral("stickName"));
    layout->addWidget(m_name);
    auto* live = new QFormLayout;
    m_axes = new QLabel(this);
    m_axes->setObjectName(QStringLiteral("stickAxes"));
    m_buttons = new QLabel(this);
    m_buttons->setObjectName(QStringLiteral("stickButtons"));
    live->addRow(qText(Messages::JoystickAxesCaption), m_axes);
    live->addRow(qText(Messages::JoystickButtonsCaption), m_buttons);
    layout->addLayout(live);

    auto* columns = new QHBoxLayout;
    auto* motion = new QFormLayout;
    m_panAxis = axisChoice(false);
    m_tiltAxis = axisChoice(false);
    m_zoomAxis = axisChoice(true);
    m_invertPan = new QCheckBox(qText(Messages::JoystickInvertPan), this);
    m_invertTilt = new QCheckBox(qText(Messages::JoystickInvertTilt), this);
    m_invertZoom = new QCheckBox(qText(Messages::JoystickInvertZoom), this);
    m_deadzone = percent(0, 50, settings.deadzonePercent);
    m_expo = percent(0, 100, settings.expoPercent);
    m_topSpeed = percent(10, 100, settings.topSpeedPercent);
    motion->addRow(qText(Messages::JoystickPanAxis), m_panAxis);
    motion->addRow(QString(), m_invertPan);
    motion->addRow(qText(Messages::JoystickTiltAxis), m_tiltAxis);
    motion->addRow(QString(), m_invertTilt);
    motion->addRow(qText(Messages::JoystickZoomAxis), m_zoomAxis);
    motion->addRow(QString(), m_invertZoom);
    motion->addRow(qText(Messages::JoystickDeadzone), m_deadzone);
    motion->addRow(qText(Messages::JoystickExpo), m_expo);
    motion->addRow(qText(Messages::JoystickTopSpeed), m_topSpeed);
    columns->addLayout(motion);

    auto* buttons = new QFormLayout;
    m_focusNear = buttonChoice();
    m_focusFar = buttonChoice();
    m_irisOpen = buttonChoice();
    m_irisClose = buttonChoice();
    m_goto = buttonChoice();
    buttons->addRow(qText(Messages::JoystickFocusNear), m_focusNear);
    buttons->addRow(qText(Messages::JoystickFocusFar), m_focusFar);
    buttons->addRow(qText(Messages::JoystickIrisOpen), m_irisOpen);
    buttons->addRow(qText(Messages::JoystickIrisClose), m_irisClose);
    for (std::size_t i = 0; i < m_presets.size(); ++i) {
        m_presets[i] = buttonChoice();
        buttons->addRow(qText(Messages::format(Messages::JoystickPreset, static_cast<int>(i) + 1)), m_presets[i]);
        choose(m_presets[i], settings.presetButtons[i]);
    }
    buttons->addRow(qText(Messages::JoystickGoto), m_goto);
    columns->addLayout(buttons);
    layout->addLayout(columns);

    m_stopOnFocusLoss = new QCheckBox(qText(Messages::JoystickStopOnFocusLoss), this);
    layout->addWidget(m_stopOnFocusLoss);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    choose(m_panAxis, settings.panAxis);
    choose(m_tiltAxis, settings.tiltAxis);
    choose(m_zoomAxis, settings.zoomAxis);
    choose(m_focusNear, settings.focusNearButton);
    choose(m_focusFar, settings.focusFarButton);
    choose(m_irisOpen, settings.irisOpenButton);
    choose(m_irisClose, settings.irisCloseButton);
    choose(m_goto, settings.gotoButton);
    m_invertPan->setChecked(settings.invertPan);
    m_invertTilt->setChecked(settings.invertTilt);
    m_invertZoom->setChecked(settings.invertZoom);
    m_stopOnFocusLoss->setChecked(settings.stopOnFocusLoss);
}

QComboBox* JoystickSettingsDialog::axisChoice(bool withTriggers)
{
    auto* box = new QComboBox(this);
    box->addItem(qText(Messages::JoystickNotUsed), JoystickSettings::None);
    if (withTriggers)
        box->addItem(qText(Messages::JoystickTriggers), JoystickSettings::TriggerZoom);
    for (int axis = 0; axis < AxisChoices; ++axis)
        box->addItem(qText(Messages::format(Messages::JoystickAxisChoice, axis + 1)), axis);
    return box;
}

QComboBox* JoystickSettingsDialog::buttonChoice()
{
    auto* box = new QComboBox(this);
    box->addItem(qText(Messages::JoystickNotUsed), JoystickSettings::None);
    for (int button = 0; button < ButtonChoices; ++button)
        box->addItem(qText(Messages::format(Messages::JoystickButtonChoice, button + 1)), button);
    return box;
}

JoystickSettings JoystickSettingsDialog::settings() const
{
    JoystickSettings s = m_original;
    s.panAxis = chosen(m_panAxis);
    s.tiltAxis = chosen(m_tiltAxis);
    s.zoomAxis = chosen(m_zoomAxis);
    s.invertPan = m_invertPan->isChecked();
    s.invertTilt = m_invertTilt->isChecked();
    s.invertZoom = m_invertZoom->isChecked();
    s.deadzonePercent = m_deadzone->value();
    s.expoPercent = m_expo->value();
    s.topSpeedPercent = m_topSpeed->value();
    s.focusNearButton = chosen(m_focusNear);
    s.focusFarButton = chosen(m_focusFar);
    s.irisOpenButton = chosen(m_irisOpen);
    s.irisCloseButton = chosen(m_irisClose);
    s.gotoButton = chosen(m_goto);
    for (std::size_t i = 0; i < m_presets.size(); ++i)
        s.presetButtons[i] = chosen(m_presets[i]);
    s.stopOnFocusLoss = m_stopOnFocusLoss->isChecked();
    return s;
}

void JoystickSettingsDialog::showStick(const StickState& state)
{
    m_name->setText(state.present() ? qText(Messages::format(Messages::JoystickLine, state.name.c_str()))
                                    : qText(Messages::JoystickNone));
    QStringList axes;
    for (std::size_t a = 0; a < state.axes.size(); ++a)
        axes << qText(Messages::format(Messages::JoystickAxisValue, static_cast<int>(a) + 1,
                                       static_cast<int>(std::lround(state.axes[a] * 100))));
    m_axes->setText(axes.join(QStringLiteral("   ")));
    QStringList held;
    for (std::size_t b = 0; b < state.buttons.size(); ++b)
        if (state.buttons[b])
            held << QString::number(b + 1);
    m_buttons->setText(held.join(QStringLiteral(" ")));
}

} // namespace tarn
