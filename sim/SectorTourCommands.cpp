#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/TextFields.h"

#include <optional>

namespace tarn::sim {

namespace {

// A sector, zone or tour travels as '0' + its number: sectors '1'..'@'
// (16), zones and tours '1'..'8'. '0' in a delete command means all.
using TextFields::numberIndexAt;

bool allAt(std::string_view text, std::size_t position)
{
    return text.size() > position && text[position] == '0';
}

// '1' on, '0' off; anything else leaves it.
void setFlag(bool& flag, std::string_view text, std::size_t position)
{
    if (text.size() > position && (text[position] == '0' || text[position] == '1'))
        flag = text[position] == '1';
}

char flagChar(bool flag)
{
    return flag ? '1' : '0';
}

// "L" or "R" after the number: the dome's pan position becomes that limit.
void storeLimit(PanRange& range, const CameraState& state, std::string_view text)
{
    if (text.size() < 5)
        return;
    if (text[4] == 'L')
        range.left = state.pan.roundedPosition();
    else if (text[4] == 'R')
        range.right = state.pan.roundedPosition();
}

// Each step a byte of value + 16; 0x0F and 0x10 are empty.
void storeSteps(Tour& tour, std::string_view bytes, int TourStep::*field, int highest)
{
    for (std::size_t i = 0; i < tour.steps.size(); ++i) {
        const int value = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) - 16 : 0;
        tour.steps[i].*field = value >= 1 && value <= highest ? value : 0;
    }
}

// The 32 steps of the grid, each as value + 16.
std::string stepBytes(const Tour& tour, int TourStep::*field)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < tour.steps.size(); ++i)
        bytes.push_back(static_cast<char>(tour.steps[i].*field + 16));
    return bytes;
}

constexpr int HighestPreset = 64;
constexpr int HighestDwell = 60;

} // namespace

void addSectorTourCommands(CommandTable& table, CameraState& state)
{
    SectorTourState& tables = state.sectorTours;
    const auto sector = [&tables](std::string_view text, std::size_t position) -> Sector* {
        const auto index = numberIndexAt(text, position, SectorTourState::SectorCount);
        return index ? &tables.sectors[*index] : nullptr;
    };
    const auto zone = [&tables](std::string_view text, std::size_t position) -> PanRange* {
        const auto index = numberIndexAt(text, position, SectorTourState::ZoneCount);
        return index ? &tables.zones[*index] : nullptr;
    };
    const auto tour = [&tables](std::string_view text, std::size_t position) -> Tour* {
        const auto index = numberIndexAt(text, position, SectorTourState::TourCount);
        return index ? &tables.tours[*index] : nullptr;
    };

    // Sectors.
    table.add("*SL", [&state, sector](std::string_view text) {
        if (Sector* s = sector(text, 3))
            storeLimit(*s, state, text);
        return CommandResult::ack();
    });
    table.add("dST", [sector](std::string_view text) {
        if (Sector* s = sector(text, 3)) {
            std::string idText(text.substr(4, Sector::IdTextLength));
            idText.resize(Sector::IdTextLength, ' ');
            s->idText = idText;
        }
        return CommandResult::ack();
    });
    table.add("dSS", [sector](std::string_view text) {
        if (Sector* s = sector(text, 3))
            setFlag(s->enabled, text, 4);
        return CommandResult::ack();
    });
    table.add("*SC", [&tables, sector](std::string_view text) {
        if (allAt(text, 3)) {
            for (Sector& s : tables.sectors)
                s.left = s.right = PanRange::NotSet;
        } else if (Sector* s = sector(text, 3)) {
            s->left = s->right = PanRange::NotSet;
        }
        return CommandResult::ack();
    });
    table.add("cdSs", [sector](std::string_view text) {
        const Sector* s = sector(text, 4);
        return s ? CommandResult::reply(std::string("dSS") + text[4] + flagChar(s->enabled)) : CommandResult::ack();
    });
    table.add("cdSS", [sector](std::string_view text) {
        const Sector* s = sector(text, 4);
        return s ? CommandResult::reply(std::string("dST") + text[4] + s->idText) : CommandResult::ack();
    });

    // Privacy zones.
    table.add("*PL", [&state, zone](std::string_view text) {
        if (PanRange* z = zone(text, 3))
            storeLimit(*z, state, text);
        return CommandResult::ack();
    });
    table.add("*PS", [zone](std::string_view text) {
        if (PanRange* z = zone(text, 3))
            setFlag(z->enabled, text, 4);
        return CommandResult::ack();
    });
    table.add("*PC", [&tables, zone](std::string_view text) {
        if (allAt(text, 3)) {
            for (PanRange& z : tables.zones)
                z.left = z.right = PanRange::NotSet;
        } else if (PanRange* z = zone(text, 3)) {
            z->left = z->right = PanRange::NotSet;
        }
        return CommandResult::ack();
    });
    table.add("*Ps", [zone](std::string_view text) {
        const PanRange* z = zone(text, 3);
        return z ? CommandResult::reply(std::string("*PS") + text[3] + flagChar(z->enabled)) : CommandResult::ack();
    });

    // Tours.
    table.add("*TP", [tour](std::string_view text) {
        if (Tour* t = tour(text, 3))
            storeSteps(*t, text.substr(4), &TourStep::preset, HighestPreset);
        return CommandResult::ack();
    });
    table.add("*TD", [tour](std::string_view text) {
        if (Tour* t = tour(text, 3))
            storeSteps(*t, text.substr(4), &TourStep::dwell, HighestDwell);
        return CommandResult::ack();
    });
    table.add("*TC", [&state, tour](std::string_view text) {
        if (Tour* t = tour(text, 3)) {
            *t = Tour{};
            if (state.runningTour == text[3] - '1')
                state.leaveTour();
        }
        return CommandResult::ack();
    });
    // "*TS" + tour + '1' start / '0' stop (whichever tour runs).
    table.add("*TS", [&state, &tables](std::string_view text) {
        const auto index = numberIndexAt(text, 3, SectorTourState::TourCount);
        if (!index || text.size() < 5)
            return CommandResult::ack();
        if (text[4] == '1')
            tables.startTour(state, static_cast<int>(*index), state.now());
        else if (text[4] == '0')
            state.leaveTour();
        return CommandResult::ack();
    });
    table.add("*Tp", [tour](std::string_view text) {
        const Tour* t = tour(text, 3);
        return t ? CommandResult::reply(std::string("*TP") + text[3] + stepBytes(*t, &TourStep::preset))
                 : CommandResult::ack();
    });
    table.add("*Td", [tour](std::string_view text) {
        const Tour* t = tour(text, 3);
        return t ? CommandResult::reply(std::string("*TD") + text[3] + stepBytes(*t, &TourStep::dwell))
                 : CommandResult::ack();
    });
}

} // namespace tarn::sim
