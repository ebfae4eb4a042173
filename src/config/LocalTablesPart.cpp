#include "config/LocalTablesPart.h"

#include "programming/DomeFile.h"

namespace tarn {
namespace {

std::string limitText(std::int16_t limit)
{
    return limit == LimitNotSet ? std::string("not set") : std::to_string(limit);
}

// "3/10 5/20": each step's preset and dwell, up to the last step in use.
std::string tourText(const CCameraTour& tour)
{
    std::size_t used = tour.steps.size();
    while (used > 0 && tour.steps[used - 1] == TourStep{})
        --used;
    std::string text;
    for (std::size_t i = 0; i < used; ++i) {
        if (i > 0)
            text += ' ';
        text += std::to_string(tour.steps[i].preset) + '/' + std::to_string(tour.steps[i].dwell);
    }
    return text;
}

} // namespace

void LocalTablesPart::finishReading(ConfigSection& section)
{
    const LocalTables tables = DomeFile::load(m_path).tables;
    for (std::size_t i = 0; i < tables.sectors.size(); ++i) {
        const CSector& sector = tables.sectors[i];
        const std::string prefix = "Sector " + std::to_string(i + 1) + ' ';
        section.set(prefix + "Left Limit", limitText(sector.leftLimit));
        section.set(prefix + "Right Limit", limitText(sector.rightLimit));
        section.set(prefix + "Enable", sector.enabled ? "on" : "off");
        section.set(prefix + "ID Text", sector.idText);
    }
    for (std::size_t i = 0; i < tables.zones.size(); ++i) {
        const CPriZone& zone = tables.zones[i];
        const std::string prefix = "Zone " + std::to_string(i + 1) + ' ';
        section.set(prefix + "Left Limit", limitText(zone.leftLimit));
        section.set(prefix + "Right Limit", limitText(zone.rightLimit));
        section.set(prefix + "Enable", zone.enabled ? "on" : "off");
    }
    for (std::size_t i = 0; i < tables.tours.size(); ++i)
        section.set("Tour " + std::to_string(i + 1), tourText(tables.tours[i]));
}

} // namespace tarn
