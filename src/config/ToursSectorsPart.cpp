#include "config/ToursSectorsPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "core/Messages.h"
#include "link/DialogDoor.h"

#include <array>

namespace tarn {
namespace {

constexpr std::array<int, 5> ChainTimers = {ToursSectorsSetup::SectorStatusTimer, ToursSectorsSetup::SectorTextTimer,
                                            ToursSectorsSetup::ZoneStatusTimer, ToursSectorsSetup::TourPresetsTimer,
                                            ToursSectorsSetup::TourDwellsTimer};

std::string sectorField(int number, const char* what)
{
    return "Sector " + std::to_string(number) + ' ' + what;
}

std::string zoneField(int number)
{
    return "Zone " + std::to_string(number) + " Enable";
}

std::string tourField(int number)
{
    return "Tour " + std::to_string(number);
}

// The grid's cells of a tour text, row by row from the first step; nullopt
// when a step does not read or a value is outside its column's range.
std::optional<std::vector<std::array<std::string, 2>>> tourCells(std::string_view text)
{
    std::vector<std::array<std::string, 2>> cells;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view step = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (step.empty())
            continue;
        const std::size_t slash = step.find('/');
        if (slash == std::string_view::npos || cells.size() >= static_cast<std::size_t>(TourGrid::LastStepRow))
            return std::nullopt;
        std::array<std::string, 2> row;
        const std::array<std::string_view, 2> parts = {step.substr(0, slash), step.substr(slash + 1)};
        const std::array<int, 2> columns = {TourGrid::PresetColumn, TourGrid::DwellColumn};
        for (std::size_t i = 0; i < 2; ++i) {
            if (parts[i] == "-")
                continue;
            const auto accepted = TourGrid::acceptedText(columns[i], parts[i]);
            if (!accepted || accepted->empty())
                return std::nullopt;
            row[i] = *accepted;
        }
        cells.push_back(row);
    }
    return cells;
}

} // namespace

std::string ToursSectorsPart::tourText(const TourGrid& grid)
{
    int last = 0;
    for (int row = TourGrid::FirstStepRow; row <= TourGrid::LastStepRow; ++row) {
        if (!grid.isEmpty(row, TourGrid::PresetColumn) || !grid.isEmpty(row, TourGrid::DwellColumn))
            last = row;
    }
    std::string text;
    for (int row = TourGrid::FirstStepRow; row <= last; ++row) {
        const auto cell = [&](int column) {
            return grid.isEmpty(row, column) ? std::string("-") : grid.text(row, column);
        };
        text += (text.empty() ? "" : " ") + cell(TourGrid::PresetColumn) + '/' + cell(TourGrid::DwellColumn);
    }
    return text;
}

bool ToursSectorsPart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::isMakers(context.receiverType);
}

void ToursSectorsPart::open(SnapshotContext& context)
{
    m_timers = &context.door.timers();
    m_steps.clear();
    m_read = {};
    // Opening reads sector 1, zone 1 and tour 1.
    m_setup = std::make_unique<ToursSectorsSetup>(context.door.link(), context.door.prompter(), context.domeFilePath);
}

bool ToursSectorsPart::busy() const
{
    if (!m_setup)
        return false;
    for (const int timer : ChainTimers) {
        if (m_timers->isRunning(*m_setup, timer))
            return true;
    }
    return false;
}

void ToursSectorsPart::startReading(SnapshotContext& context)
{
    open(context);
    // Each step keeps what the one before read, then chooses the next.
    for (int sector = 1; sector <= LocalTables::SectorCount; ++sector) {
        m_steps.add([this, sector] {
            m_read.set(sectorField(sector, "Enable"), SnapshotFields::flagText(m_setup->sectorEnabled()));
            m_read.set(sectorField(sector, "ID Text"), m_setup->idText());
            m_setup->sectorNumberChanged(sector < LocalTables::SectorCount ? sector + 1 : 1);
        });
    }
    for (int zone = 1; zone <= LocalTables::ZoneCount; ++zone) {
        m_steps.add([this, zone] {
            m_read.set(zoneField(zone), SnapshotFields::flagText(m_setup->zoneEnabled()));
            if (zone < LocalTables::ZoneCount)
                m_setup->zoneNumberChanged(zone + 1);
        });
    }
    for (int tour = 1; tour <= LocalTables::TourCount; ++tour) {
        m_steps.add([this, tour] {
            m_read.set(tourField(tour), tourText(m_setup->grid()));
            if (tour < LocalTables::TourCount)
                m_setup->tourSelected(tour);
        });
    }
}

void ToursSectorsPart::finishReading(ConfigSection& section)
{
    for (ConfigField& field : m_read.fields)
        section.set(field.name, std::move(field.value));
    m_read = {};
    m_steps.clear();
    m_setup.reset();
}

std::optional<std::string> ToursSectorsPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    for (int sector = 1; sector <= LocalTables::SectorCount; ++sector) {
        if (fields.has(sectorField(sector, "Enable")))
            fields.flag(sectorField(sector, "Enable"));
        if (fields.has(sectorField(sector, "ID Text")))
            fields.text(sectorField(sector, "ID Text"), ToursSectorsSetup::LongestIdText);
    }
    for (int zone = 1; zone <= LocalTables::ZoneCount; ++zone) {
        if (fields.has(zoneField(zone)))
            fields.flag(zoneField(zone));
    }
    if (fields.problem())
        return fields.problem();
    for (int tour = 1; tour <= LocalTables::TourCount; ++tour) {
        const std::string* text = section.find(tourField(tour));
        if (text && !tourCells(*text))
            return Messages::format(Messages::ConfigTourUnreadable, section.name.c_str(), tourField(tour).c_str(),
                                    text->c_str());
    }
    return std::nullopt;
}

void ToursSectorsPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    open(context);
    SnapshotFields fields(section);
    for (int sector = 1; sector <= LocalTables::SectorCount; ++sector) {
        const std::string enable = sectorField(sector, "Enable");
        const std::string text = sectorField(sector, "ID Text");
        const std::optional<bool> on = fields.has(enable) ? fields.flag(enable) : std::nullopt;
        const std::optional<std::string> id =
            fields.has(text) ? fields.text(text, ToursSectorsSetup::LongestIdText) : std::nullopt;
        if (!on && !id)
            continue;
        // Choosing the sector asks for it a moment later, after its
        // settings have gone: the answer is the new settings.
        m_steps.add([this, sector, on, id] {
            m_setup->sectorNumberChanged(sector);
            if (id) {
                m_setup->idTextEdited(*id);
                m_setup->sendId();
            }
            if (on)
                m_setup->sectorEnableClicked(*on);
        });
    }
    for (int zone = 1; zone <= LocalTables::ZoneCount; ++zone) {
        if (!fields.has(zoneField(zone)))
            continue;
        const auto on = fields.flag(zoneField(zone));
        if (!on)
            continue;
        m_steps.add([this, zone, on = *on] {
            m_setup->zoneNumberChanged(zone);
            m_setup->zoneEnableClicked(on);
        });
    }
    for (int tour = 1; tour <= LocalTables::TourCount; ++tour) {
        const std::string* text = section.find(tourField(tour));
        const auto cells = text ? tourCells(*text) : std::nullopt;
        if (!cells)
            continue;
        // As with a sector, the camera's steps are asked for after the new ones went.
        m_steps.add([this, tour, cells = *cells] {
            m_setup->tourSelected(tour - 1);
            for (int row = TourGrid::FirstStepRow; row <= TourGrid::LastStepRow; ++row) {
                const auto index = static_cast<std::size_t>(row - TourGrid::FirstStepRow);
                const std::array<std::string, 2> cell = index < cells.size() ? cells[index] : std::array<std::string, 2>{};
                m_setup->cellEdited({row, TourGrid::PresetColumn}, cell[0]);
                m_setup->cellEdited({row, TourGrid::DwellColumn}, cell[1]);
            }
            m_setup->applyTourSetup();
        });
    }
}

void ToursSectorsPart::finishWriting()
{
    m_steps.clear();
    m_setup.reset();
}

} // namespace tarn
