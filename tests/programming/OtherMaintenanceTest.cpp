#include "programming/MaintenanceReply.h"
#include "programming/OtherMaintenance.h"

#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"
#include "support/TemporaryFolder.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace tarn::test {
namespace {

namespace fs = std::filesystem;

Bytes reply(std::string_view text)
{
    return cameraReply(0x01, text);
}

// Texts that crossed the line, with the virtual time they went out.
struct TimedLine : ByteTransport {
    VirtualClock& clock;
    std::vector<std::pair<std::int64_t, std::string>> sent;
    explicit TimedLine(VirtualClock& c) : clock(c) {}
    void write(std::span<const std::uint8_t> bytes) override
    {
        if (bytes.size() > 3 && bytes[0] == 0xF8)
            sent.push_back({clock.nowMs(), std::string(bytes.begin() + 2, bytes.end() - 1)});
    }
};

std::string contentsOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// 1 June 2024, 14:05.
std::tm fixedTime()
{
    std::tm time{};
    time.tm_year = 124;
    time.tm_mon = 5;
    time.tm_mday = 1;
    time.tm_hour = 14;
    time.tm_min = 5;
    return time;
}

class OtherMaintenanceTest : public LinkFixture {
protected:
    TimedLine line{clock};
    Settings settings;
    ConnectionSequence connection{link, prompter, profile, settings};
    std::deque<std::optional<std::string>> passwords;
    OtherMaintenance other{link,
                           prompter,
                           connection,
                           1,
                           [this] {
                               auto next = passwords.empty() ? std::nullopt : passwords.front();
                               if (!passwords.empty())
                                   passwords.pop_front();
                               return next;
                           },
                           fixedTime};
    TemporaryFolder directory;

    OtherMaintenanceTest()
    {
        link.setSerialTransport(&line);
        link.state().framedSend = true;
        link.state().cameraType = 1;
    }

    void recordTo(OtherMaintenance::Log log, const fs::path& path)
    {
        other.editLogFileName(log, path.string());
        prompter.scriptAnswer(true); // "Will be overwritten, is that OK?"
        other.startRecording(log);
    }
};

TEST_F(OtherMaintenanceTest, controlsQueueTheirCommands)
{
    struct Row {
        const char* name;
        std::function<void(OtherMaintenance&)> action;
        std::vector<std::string> sent;
        std::vector<std::string> messages;
    };
    const auto heater = [](std::string level) {
        return [level](OtherMaintenance& o) {
            o.editHeaterLevel(level);
            o.setHeater();
        };
    };
    const Row rows[] = {
        // The camera relies on this one command, whatever level is typed.
        {"heater 50", heater("50"), {"mt4060e01"}, {}},
        {"heater 4", heater("4"), {"mt4060e01"}, {}},
        {"heater 85", heater(" 85"), {"mt4060e01"}, {}},
        {"heater 3", heater("3"), {}, {"Please enter an integer between 4 and 85."}},
        {"heater 86", heater("86"), {}, {"Please enter an integer between 4 and 85."}},
        {"heater empty", heater(""), {}, {"Please enter an integer."}},
        {"heater get", [](auto& o) { o.getHeater(); }, {"mtS"}, {}},
        {"freeze", [](auto& o) { o.setFreezeVideo(true); o.setFreezeVideo(false); }, {"mf1", "mf0"}, {}},
        {"freeze get", [](auto& o) { o.getFreeze(); }, {"mfS"}, {}},
        {"virtual home get", [](auto& o) { o.getVirtualHome(); }, {"mVg"}, {}},
        {"barrel temperature", [](auto& o) { o.getBarrelTemperature(); }, {"mTS"}, {}},
        {"test", [](auto& o) { o.testBarrel(); }, {"mTt"}, {}},
        {"wipe", [](auto& o) { o.wipe(); }, {"L3"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        prompter.clear();
        row.action(other);
        EXPECT_EQ(queued(), row.sent);
        EXPECT_EQ(prompter.texts(), row.messages);
    }
}

TEST_F(OtherMaintenanceTest, guardedCommandsNeedTheExactPassword)
{
    struct Row {
        const char* command;
        std::function<void(OtherMaintenance&)> action;
    };
    const Row rows[] = {
        {"mVs", [](auto& o) { o.setVirtualHome(); }},
        {"mVc", [](auto& o) { o.clearVirtualHome(); }},
        {"mcs", [](auto& o) { o.storeCalWords(); }},
        {"mcc", [](auto& o) { o.clearCalWords(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        prompter.clear();
        passwords = {"kelpdawn", "KELPDAW", std::nullopt, "KELPDAWN"};
        for (int i = 0; i < 3; ++i)
            row.action(other);
        EXPECT_TRUE(queued().empty());
        EXPECT_EQ(prompter.texts(), (std::vector<std::string>(
                                        2, "Wrong Password - Not qualifying to do this service!")));
        row.action(other);
        EXPECT_EQ(queued(), std::vector<std::string>{row.command});
    }
}

TEST_F(OtherMaintenanceTest, clearNvramIsRememberedForTheExit)
{
    other.chooseNtcipMode(true);
    EXPECT_EQ(connection.ntcipState(), 1);
    EXPECT_TRUE(queued().empty()); // the mode buttons send nothing
    other.clearNvram();            // No is the default
    EXPECT_TRUE(queued().empty());
    prompter.scriptAnswer(true);
    other.clearNvram();
    EXPECT_EQ(queued(), std::vector<std::string>{"rrRRRR"});

    // The erased camera leaves NTCIP mode; the console remembers the mode it chose.
    connection.exitCommands();
    ASSERT_FALSE(line.sent.empty());
    EXPECT_EQ(line.sent.back().second, "mNd");
    EXPECT_EQ(profile.readInt(SettingsSection::Ntcip, SettingsKey::NtcipMode, -1), 1);
}

TEST_F(OtherMaintenanceTest, openingQueriesAndTheModeIndicator)
{
    other.open();
    clock.advance(499);
    EXPECT_FALSE(other.modeIndicatorShown());
    clock.advance(1);
    EXPECT_TRUE(other.modeIndicatorShown());
    clock.advance(6000);
    using Sent = std::vector<std::pair<std::int64_t, std::string>>;
    EXPECT_EQ(line.sent, (Sent{{505, "mtS"}, {1005, "mfS"}, {5505, "mtS"}}));

    for (int type = 0; type <= 6; ++type) {
        OtherMaintenance typed(link, prompter, connection, type, {});
        EXPECT_EQ(typed.modeButtonsEnabled(), type != 0 && type != 5) << type;
    }
}

TEST_F(OtherMaintenanceTest, barrelPollingSchedule)
{
    other.getBarrelPressure();
    clock.advance(300100);
    const std::string pressure = "mPSd06/01/24  02:05 PM";
    using Sent = std::vector<std::pair<std::int64_t, std::string>>;
    EXPECT_EQ(line.sent, (Sent{{15, "mTS"},
                               {505, pressure},
                               {119505, "mTS"},
                               {120505, pressure},
                               {239505, "mTS"},
                               {240505, pressure},
                               {300015, "mTS"}}));
}

TEST(MaintenanceReplyTest, partsAreTakenWhereTheyStand)
{
    using Kind = MaintenanceReply::Kind;
    const std::string calibration = "0123 4567 89AB CDEF 0000 1111";
    struct Row {
        std::string text;
        Kind kind;
        std::function<void(const MaintenanceReply&)> check;
    };
    const std::optional<std::string> none;
    const Row rows[] = {
        {"mT-12.5B-3.0", Kind::Temperature,
         [](const auto& r) { EXPECT_EQ(r.front, "-12.5"); EXPECT_EQ(r.back, "-3.0"); }},
        // At most seven characters of front temperature; no 'B', no back.
        {"mT123456789", Kind::Temperature,
         [&](const auto& r) { EXPECT_EQ(r.front, "1234567"); EXPECT_EQ(r.back, none); }},
        {"mTH100", Kind::Temperature,
         [&](const auto& r) { EXPECT_EQ(r.high, "H100"); EXPECT_EQ(r.low, none); EXPECT_EQ(r.front, none); }},
        {"mT", Kind::None, {}},
        {"mP  14.700       pt" + calibration + "S0012345", Kind::Pressure,
         [&](const auto& r) {
             EXPECT_EQ(r.currentPressure, "  14.700PSI");
             EXPECT_EQ(r.lastReadPressure, none);
             EXPECT_EQ(r.calibration, calibration);
             EXPECT_EQ(r.barrelSerial, "0012345");
         }},
        // Cut short: only what is there, never the checksum.
        {"mP14.7", Kind::Pressure,
         [&](const auto& r) {
             EXPECT_EQ(r.currentPressure, "14.7PSI");
             EXPECT_EQ(r.calibration, none);
             EXPECT_EQ(r.barrelSerial, none);
         }},
        {"mP  14.700lr  14.70406/01/24  01:05 PMpt" + calibration + "S0012345", Kind::Pressure,
         [&](const auto& r) {
             EXPECT_EQ(r.lastReadPressure, "  14.70406/01/24  01:05 PMPSI");
             EXPECT_EQ(r.calibration, calibration);
             EXPECT_EQ(r.barrelSerial, "0012345");
         }},
        {"mP  14.700lr12345", Kind::Pressure,
         [&](const auto& r) { EXPECT_EQ(r.lastReadPressure, "12345PSI"); EXPECT_EQ(r.calibration, none); }},
        {"mf0", Kind::Freeze, [](const auto& r) { EXPECT_FALSE(r.freeze); }},
        {"mf3", Kind::Freeze, [](const auto& r) { EXPECT_TRUE(r.freeze); }},
        {"mf", Kind::None, {}},
        {"mt4", Kind::Heater, [](const auto& r) { EXPECT_EQ(r.heaterLevel, "4"); }},
        {"mV0123", Kind::VirtualHome,
         [](const auto& r) { EXPECT_EQ(r.homePan, "0123"); EXPECT_EQ(r.homeTilt, ""); }},
        {"mW1", Kind::None, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const MaintenanceReply parsed = MaintenanceReply::parse(reply(row.text), 1);
        EXPECT_EQ(parsed.kind, row.kind);
        if (row.check)
            row.check(parsed);
    }
}

TEST_F(OtherMaintenanceTest, recordingNeedsAFileAndConsent)
{
    other.startRecording(OtherMaintenance::Log::Pressure);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Please specify a file to record\nbefore start recording.\n"});
    EXPECT_FALSE(other.recording(OtherMaintenance::Log::Pressure));

    prompter.clear();
    const fs::path path = directory.path() / "pressure.txt";
    prompter.scriptFile(path.string());
    other.browseLogFile(OtherMaintenance::Log::Pressure);
    EXPECT_EQ(prompter.shown().at(0).text, "Text Files (*.txt)|*.txt||");
    EXPECT_EQ(other.logFileName(OtherMaintenance::Log::Pressure), path.string());
    prompter.scriptAnswer(false);
    other.startRecording(OtherMaintenance::Log::Pressure);
    EXPECT_EQ(prompter.shown().at(1).text, "File  " + path.string() + "\nWill be overwritten,is that OK?\n");
    EXPECT_FALSE(other.recording(OtherMaintenance::Log::Pressure));
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(OtherMaintenanceTest, logFilesHoldExactlyTheirLines)
{
    other.open();
    const fs::path temperature = directory.path() / "temperature.txt";
    const fs::path pressure = directory.path() / "pressure.txt";
    { std::ofstream(pressure) << "an older recording\n"; }
    recordTo(OtherMaintenance::Log::Temperature, temperature);
    recordTo(OtherMaintenance::Log::Pressure, pressure);
    EXPECT_TRUE(other.recording(OtherMaintenance::Log::Temperature));
    // Pressure recording asks for the temperature at once, polls from 2 s.
    EXPECT_EQ(queued(), std::vector<std::string>{"mTS"});
    EXPECT_EQ(clock.remainingMs(other, OtherMaintenance::PressurePollTimerId), 2000);
    EXPECT_EQ(clock.remainingMs(other, OtherMaintenance::TemperaturePollTimerId), 1000);

    receive(reply("mT25.0B23.5"));
    receive(reply("mP  14.700       pt0123 4567 89AB CDEF 0000 1111S0012345"));
    other.stopRecording(OtherMaintenance::Log::Temperature);
    receive(reply("mT26.0B24.0"));
    EXPECT_FALSE(clock.isRunning(other, OtherMaintenance::TemperaturePollTimerId));

    const std::string header = "\n\n*****************************************\n06/01/24  02:05 PM  ";
    EXPECT_EQ(contentsOf(temperature),
              header + "Front Back           Barrel Temperature Results\n\n"
                       "25.0  23.5 Degree C\n");
    EXPECT_EQ(contentsOf(pressure),
              header + "Barrel Pressure Results              Real Data from PressureSensorChip \n\n"
                       "                                                         CW1  CW2  CW3  CW4  D1P  D2T\n\n"
                       "  14.700PSI PSI   @ 25.0 Degree C    0123 4567 89AB CDEF 0000 1111\n");
    EXPECT_EQ(prompter.texts().size(), 2u); // the two overwrite questions only
}

TEST_F(OtherMaintenanceTest, anUnwritableLogIsReportedOnceAndRecordingStops)
{
    other.open();
    const fs::path missing = directory.path() / "no such folder" / "t.txt";
    recordTo(OtherMaintenance::Log::Temperature, missing);
    EXPECT_FALSE(other.recording(OtherMaintenance::Log::Temperature));
    EXPECT_FALSE(clock.isRunning(other, OtherMaintenance::TemperaturePollTimerId));
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[1].text, "Cannot write to " + missing.string() + ": No such file or directory");

    // The file goes away while it is being recorded.
    prompter.clear();
    const fs::path path = directory.path() / "t.txt";
    recordTo(OtherMaintenance::Log::Temperature, path);
    ASSERT_TRUE(other.recording(OtherMaintenance::Log::Temperature));
    fs::remove(path);
    fs::create_directory(path);
    receive(reply("mT25.0B23.5"));
    receive(reply("mT25.0B23.5"));
    EXPECT_EQ(prompter.texts().back(), "Cannot write to " + path.string() + ": Is a directory");
    EXPECT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[1].icon, MessageIcon::Error);
    EXPECT_FALSE(other.recording(OtherMaintenance::Log::Temperature));
    EXPECT_FALSE(clock.isRunning(other, OtherMaintenance::TemperaturePollTimerId));
}

} // namespace
} // namespace tarn::test
