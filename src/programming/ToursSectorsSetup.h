#pragma once

#include "link/DialogLogic.h"
#include "platform/Timers.h"
#include "programming/LocalTables.h"
#include "programming/TourGrid.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
struct ToursSectorsReply;

// The "Tours and Sectors Setup" dialog without widgets: programs the camera's
// 16 sectors (pan limits, enable, ID text), 8 privacy zones and 8 tours, reads
// them back, and keeps the local copy that "Dome.dat" holds. Every command
// goes through the shared command queue, one at a time (its own pump, timers
// 10 and 11); the read-back runs as a chain, each answer asking the next
// question (timers 50 to 54).
//
// While it exists it is the link's receiver for the Tours and Sectors
// replies. The view reads everything back after each change.
class ToursSectorsSetup final : public DialogLogic, public TimerClient {
public:
    static constexpr int SectorStatusTimer = 50;
    static constexpr int SectorTextTimer = 51;
    static constexpr int ZoneStatusTimer = 52;
    static constexpr int TourPresetsTimer = 53;
    static constexpr int TourDwellsTimer = 54;
    static constexpr std::size_t LongestIdText = 25;
    static constexpr std::size_t SentIdLength = 24;

    enum class Limit { Left, Right };
    enum class Jog { PanLeft, PanRight, TiltUp, TiltDown, ZoomIn, ZoomOut, FocusNear, FocusFar };
    struct Cell {
        int row = 0;
        int column = 0;
        bool operator==(const Cell&) const = default;
    };

    // Loads the local tables from `domeFilePath` and starts the read-back
    // with sector 1's status.
    ToursSectorsSetup(CameraLink& link, Prompter& prompter, std::string domeFilePath);
    ~ToursSectorsSetup();


    // Sectors.
    void sectorNumberChanged(int number);
    int currentSector() const { return m_currentSector; }
    // The ID text edit's text.
    const std::string& idText() const { return m_idText; }
    // Printable ASCII only (the edit refuses anything else), at most 25.
    void idTextEdited(std::string_view text);
    static bool isWireText(std::string_view text);
    bool sectorEnabled() const { return m_sectorEnabled; }
    void setSectorLimit(Limit limit);
    void sendId();
    void sectorEnableClicked(bool enabled);
    void deleteSector();
    void deleteAllSectors();

    // Privacy zones.
    void zoneNumberChanged(int number);
    int currentZone() const { return m_currentZone; }
    bool zoneEnabled() const { return m_zoneEnabled; }
    void setZoneLimit(Limit limit);
    void zoneEnableClicked(bool enabled);
    void deleteZone();
    void deleteAllZones();

    // Tours: the list index 0..7 is tour 1..8.
    void tourSelected(int index);
    int currentTour() const { return m_currentTour; }
    bool startTouringEnabled() const { return m_startEnabled; }
    bool stopTouringEnabled() const { return !m_startEnabled; }
    void startTouring();
    void stopTouring();
    void clearAllData();
    // With the grid's focused cell.
    void setAllDwells(Cell focused);
    // Sends the tour, or returns the dwell cell that must be filled in first
    // (after telling the user).
    std::optional<Cell> applyTourSetup();
    // The end of a cell edit: false keeps the cell's old text.
    bool cellEdited(Cell cell, std::string_view text);
    const TourGrid& grid() const { return m_grid; }

    // The eight jog buttons: the motion on press, its stop on release.
    void jogPressed(Jog jog);
    void jogReleased(Jog jog);

    // "Close": false keeps the dialog open (the save failed and was reported).
    bool close();
    bool configurationChanged() const { return m_configurationChanged; }
    const LocalTables& tables() const { return m_tables; }
    const std::string& domeFilePath() const { return m_domeFilePath; }

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    // The dialog's send: into the queue, out through its own pump.
    void pacedSend(std::string command);
    void startTimer(int id, int delayMs);
    void storeIdText(int sector, std::string text);
    void showSector(int number);
    void applyTourSteps(const ToursSectorsReply& reply, int column);
    void storeGrid();
    bool confirmDelete(std::string_view question);
    static char numberCode(int number) { return static_cast<char>('0' + number); }
    char tourCode() const { return static_cast<char>('1' + m_currentTour); }

    std::string m_domeFilePath;
    LocalTables m_tables;
    TourGrid m_grid;

    int m_currentSector = 1;
    int m_querySector = 1;
    std::string m_idText;
    bool m_sectorEnabled = true;
    int m_currentZone = 1;
    bool m_zoneEnabled = true;
    int m_currentTour = 0;
    bool m_startEnabled = true;
    bool m_gridChanged = false;
    bool m_configurationChanged = false;
};

} // namespace tarn
