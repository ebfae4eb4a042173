#include "programming/LensMaintenanceDialog.h"

#include "ui_LensMaintenanceDialog.h"

#include "link/DialogDoor.h"
#include "widgets/ShowState.h"
#include "platform/ModalToParent.h"

namespace tarn {

LensMaintenanceDialog::LensMaintenanceDialog(DialogDoor& door, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::LensMaintenanceDialog>())
    , m_logic(door.link(), door.prompter())
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    connectControls();
    m_logic.setChanged([this] { refresh(); });
    m_logic.open();
    refresh();
}

LensMaintenanceDialog::~LensMaintenanceDialog()
{
    m_logic.setChanged({});
}

int LensMaintenanceDialog::run(DialogDoor& door, QWidget* parent)
{
    LensMaintenanceDialog dialog(door, parent);
    return dialog.exec();
}

void LensMaintenanceDialog::connectControls()
{
    LensMaintenance& lens = m_logic;
    connect(m_ui->autoIrisLevelButton, &QPushButton::clicked, this, [&lens] { lens.setAutoIrisLevel(); });
    connect(m_ui->calibrateLensButton, &QPushButton::clicked, this,
            [&lens] { lens.startCalibratingLens(); });
    connect(m_ui->lensTypeList, &QComboBox::activated, this, [&lens](int index) { lens.chooseLensType(index); });

    const std::pair<QCheckBox*, LensFunction> functions[] = {
        {m_ui->zoomFocusCheck, ZoomFocusMotorised},
        {m_ui->motorIrisCheck, MotorIris},
        {m_ui->zoomFocusFollowPotsCheck, ZoomFocusFollowPots},
        {m_ui->irisFollowPotCheck, IrisFollowPot},
    };
    for (const auto& [check, function] : functions) {
        connect(check, &QCheckBox::clicked, this,
                [&lens, function = function](bool on) { lens.setLensFunction(function, on); });
    }
    connect(m_ui->lensFunctionSetButton, &QPushButton::clicked, this, [&lens] { lens.setLensFunctions(); });

    connect(m_ui->phaseSpin, &QSpinBox::valueChanged, this, [&lens](int phase) { lens.phaseEdited(phase); });
    connect(m_ui->crystalCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_logic.setCrystal(on);
        refresh();
    });
    connect(m_ui->videoList, &QComboBox::activated, this, [&lens](int index) { lens.chooseVideo(index); });
    connect(m_ui->cameraList, &QComboBox::activated, this, [&lens](int index) { lens.chooseCamera(index); });
    connect(m_ui->extenderCheck, &QCheckBox::clicked, this, [&lens](bool on) { lens.setExtender(on); });
    connect(m_ui->infraredList, &QComboBox::activated, this, [&lens](int index) { lens.chooseInfrared(index); });
    connect(m_ui->clearNvramButton, &QPushButton::clicked, this, [&lens] { lens.clearNvram(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void LensMaintenanceDialog::refresh()
{
    const LensValues& values = m_logic.values();
    showChoice(m_ui->lensTypeList, values.lensVoltage);
    showChoice(m_ui->videoList, values.video);
    showChoice(m_ui->cameraList, values.camera);
    showChoice(m_ui->infraredList, values.infrared);

    const std::pair<QCheckBox*, bool> checks[] = {
        {m_ui->zoomFocusCheck, (values.lensMode & ZoomFocusMotorised) != 0},
        {m_ui->motorIrisCheck, (values.lensMode & MotorIris) != 0},
        {m_ui->zoomFocusFollowPotsCheck, (values.lensMode & ZoomFocusFollowPots) != 0},
        {m_ui->irisFollowPotCheck, (values.lensMode & IrisFollowPot) != 0},
        {m_ui->crystalCheck, values.crystal},
        {m_ui->extenderCheck, values.extender},
    };
    for (const auto& [check, on] : checks)
        showChecked(check, on);
    showValue(m_ui->phaseSpin, values.phase);
    m_ui->phaseSpin->setEnabled(m_logic.phaseControlsEnabled());
}

} // namespace tarn
