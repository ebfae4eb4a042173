#include "programming/ToursSectorsSetup.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"
#include "programming/DomeFile.h"
#include "programming/ToursSectorsReply.h"

#include <algorithm>

namespace tarn {

namespace {

constexpr int ChainStepMs = 5;
constexpr int SectorTextAfterNumberMs = 250;
constexpr int TourPresetsAfterSelectionMs = 500;

// 100 ms between tries; without an answer the next command goes after 1 s.
// A tour's steps are longer than what other pumps take from a slot.
constexpr DialogPump::Config PacedSendConfig{10, 100, 11, 1000, true, true};

struct JogCommands {
    const char* press;
    const char* release;
};

JogCommands jogCommands(ToursSectorsSetup::Jog jog)
{
    using Jog = ToursSectorsSetup::Jog;
    switch (jog) {
    case Jog::PanLeft: return {"PL", "PS"};
    case Jog::PanRight: return {"PR", "PS"};
    case Jog::TiltUp: return {"TU", "TS"};
    case Jog::TiltDown: return {"TD", "TS"};
    case Jog::ZoomIn: return {"ZI", "ZS"};
    case Jog::ZoomOut: return {"ZO", "ZS"};
    case Jog::FocusNear: return {"FN", "FS"};
    case Jog::FocusFar: return {"FF", "FS"};
    }
    return {"", ""};
}

// Only what the wire may carry, and no more than the edit holds.
std::string wireText(std::string_view text)
{
    std::string clean;
    for (const char c : text) {
        if (clean.size() == ToursSectorsSetup::LongestIdText)
            break;
        clean.push_back(c >= 0x20 && c <= 0x7E ? c : ' ');
    }
    return clean;
}

} // namespace

ToursSectorsSetup::ToursSectorsSetup(CameraLink& link, Prompter& prompter, std::string domeFilePath)
    : DialogLogic(link, prompter, ReceiverSlot::ToursSectors, PacedSendConfig)
    , m_domeFilePath(std::move(domeFilePath))
    , m_tables(DomeFile::load(m_domeFilePath).tables)
{
    m_idText = wireText(m_tables.sectors[0].idText);
    m_grid.showTour(m_tables.tours[0]);
    startTimer(SectorStatusTimer, ChainStepMs);
}

ToursSectorsSetup::~ToursSectorsSetup()
{
    m_link.timers().stopAll(*this);
}

void ToursSectorsSetup::pacedSend(std::string command)
{
    m_pump.append(command);
}

void ToursSectorsSetup::startTimer(int id, int delayMs)
{
    m_link.timers().start(*this, id, delayMs);
}

bool ToursSectorsSetup::isWireText(std::string_view text)
{
    return text.size() <= LongestIdText
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Sectors --------------------------------------------------------------------

void ToursSectorsSetup::showSector(int number)
{
    m_currentSector = m_querySector = number;
    m_idText = wireText(m_tables.sectors[static_cast<std::size_t>(number - 1)].idText);
}

void ToursSectorsSetup::sectorNumberChanged(int number)
{
    if (number < 1 || number > LocalTables::SectorCount)
        return;
    showSector(number);
    startTimer(SectorStatusTimer, ChainStepMs);
    startTimer(SectorTextTimer, SectorTextAfterNumberMs);
    changed();
}

void ToursSectorsSetup::storeIdText(int sector, std::string text)
{
    std::string& stored = m_tables.sectors[static_cast<std::size_t>(sector - 1)].idText;
    if (stored == text)
        return;
    stored = std::move(text);
    m_configurationChanged = true;
}

void ToursSectorsSetup::idTextEdited(std::string_view text)
{
    if (!isWireText(text))
        return; // refused: the edit keeps what it had
    m_idText = std::string(text);
    storeIdText(m_currentSector, m_idText);
}

void ToursSectorsSetup::setSectorLimit(Limit limit)
{
    pacedSend(std::string("*SL") + numberCode(m_currentSector) + (limit == Limit::Left ? 'L' : 'R'));
}

void ToursSectorsSetup::sendId()
{
    std::string text = m_idText;
    if (text.size() < SentIdLength)
        text.resize(SentIdLength, ' ');
    pacedSend(std::string("dST") + numberCode(m_currentSector) + text);
}

void ToursSectorsSetup::sectorEnableClicked(bool enabled)
{
    m_sectorEnabled = enabled;
    pacedSend(std::string("dSS") + numberCode(m_currentSector) + (enabled ? '1' : '0'));
}

bool ToursSectorsSetup::confirmDelete(std::string_view question)
{
    return m_prompter.askYesNo(question, {}, MessageIcon::Error, DefaultButton::Second);
}

void ToursSectorsSetup::deleteSector()
{
    if (confirmDelete(Messages::DeleteSectorQuestion))
        pacedSend(std::string("*SC") + numberCode(m_currentSector));
}

void ToursSectorsSetup::deleteAllSectors()
{
    if (confirmDelete(Messages::DeleteAllSectorsQuestion))
        pacedSend("*SC0");
}

// Privacy zones --------------------------------------------------------------

void ToursSectorsSetup::zoneNumberChanged(int number)
{
    if (number < 1 || number > LocalTables::ZoneCount)
        return;
    m_currentZone = number;
    startTimer(ZoneStatusTimer, ChainStepMs);
    changed();
}

void ToursSectorsSetup::setZoneLimit(Limit limit)
{
    pacedSend(std::string("*PL") + numberCode(m_currentZone) + (limit == Limit::Left ? 'L' : 'R'));
}

void ToursSectorsSetup::zoneEnableClicked(bool enabled)
{
    m_zoneEnabled = enabled;
    pacedSend(std::string("*PS") + numberCode(m_currentZone) + (enabled ? '1' : '0'));
}

void ToursSectorsSetup::deleteZone()
{
    if (confirmDelete(Messages::DeleteZoneQuestion))
        pacedSend(std::string("*PC") + numberCode(m_currentZone));
}

void ToursSectorsSetup::deleteAllZones()
{
    if (confirmDelete(Messages::DeleteAllZonesQuestion))
        pacedSend("*PC0");
}

// Tours ----------------------------------------------------------------------

void ToursSectorsSetup::storeGrid()
{
    m_grid.storeInto(m_tables.tours[static_cast<std::size_t>(m_currentTour)]);
    m_configurationChanged = true;
}

void ToursSectorsSetup::tourSelected(int index)
{
    if (index < 0 || index >= LocalTables::TourCount || index == m_currentTour)
        return;
    if (m_gridChanged) {
        storeGrid();
        m_gridChanged = false;
    }
    // The tour that was running under the old selection stops.
    pacedSend(std::string("*TS") + tourCode() + '0');
    m_currentTour = index;
    m_startEnabled = true;
    // The local copy until the camera's own steps arrive.
    m_grid.showTour(m_tables.tours[static_cast<std::size_t>(index)]);
    startTimer(TourPresetsTimer, TourPresetsAfterSelectionMs);
    changed();
}

void ToursSectorsSetup::startTouring()
{
    m_startEnabled = false;
    pacedSend(std::string("*TS") + tourCode() + '1');
    changed();
}

void ToursSectorsSetup::stopTouring()
{
    m_startEnabled = true;
    pacedSend(std::string("*TS") + tourCode() + '0');
    changed();
}

void ToursSectorsSetup::clearAllData()
{
    m_grid.clearSteps();
    storeGrid();
    pacedSend(std::string("*TC") + tourCode());
    m_gridChanged = true;
    changed();
}

void ToursSectorsSetup::setAllDwells(Cell focused)
{
    if (focused.column != TourGrid::DwellColumn || !TourGrid::isStepCell(focused.row, focused.column)
        || m_grid.isEmpty(focused.row, focused.column))
        return;
    const std::string dwell = m_grid.text(focused.row, focused.column);
    for (int row = TourGrid::FirstStepRow; row <= TourGrid::LastStepRow; ++row) {
        if (!m_grid.isEmpty(row, TourGrid::PresetColumn))
            m_grid.setText(row, TourGrid::DwellColumn, dwell);
    }
    storeGrid();
    m_gridChanged = true;
    changed();
}

std::optional<ToursSectorsSetup::Cell> ToursSectorsSetup::applyTourSetup()
{
    for (int row = TourGrid::FirstStepRow; row <= TourGrid::LastStepRow; ++row) {
        if (m_grid.isEmpty(row, TourGrid::PresetColumn)) {
            m_grid.setText(row, TourGrid::DwellColumn, {});
        } else if (m_grid.isEmpty(row, TourGrid::DwellColumn)) {
            m_prompter.showMessage(Messages::ProvideDwellTime, {}, MessageIcon::Error);
            changed();
            return Cell{row, TourGrid::DwellColumn};
        }
    }
    storeGrid();
    pacedSend(std::string("*TP") + tourCode() + m_grid.stepBytes(TourGrid::PresetColumn));
    pacedSend(std::string("*TD") + tourCode() + m_grid.stepBytes(TourGrid::DwellColumn));
    changed();
    return std::nullopt;
}

bool ToursSectorsSetup::cellEdited(Cell cell, std::string_view text)
{
    if (!TourGrid::isStepCell(cell.row, cell.column))
        return false;
    const auto accepted = TourGrid::acceptedText(cell.column, text);
    if (!accepted)
        return false;
    m_grid.setText(cell.row, cell.column, *accepted);
    TourStep& step = m_tables.tours[static_cast<std::size_t>(m_currentTour)].steps[static_cast<std::size_t>(cell.row - 1)];
    (cell.column == TourGrid::PresetColumn ? step.preset : step.dwell) = m_grid.value(cell.row, cell.column);
    m_configurationChanged = true;
    changed();
    return true;
}

// Jog ------------------------------------------------------------------------

void ToursSectorsSetup::jogPressed(Jog jog)
{
    pacedSend(jogCommands(jog).press);
}

void ToursSectorsSetup::jogReleased(Jog jog)
{
    pacedSend(jogCommands(jog).release);
}

// Close ----------------------------------------------------------------------

bool ToursSectorsSetup::close()
{
    if (!m_configurationChanged)
        return true;
    if (!m_prompter.askYesNo(Messages::SaveConfigurationChanges, {}, MessageIcon::Question, DefaultButton::First))
        return true;
    if (const auto error = DomeFile::save(m_domeFilePath, m_tables)) {
        // Nothing is lost: the dialog stays open with the tables as they are.
        m_prompter.showMessage(Messages::format(Messages::CouldNotSave, m_domeFilePath.c_str(), error->c_str()),
                               {}, MessageIcon::Error);
        return false;
    }
    m_configurationChanged = false;
    return true;
}

// Read-back ------------------------------------------------------------------

void ToursSectorsSetup::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    switch (id) {
    case SectorStatusTimer: pacedSend(std::string("cdSs") + numberCode(m_currentSector)); break;
    case SectorTextTimer: pacedSend(std::string("cdSS") + numberCode(m_querySector)); break;
    case ZoneStatusTimer: pacedSend(std::string("*Ps") + numberCode(m_currentZone)); break;
    case TourPresetsTimer: pacedSend(std::string("*Tp") + tourCode()); break;
    case TourDwellsTimer: pacedSend(std::string("*Td") + tourCode()); break;
    default: break;
    }
}

void ToursSectorsSetup::applyTourSteps(const ToursSectorsReply& reply, int column)
{
    for (std::size_t i = 0; i < reply.stepCount; ++i) {
        const int row = TourGrid::FirstStepRow + static_cast<int>(i);
        const auto& value = reply.steps[i];
        m_grid.setText(row, column, value ? TourGrid::acceptedText(column, std::to_string(*value)).value_or("") : "");
    }
}

void ToursSectorsSetup::replyReceived(std::span<const std::uint8_t> frame)
{
    using Kind = ToursSectorsReply::Kind;
    const ToursSectorsReply reply = ToursSectorsReply::parse(frame, m_link.state().protocolIndex);
    switch (reply.kind) {
    case Kind::Unknown: return;
    case Kind::SectorStatus:
        m_querySector = reply.number;
        m_sectorEnabled = reply.enabled;
        startTimer(SectorTextTimer, ChainStepMs);
        break;
    case Kind::SectorText:
        m_querySector = reply.number;
        // The text belongs to the sector it names, even when the operator
        // has moved on to another one meanwhile.
        if (reply.number == m_currentSector)
            m_idText = reply.text;
        storeIdText(reply.number, reply.text);
        startTimer(ZoneStatusTimer, ChainStepMs);
        break;
    case Kind::ZoneStatus:
        m_currentZone = reply.number;
        m_zoneEnabled = reply.enabled;
        startTimer(TourPresetsTimer, ChainStepMs);
        break;
    case Kind::TourStatus:
        m_currentZone = reply.number;
        m_zoneEnabled = reply.enabled;
        break;
    case Kind::TourPresets:
    case Kind::TourDwells:
        // Steps of a tour that is no longer selected would land in the wrong one.
        if (reply.number != m_currentTour + 1)
            return;
        if (reply.kind == Kind::TourPresets) {
            applyTourSteps(reply, TourGrid::PresetColumn);
            startTimer(TourDwellsTimer, ChainStepMs);
        } else {
            applyTourSteps(reply, TourGrid::DwellColumn);
        }
        break;
    }
    changed();
}

} // namespace tarn
