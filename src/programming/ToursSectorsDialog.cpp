#include "programming/ToursSectorsDialog.h"

#include "ui_ToursSectorsDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "widgets/ShowState.h"

#include "programming/DomeFile.h"
#include "platform/ModalToParent.h"

#include <QCloseEvent>
#include <QDir>
#include <QSignalBlocker>
#include <QStandardPaths>

namespace tarn {

namespace {

const QColor EvenRowShade(0xE4, 0xF4, 0xE8);

} // namespace

ToursSectorsDialog::ToursSectorsDialog(CameraLink& link, Prompter& prompter, std::string domeFilePath,
                                       QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ToursSectorsDialog>())
    , m_setup(link, prompter, std::move(domeFilePath))
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    for (int tour = 1; tour <= LocalTables::TourCount; ++tour)
        m_ui->tourList->addItem(QStringLiteral("Tour %1").arg(tour));
    // Printable ASCII only: anything else would read as a checksum or cut
    // the command short on the camera.
    m_ui->idTextEdit->setValidator(printableValidator(25, m_ui->idTextEdit));
    prepareGrid();

    connectSectors();
    connectZones();
    connectTours();
    connectJogButtons();
    connect(m_ui->closeButton, &QPushButton::clicked, this, &ToursSectorsDialog::reject);

    m_setup.setChanged([this] { refresh(); });
    refresh();

    // Enter and Escape move on like Tab: only the buttons close the dialog.
    EnterActsAsTab::install(*this);
}

ToursSectorsDialog::~ToursSectorsDialog()
{
    m_setup.setChanged({});
}

std::string ToursSectorsDialog::defaultDomeFilePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QString::fromLatin1(DomeFile::FileName)).toStdString();
}

void ToursSectorsDialog::prepareGrid()
{
    EditableGrid* grid = m_ui->tourGrid;
    grid->setGridSize(TourGrid::RowCount, TourGrid::ColumnCount);
    for (int column = 0; column < TourGrid::ColumnCount; ++column)
        grid->setGridColumnWidth(column, TourGrid::ColumnWidths[static_cast<std::size_t>(column)]);
    for (int row = 0; row < TourGrid::RowCount; ++row) {
        if (TourGrid::isShaded(row))
            grid->setRowShade(row, EvenRowShade);
    }
    grid->setEditCheck([this](EditableGrid::Cell cell, const QString& text) -> std::optional<QString> {
        if (!m_setup.cellEdited({cell.row, cell.column}, text.toStdString()))
            return std::nullopt;
        return latin1Text(m_setup.grid().text(cell.row, cell.column));
    });
}

void ToursSectorsDialog::connectSectors()
{
    ToursSectorsSetup& setup = m_setup;
    connect(m_ui->sectorSpin, &QSpinBox::valueChanged, this, [&setup](int value) { setup.sectorNumberChanged(value); });
    connect(m_ui->idTextEdit, &QLineEdit::textEdited, this,
            [&setup](const QString& text) { setup.idTextEdited(text.toStdString()); });
    connect(m_ui->sectorEnableCheck, &QCheckBox::clicked, this,
            [&setup](bool checked) { setup.sectorEnableClicked(checked); });
    connect(m_ui->sectorLeftButton, &QPushButton::clicked, this,
            [&setup] { setup.setSectorLimit(ToursSectorsSetup::Limit::Left); });
    connect(m_ui->sectorRightButton, &QPushButton::clicked, this,
            [&setup] { setup.setSectorLimit(ToursSectorsSetup::Limit::Right); });
    connect(m_ui->sendIdButton, &QPushButton::clicked, this, [&setup] { setup.sendId(); });
    connect(m_ui->deleteSectorButton, &QPushButton::clicked, this, [&setup] { setup.deleteSector(); });
    connect(m_ui->deleteAllSectorsButton, &QPushButton::clicked, this, [&setup] { setup.deleteAllSectors(); });
}

void ToursSectorsDialog::connectZones()
{
    ToursSectorsSetup& setup = m_setup;
    connect(m_ui->zoneSpin, &QSpinBox::valueChanged, this, [&setup](int value) { setup.zoneNumberChanged(value); });
    connect(m_ui->zoneEnableCheck, &QCheckBox::clicked, this,
            [&setup](bool checked) { setup.zoneEnableClicked(checked); });
    connect(m_ui->zoneLeftButton, &QPushButton::clicked, this,
            [&setup] { setup.setZoneLimit(ToursSectorsSetup::Limit::Left); });
    connect(m_ui->zoneRightButton, &QPushButton::clicked, this,
            [&setup] { setup.setZoneLimit(ToursSectorsSetup::Limit::Right); });
    connect(m_ui->deleteZoneButton, &QPushButton::clicked, this, [&setup] { setup.deleteZone(); });
    connect(m_ui->deleteAllZonesButton, &QPushButton::clicked, this, [&setup] { setup.deleteAllZones(); });
}

void ToursSectorsDialog::connectTours()
{
    ToursSectorsSetup& setup = m_setup;
    connect(m_ui->tourList, &QListWidget::currentRowChanged, this, [&setup](int row) { setup.tourSelected(row); });
    connect(m_ui->startTouringButton, &QPushButton::clicked, this, [&setup] { setup.startTouring(); });
    connect(m_ui->stopTouringButton, &QPushButton::clicked, this, [&setup] { setup.stopTouring(); });
    connect(m_ui->clearAllDataButton, &QPushButton::clicked, this, [&setup] { setup.clearAllData(); });
    connect(m_ui->setAllDwellsButton, &QPushButton::clicked, this, [this] {
        const EditableGrid::Cell focused = m_ui->tourGrid->focusedCell();
        m_setup.setAllDwells({focused.row, focused.column});
    });
    connect(m_ui->applyTourButton, &QPushButton::clicked, this, [this] {
        if (const auto missing = m_setup.applyTourSetup())
            m_ui->tourGrid->focusCell({missing->row, missing->column});
    });
}

void ToursSectorsDialog::connectJogButtons()
{
    using Jog = ToursSectorsSetup::Jog;
    const std::pair<HoldButton*, Jog> jogs[] = {
        {m_ui->panLeftButton, Jog::PanLeft},     {m_ui->panRightButton, Jog::PanRight},
        {m_ui->tiltUpButton, Jog::TiltUp},       {m_ui->tiltDownButton, Jog::TiltDown},
        {m_ui->zoomInButton, Jog::ZoomIn},       {m_ui->zoomOutButton, Jog::ZoomOut},
        {m_ui->focusNearButton, Jog::FocusNear}, {m_ui->focusFarButton, Jog::FocusFar},
    };
    for (const auto& [button, jog] : jogs) {
        connect(button, &HoldButton::held, this, [this, jog = jog] { m_setup.jogPressed(jog); });
        connect(button, &HoldButton::letGo, this, [this, jog = jog] { m_setup.jogReleased(jog); });
    }
}

void ToursSectorsDialog::refresh()
{
    showValue(m_ui->sectorSpin, m_setup.currentSector());
    showText(m_ui->idTextEdit, latin1Text(m_setup.idText()));
    m_ui->sectorEnableCheck->setChecked(m_setup.sectorEnabled());
    showValue(m_ui->zoneSpin, m_setup.currentZone());
    m_ui->zoneEnableCheck->setChecked(m_setup.zoneEnabled());
    {
        const QSignalBlocker blockList(m_ui->tourList);
        m_ui->tourList->setCurrentRow(m_setup.currentTour());
    }
    m_ui->startTouringButton->setEnabled(m_setup.startTouringEnabled());
    m_ui->stopTouringButton->setEnabled(m_setup.stopTouringEnabled());
    refreshGrid();
}

void ToursSectorsDialog::refreshGrid()
{
    const TourGrid& grid = m_setup.grid();
    for (int row = 0; row < TourGrid::RowCount; ++row) {
        for (int column = 0; column < TourGrid::ColumnCount; ++column) {
            const QString text = latin1Text(grid.text(row, column));
            if (m_ui->tourGrid->cellText({row, column}) != text)
                m_ui->tourGrid->setCellText({row, column}, text);
        }
    }
}

void ToursSectorsDialog::reject()
{
    if (m_setup.close())
        QDialog::reject();
}

void ToursSectorsDialog::closeEvent(QCloseEvent* event)
{
    // Closed by the program (it is stopping), not by the operator: there is
    // nobody to answer a question, so the dialog goes as if "No" was said.
    if (!event->spontaneous()) {
        QDialog::done(QDialog::Rejected);
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tarn
