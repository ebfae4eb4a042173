#pragma once

#include "core/CameraTypes.h"
#include "link/DialogLogic.h"
#include "platform/Timers.h"
#include "programming/DateTimeText.h"
#include "programming/TextLog.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class NtcipKeeper;
class Prompter;
struct MaintenanceReply;

// What the other maintenance dialog shows: the edits' texts.
struct OtherMaintenanceValues {
    std::string heaterLevel;
    bool freezeVideo = false;
    std::string homePan, homeTilt;
    std::string frontTemperature, backTemperature, highTemperature, lowTemperature;
    std::string currentPressure, lastReadPressure;
    std::string barrelSerial;
    std::string calibration; // kept for the pressure log
};

// "Other Maintenance" without widgets: heater, video freeze, virtual home,
// the camera's setup memory and calibration words (some behind the service
// password), the barrel's temperature and pressure with their polls and log
// files, and the console's NTCIP mode.
class OtherMaintenance final : public DialogLogic, public TimerClient {
public:
    enum class Log { Temperature, Pressure };
    // Shows the "Supervisory Function" box; the text entered, or nothing
    // when it was not closed with OK.
    using PasswordAsker = std::function<std::optional<std::string>()>;

    // Timers of the dialog (ids and periods the camera's service routine
    // was tuned to).
    static constexpr int HeaterQueryTimerId = 12;     // "mtS" 500 ms after opening
    static constexpr int FreezeQueryTimerId = 13;     // "mfS" 1000 ms after opening
    static constexpr int TemperaturePollTimerId = 15; // "mTS" every 5 minutes
    static constexpr int PressurePollTimerId = 16;    // dated "mPS" every 120 s
    static constexpr int HeaterRequeryTimerId = 17;   // "mtS" again, 5000 ms after the indicator
    static constexpr int PressureLeadTimerId = 18;    // "mTS" a second before each "mPS"
    static constexpr int ModeIndicatorTimerId = 20;   // the mode indicator, 500 ms after opening
    static constexpr int TemperaturePollMs = 300000;
    static constexpr int PressurePollMs = 120000;
    static constexpr int PressureLeadMs = 119000;
    static constexpr int HeaterLevelMin = 4;
    static constexpr int HeaterLevelMax = 85;

    // The Setup dialog's pauses around this dialog, so the camera has
    // finished with what went before and after.
    static constexpr int OpeningPauseMs = 1000;
    static int closingPauseMs(bool closedWithOk) { return closedWithOk ? 1000 : 500; }

    // `cameraType` is the one chosen in the Setup dialog.
    OtherMaintenance(CameraLink& link, Prompter& prompter, NtcipKeeper& ntcip,
                     int cameraType, PasswordAsker askPassword, LocalTimeSource now = localTimeNow);
    ~OtherMaintenance();

    // Takes the camera's replies and schedules the first queries.
    void open();

    void editHeaterLevel(std::string text) { m_values.heaterLevel = std::move(text); }
    // "Set": refused (with the reason shown) unless the level is 4..85; the
    // camera takes its trigger levels from the fixed command "mt4060e01".
    void setHeater();
    void getHeater();
    void setFreezeVideo(bool on);
    void getFreeze();
    void setVirtualHome();   // password
    void getVirtualHome();
    void clearVirtualHome(); // password
    void clearNvram();
    void storeCalWords();    // password
    void clearCalWords();    // password
    // Barrel pressure "Get": starts the temperature and pressure polls.
    void getBarrelPressure();
    void getBarrelTemperature();
    void testBarrel();
    void wipe();

    void browseLogFile(Log log);
    void editLogFileName(Log log, std::string name);
    void startRecording(Log log);
    void stopRecording(Log log);

    // "To be in NTCIP mode" / "To be in Tarn mode": the console's record of
    // the camera's mode, given back at exit. Nothing is sent.
    void chooseNtcipMode(bool on);

    const OtherMaintenanceValues& values() const { return m_values; }
    const std::string& logFileName(Log log) const { return logOf(log).file.fileName(); }
    bool recording(Log log) const { return logOf(log).on; }
    bool modeButtonsEnabled() const { return CameraType::hasNtcipMode(m_cameraType); }
    bool modeIndicatorShown() const { return m_indicatorShown; }
    bool ntcipMode() const;


    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    struct LogState {
        TextLog file;
        bool on = false;
    };

    void send(std::string_view command);
    void sendWithPassword(std::string_view command);
    void applyTemperature(const MaintenanceReply& reply);
    void applyPressure(const MaintenanceReply& reply);
    void writeToLog(Log log, const std::string& line);
    void logFailed(Log log);
    int pollTimerOf(Log log) const;
    LogState& logOf(Log log) { return m_logs[static_cast<std::size_t>(log)]; }
    const LogState& logOf(Log log) const { return m_logs[static_cast<std::size_t>(log)]; }

    NtcipKeeper& m_ntcip;
    const int m_cameraType;
    PasswordAsker m_askPassword;
    LocalTimeSource m_now;
    OtherMaintenanceValues m_values;
    std::array<LogState, 2> m_logs;
    bool m_indicatorShown = false;
};

} // namespace tarn
