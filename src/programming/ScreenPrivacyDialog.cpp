#include "programming/ScreenPrivacyDialog.h"

#include "link/CameraLink.h"
#include "link/DialogDoor.h"
#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"

#include "ui_ScreenPrivacyDialog.h"
#include "platform/ModalToParent.h"

#include <QButtonGroup>
#include <QSignalBlocker>

namespace tarn {

namespace {

constexpr int PadSide = 123;
constexpr int CentreBand = 8;

// -1 (a value the camera did not give in range) shows as a blank field; the
// arrows keep to the range the operator may choose.
void prepareSpin(StepRangeSpinBox* spin, int highest)
{
    spin->setRange(-1, highest);
    spin->setStepRange(0, highest);
    spin->setSpecialValueText(QStringLiteral(" "));
    spin->setValue(0);
}

std::string latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

} // namespace

ScreenPrivacyDialog::ScreenPrivacyDialog(CameraLink& link, Prompter& prompter, const PadSetup& pad,
                                         QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ScreenPrivacyDialog>())
    , m_privacy(link, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    preparePad(pad, link.timers());
    prepareSpin(m_ui->horizontalSizeSpin, ScreenPrivacy::HighestSize);
    prepareSpin(m_ui->verticalSizeSpin, ScreenPrivacy::HighestSize);
    for (StepRangeSpinBox* colour : {m_ui->redColourSpin, m_ui->blueColourSpin, m_ui->shadeSpin})
        prepareSpin(colour, ScreenPrivacy::HighestColour);
    // Positions go on the wire as typed: four decimal digits.
    for (QLineEdit* edit : {m_ui->panEdit, m_ui->tiltEdit})
        edit->setValidator(digitsValidator(static_cast<int>(ScreenPrivacy::PositionLength), edit));
    connectControls();
    m_privacy.setChanged([this] { refresh(); });
    EnterActsAsTab::install(*this);

    m_privacy.open();
}

ScreenPrivacyDialog::~ScreenPrivacyDialog()
{
    m_privacy.setChanged({});
}

void ScreenPrivacyDialog::run(DialogDoor& door, QWidget* parent)
{
    ScreenPrivacyDialog dialog(door.link(), door.prompter(), door.padSetup(), parent);
    dialog.exec();
}

PTControl& ScreenPrivacyDialog::pad()
{
    return *m_ui->panTiltPad;
}

void ScreenPrivacyDialog::preparePad(const PadSetup& setup, Timers& timers)
{
    PTControl* pad = m_ui->panTiltPad;
    pad->resizePad(PadSide, PadSide);
    pad->setTimers(timers);
    pad->setCentreBand(CentreBand);
    pad->setPanTiltType(setup.panTiltType);
    pad->setSpeeds(setup.panSpeed, setup.tiltSpeed);
    pad->setPicture(setup.picture);
    pad->setNudgeButtonsVisible(false);
    // A direct connection: the text is queued before the pad carries on.
    connect(pad, &PTControl::commandIssued, this, [this](const QByteArray& command) {
        m_privacy.padCommand(std::string_view(command.constData(), static_cast<std::size_t>(command.size())));
    });
}

void ScreenPrivacyDialog::connectControls()
{
    Ui::ScreenPrivacyDialog& ui = *m_ui;
    ScreenPrivacy& privacy = m_privacy;

    // The selection, not the current row: the list makes its first row
    // current when it takes the focus, and that chooses no zone.
    connect(ui.zoneList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_ui->zoneList->selectedItems();
        if (selected.isEmpty())
            return;
        m_privacy.chooseZone(m_ui->zoneList->row(selected.front()));
        refresh();
    });
    m_modes = makeButtonGroup(this, {ui.offRadio, ui.programmingRadio, ui.liveRadio});
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int mode) {
        m_privacy.setMode(mode);
        refresh();
    });

    using Size = ScreenPrivacy::Size;
    using Colour = ScreenPrivacy::Colour;
    const std::pair<QSpinBox*, Size> sizes[] = {
        {ui.horizontalSizeSpin, Size::Horizontal},
        {ui.verticalSizeSpin, Size::Vertical},
    };
    for (const auto& [spin, size] : sizes) {
        connect(spin, &QSpinBox::valueChanged, this, [&privacy, size = size](int value) { privacy.setSize(size, value); });
    }
    const std::pair<QSpinBox*, Colour> colours[] = {
        {ui.redColourSpin, Colour::Red},
        {ui.blueColourSpin, Colour::Blue},
        {ui.shadeSpin, Colour::Shade},
    };
    for (const auto& [spin, colour] : colours) {
        connect(spin, &QSpinBox::valueChanged, this,
                [&privacy, colour = colour](int value) { privacy.setColour(colour, value); });
    }

    connect(ui.panEdit, &QLineEdit::textEdited, this, [&privacy](const QString& text) { privacy.setPanText(latin1(text)); });
    connect(ui.tiltEdit, &QLineEdit::textEdited, this,
            [&privacy](const QString& text) { privacy.setTiltText(latin1(text)); });
    connect(ui.positionQueryButton, &QPushButton::clicked, this, [&privacy] { privacy.queryPosition(); });
    connect(ui.gotoButton, &QPushButton::clicked, this, [this] {
        m_privacy.gotoPosition();
        QLineEdit* refused = nullptr;
        switch (m_privacy.invalidEdit()) {
        case ScreenPrivacy::Edit::Pan: refused = m_ui->panEdit; break;
        case ScreenPrivacy::Edit::Tilt: refused = m_ui->tiltEdit; break;
        case ScreenPrivacy::Edit::None: break;
        }
        if (refused)
            refused->setFocus();
    });

    connect(ui.zoomInButton, &HoldButton::held, this, [&privacy] { privacy.zoomPressed(true); });
    connect(ui.zoomOutButton, &HoldButton::held, this, [&privacy] { privacy.zoomPressed(false); });
    for (HoldButton* zoom : {ui.zoomInButton, ui.zoomOutButton})
        connect(zoom, &HoldButton::letGo, this, [&privacy] { privacy.zoomReleased(); });

    connect(ui.closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void ScreenPrivacyDialog::refresh()
{
    Ui::ScreenPrivacyDialog& ui = *m_ui;
    const ScreenPrivacyValues& values = m_privacy.values();
    {
        const QSignalBlocker blocker(ui.zoneList);
        ui.zoneList->setCurrentRow(values.zone);
    }
    showChoice(m_modes, values.mode);

    showValue(ui.horizontalSizeSpin, values.horizontalSize);
    showValue(ui.verticalSizeSpin, values.verticalSize);
    showValue(ui.redColourSpin, values.redColour);
    showValue(ui.blueColourSpin, values.blueColour);
    showValue(ui.shadeSpin, values.shade);
    showText(ui.panEdit, latin1Text(values.pan));
    showText(ui.tiltEdit, latin1Text(values.tilt));

    // The mode and size commands name the zone.
    const bool zoneChosen = m_privacy.zoneChosen();
    for (QWidget* control : std::initializer_list<QWidget*>{ui.offRadio, ui.programmingRadio, ui.liveRadio,
                                                            ui.horizontalSizeSpin, ui.verticalSizeSpin})
        control->setEnabled(zoneChosen);
}

} // namespace tarn
