#include "config/AzimuthPart.h"
#include "config/ConfigJob.h"
#include "config/CameraIdPart.h"
#include "config/DspPart.h"
#include "config/LinePart.h"
#include "config/ScreenPrivacyPart.h"
#include "config/SetupPart.h"
#include "config/ThermalPart.h"
#include "config/ToursSectorsPart.h"
#include "config/SnapshotPass.h"
#include "config/WashPart.h"
#include "config/WipePart.h"
#include "support/DoorOverLink.h"
#include "support/LinkFixture.h"
#include "support/TemporaryFolder.h"

#include <map>
#include <memory>

namespace tarn::test {
namespace {

// A camera on the captured line: it answers each command the pass sends
// with its reply text, or a bare acknowledgement, or nothing at all.
class SnapshotPassTest : public LinkFixture {
public:
    SnapshotPassTest() { link.state().cameraType = 0; }

    std::map<std::string, std::string> answers;
    bool silent = false;
    // Stops answering after this many commands.
    int answersLeft = 1000;
    // Commands whose answer is lost, as many times as each is counted here.
    std::map<std::string, int> lost;
    std::vector<std::string> sent;
    DoorOverLink door{link, prompter, clock};
    SnapshotContext context{door, 0, 1, 1, {}, {}};

    static std::vector<std::unique_ptr<SnapshotPart>> parts()
    {
        std::vector<std::unique_ptr<SnapshotPart>> list;
        list.push_back(std::make_unique<WipePart>());
        list.push_back(std::make_unique<WashPart>());
        list.push_back(std::make_unique<AzimuthPart>());
        return list;
    }

    // Runs the line 1 ms at a time until the pass ends or `limitMs` passed.
    int runUntilDone(SnapshotPass& pass, int limitMs = 20'000)
    {
        int elapsed = 0;
        for (; pass.running() && elapsed < limitMs; ++elapsed) {
            clock.advance(1);
            serve();
        }
        return elapsed;
    }

    void serve()
    {
        for (const std::string& text : takeSent()) {
            sent.push_back(text);
            if (silent || answersLeft-- <= 0)
                continue;
            if (auto loss = lost.find(text); loss != lost.end() && loss->second > 0) {
                --loss->second;
                continue;
            }
            const auto answer = answers.find(text);
            if (answer == answers.end())
                receive({0x06});
            else
                receive(cameraReply(0x01, answer->second));
        }
    }
};

TEST_F(SnapshotPassTest, readsEverySectionThroughItsDialogsQuestions)
{
    answers = {{"mw?", "mwr0120d05m1"}, {"mW?", "mWW15w07m1f003"}, {"US", "UE250"}};
    SnapshotPass pass(context, parts());
    pass.start();
    const int took = runUntilDone(pass);
    ASSERT_FALSE(pass.running());
    EXPECT_EQ(sent, (std::vector<std::string>{"mw?", "mW?", "US"}));
    const ConfigSnapshot& read = pass.result();
    ASSERT_EQ(read.sections.size(), 3u);
    EXPECT_EQ(read.sections[0], (ConfigSection{"Wipe Setup", SectionState::Read,
                                               {{"Run Time", "120"}, {"Delay Time", "5"}, {"Module", "New Module"}}}));
    EXPECT_EQ(read.sections[1], (ConfigSection{"Wash Setup", SectionState::Read,
                                               {{"Wash Time", "15"}, {"Wipe Time", "7"}, {"Auto Mode Freq.", "3"},
                                                {"Manual Wash", "on"}}}));
    EXPECT_EQ(read.sections[2], (ConfigSection{"Azimuth Setup", SectionState::Read,
                                               {{"Auto Response", "Enable"}, {"Delay Time", "250"},
                                                {"Control Setup", ""}}}));
    // Two accessory dialogs wait 200 ms before they ask; little else is spent.
    EXPECT_LT(took, 2 * 200 + 3 * 60);
}

TEST_F(SnapshotPassTest, aSilentCameraLeavesEverySectionNotReadAndNothingHangs)
{
    silent = true;
    SnapshotPass pass(context, parts());
    pass.start();
    runUntilDone(pass);
    ASSERT_FALSE(pass.running());
    EXPECT_EQ(sent, (std::vector<std::string>{"mw?", "mW?", "US"})) << "asked once each";
    for (const ConfigSection& section : pass.result().sections) {
        SCOPED_TRACE(section.name);
        EXPECT_EQ(section.state, SectionState::NotRead);
        EXPECT_TRUE(section.fields.empty());
    }
}

TEST_F(SnapshotPassTest, aCameraThatStopsHalfWayIsReadAsFarAsItAnswered)
{
    answers = {{"mw?", "mwr0120d05m1"}};
    answersLeft = 1;
    SnapshotPass pass(context, parts());
    pass.start();
    runUntilDone(pass);
    // The wash question is asked once more, the camera being there a moment
    // ago; then it has gone, and the azimuth question is asked once.
    EXPECT_EQ(sent, (std::vector<std::string>{"mw?", "mW?", "mW?", "US"}));
    ASSERT_EQ(pass.result().sections.size(), 3u);
    EXPECT_EQ(pass.result().sections[0].state, SectionState::Read);
    EXPECT_EQ(pass.result().sections[1].state, SectionState::NotRead);
    EXPECT_EQ(pass.result().sections[2].state, SectionState::NotRead);
}

TEST_F(SnapshotPassTest, cancelStopsAtOnceAndDropsWhatWasNotSent)
{
    answers = {{"mw?", "mwr0120d05m1"}};
    SnapshotPass pass(context, parts());
    pass.start();
    clock.advance(200); // the wiper's question goes out
    pass.cancel();
    EXPECT_FALSE(pass.running());
    EXPECT_TRUE(pass.cancelled());
    EXPECT_TRUE(link.queue().empty());
    clock.advance(5'000);
    serve();
    EXPECT_LE(sent.size(), 1u);
}

TEST_F(SnapshotPassTest, writingSendsTheDialogsCommandsForTheChosenSectionsOnly)
{
    ConfigSnapshot source;
    source.sections.push_back({"Wipe Setup", SectionState::Read,
                               {{"Run Time", "120"}, {"Delay Time", "5"}, {"Module", "New Module"}}});
    source.sections.push_back({"Wash Setup", SectionState::Read,
                               {{"Wash Time", "15"}, {"Wipe Time", "7"}, {"Auto Mode Freq.", "3"}, {"Manual Wash", "on"}}});
    source.sections.push_back({"Azimuth Setup", SectionState::Read,
                               {{"Auto Response", "Disable"}, {"Delay Time", "250"}, {"Control Setup", "x"}}});
    SnapshotPass pass(context, parts(), source, {"Wipe Setup", "Azimuth Setup"});
    pass.start();
    runUntilDone(pass);
    ASSERT_FALSE(pass.running());
    EXPECT_EQ(sent, (std::vector<std::string>{"mwr0120d05", "mwm1", "mw?", "UT250", "UD"}));
    ASSERT_EQ(pass.result().sections.size(), 2u);
    EXPECT_EQ(pass.result().sections[0].state, SectionState::Read);
    EXPECT_TRUE(prompter.texts().empty());
}

std::vector<std::unique_ptr<SnapshotPart>> setupAndCameraId()
{
    std::vector<std::unique_ptr<SnapshotPart>> list;
    list.push_back(std::make_unique<SetupPart>());
    list.push_back(std::make_unique<CameraIdPart>());
    return list;
}

TEST_F(SnapshotPassTest, setupAndCameraIdReadTheirWholeChains)
{
    link.state().cameraType = 1; // AlderSD: Javelin options, ID made in the camera
    context.receiverType = 1;
    const std::string line1 = "LOBBY EAST              ";
    answers = {{"RS", "RV2.14 AlderSD"}, {"mSs", "mS1234567"}, {"sS", "s2"}, {"SS", "S1"}, {"JcS", "Jc1"},
               {"JbS", "Jb0"}, {"cdSc", std::string("SC") + char(0x02 | 0x04 | 0x40)}, {"cdSl1", "SL1" + line1},
               {"cdSl2", "SL2" + std::string(24, ' ')}, {"h?", std::string("h") + char(16 + 7) + char(16 + 64)}};
    SnapshotPass pass(context, setupAndCameraId());
    pass.start();
    runUntilDone(pass);
    ASSERT_FALSE(pass.running());
    EXPECT_EQ(sent, (std::vector<std::string>{"RS", "mSs", "sS", "SS", "JcS", "JbS", "cdSc", "cdSl1", "cdSl2", "h?"}));
    ASSERT_EQ(pass.result().sections.size(), 2u);
    EXPECT_EQ(pass.result().sections[0],
              (ConfigSection{"Setup", SectionState::Read,
                             {{"Firmware Version", "V2.14 AlderSD"}, {"Camera Serial Number", "1234567"},
                              {"Pan/Tilt", "Var. Prop. Speed P/T"}, {"Vorel2 P/T Direction", "Inverted Tilt"},
                              {"Javelin Continuos Motor", "on"}, {"Javelin Contains Address", "off"}}}));
    EXPECT_EQ(pass.result().sections[1],
              (ConfigSection{"Program Camera ID", SectionState::Read,
                             {{"ID Text Enable", "on"}, {"Display at top", "off"}, {"LP - Enable", "on"},
                              {"Maintenance Mode Text", "off"}, {"ID Line 5 - Display Mode", "Compass/Zoom/LP"},
                              {"Line 1", "LOBBY EAST"}, {"Line 2", ""}, {"Alarm 1 Preset", "7"},
                              {"Alarm 2 Preset", "64"}}}));
}

TEST_F(SnapshotPassTest, aSectionThatMissedAnAnswerIsAskedOnceMore)
{
    const struct {
        const char* name;
        int losses;
        SectionState state;
        const char* panTilt;
    } rows[] = {
        {"one answer lost on a busy line", 1, SectionState::Read, "Var. Prop. Speed P/T"},
        {"the same answer lost again", 2, SectionState::PartlyRead, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sent.clear();
        answers = {{"RS", "RV2.14 AlderSD"}, {"mSs", "mS1234567"}, {"sS", "s2"}, {"SS", "S1"}};
        lost = {{"sS", row.losses}};
        std::vector<std::unique_ptr<SnapshotPart>> setup;
        setup.push_back(std::make_unique<SetupPart>());
        SnapshotPass pass(context, std::move(setup));
        pass.start();
        runUntilDone(pass);
        ASSERT_FALSE(pass.running());
        // Asked twice at most, however often the answer is lost.
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "sS"), 2);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "RS"), 2);
        ASSERT_EQ(pass.result().sections.size(), 1u);
        const ConfigSection& section = pass.result().sections[0];
        EXPECT_EQ(section.state, row.state);
        EXPECT_EQ(section.find("Firmware Version") ? *section.find("Firmware Version") : "", "V2.14 AlderSD");
        if (row.panTilt) {
            EXPECT_EQ(section.find("Pan/Tilt") ? *section.find("Pan/Tilt") : "", row.panTilt);
        }
    }
}

TEST_F(SnapshotPassTest, aLostAnswerToASectionsOnlyQuestionIsAskedAgain)
{
    answers = {{"mw?", "mwr0120d05m1"}, {"mW?", "mWW15w07m1f003"}, {"US", "UE250"}};
    lost = {{"mW?", 1}};
    SnapshotPass pass(context, parts());
    pass.start();
    runUntilDone(pass);
    EXPECT_EQ(sent, (std::vector<std::string>{"mw?", "mW?", "mW?", "US"}));
    ASSERT_EQ(pass.result().sections.size(), 3u);
    for (const ConfigSection& section : pass.result().sections) {
        SCOPED_TRACE(section.name);
        EXPECT_EQ(section.state, SectionState::Read);
    }
    EXPECT_EQ(*pass.result().sections[1].find("Wash Time"), "15");
}

TEST_F(SnapshotPassTest, setupAndCameraIdWriteOneControlAtATimeAndOnlyWhatDiffers)
{
    link.state().cameraType = 1;
    context.receiverType = 1;
    // The camera as it is before the write: Javelin continuous already on.
    answers = {{"RS", "RV2.14"}, {"mSs", "mS0000001"}, {"sS", "s1"}, {"SS", "S0"}, {"JcS", "Jc1"}, {"JbS", "Jb1"},
               {"cdSc", std::string("SC") + char(0x00)}, {"cdSl1", "SL1" + std::string(24, ' ')},
               {"cdSl2", "SL2" + std::string(24, ' ')}, {"h?", std::string("h") + char(16) + char(16)}};
    ConfigSnapshot source;
    source.sections.push_back({"Setup", SectionState::Read,
                               {{"Firmware Version", "V9"}, {"Camera Serial Number", "7654321"},
                                {"Pan/Tilt", "Fixed P/T"}, {"Vorel2 P/T Direction", "Inverted P/T"},
                                {"Javelin Continuos Motor", "on"}, {"Javelin Contains Address", "off"}}});
    source.sections.push_back({"Program Camera ID", SectionState::Read,
                               {{"ID Text Enable", "on"}, {"LP - Enable", "off"}, {"Line 1", "GATE \"2\""},
                                {"Line 2", "NORTH"}, {"Alarm 1 Preset", "3"}}});
    SnapshotPass pass(context, setupAndCameraId(), source, {"Setup", "Program Camera ID"});
    pass.start();
    runUntilDone(pass);
    ASSERT_FALSE(pass.running());
    const std::vector<std::string> expected = {
        "RS", "mSs", "sS", "SS", "JcS", "JbS", // the read-back first
        "s0", "S2", "Jb0",                     // never the serial number; Javelin continuous is already on
        "cdSc", "cdSl1", "cdSl2", "h?",
        "dL1GATE \"2\"" + std::string(16, ' '), "dL2NORTH" + std::string(19, ' '), "dIE", std::string("h1") + char(16 + 3)};
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(SnapshotPassTest, toursAndSectorsGoOneSectorZoneAndTourAtATime)
{
    TemporaryFolder folder;
    context.domeFilePath = folder.file("Dome.dat");
    ConfigSnapshot source;
    source.sections.push_back({"Tours and Sectors Setup", SectionState::Read,
                               {{"Sector 2 Enable", "off"}, {"Sector 2 ID Text", "GATE"}, {"Tour 1", "3/10 -/- 7/60"}}});
    std::vector<std::unique_ptr<SnapshotPart>> list;
    list.push_back(std::make_unique<ToursSectorsPart>());
    SnapshotPass pass(context, std::move(list), source, {"Tours and Sectors Setup"});
    pass.start();
    runUntilDone(pass, 60'000);
    ASSERT_FALSE(pass.running());
    const auto wentBefore = [this](const std::string& first, const std::string& second) {
        const auto a = std::find(sent.begin(), sent.end(), first);
        const auto b = std::find(sent.begin(), sent.end(), second);
        return a != sent.end() && b != sent.end() && a < b;
    };
    // Each setting goes before the chosen sector or tour is read back.
    EXPECT_TRUE(wentBefore("dST2GATE" + std::string(20, ' '), "cdSS2"));
    EXPECT_TRUE(wentBefore("dSS20", "cdSS2"));
    const auto tourPresets = std::find_if(sent.begin(), sent.end(), [](const std::string& c) { return c.starts_with("*TP1"); });
    ASSERT_NE(tourPresets, sent.end());
    EXPECT_EQ(tourPresets->substr(4, 3), std::string({char(16 + 3), char(16 + 0), char(16 + 7)}));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(SnapshotPassTest, theLineChangesLastEachAfterItsOwnQuestionAndTheConsoleFollows)
{
    struct Row {
        const char* what;
        std::vector<bool> answers; // the rate's question, then the protocol's
        std::vector<std::string> changes;
        std::vector<std::string> followed;
    };
    const Row rows[] = {
        {"both confirmed", {true, true}, {"Bs4800", "cP2"}, {"baud 1", "protocol 2"}},
        {"the rate refused", {false, true}, {"cP2"}, {"protocol 2"}},
        {"neither", {false, false}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sent.clear();
        prompter.clear();
        for (const bool answer : row.answers)
            prompter.scriptAnswer(answer);
        std::vector<std::string> followed;
        context.protocolIndex = 1;
        context.baudIndex = 0;
        context.followBaud = [&](int index) { followed.push_back("baud " + std::to_string(index)); };
        context.followProtocol = [&](int index) { followed.push_back("protocol " + std::to_string(index)); };
        ConfigSnapshot source;
        source.sections.push_back({"Line", SectionState::Read, {{"Cam Comm Protocol", "Pelco D"}, {"Baud", "4800"}}});
        std::vector<std::unique_ptr<SnapshotPart>> list;
        list.push_back(std::make_unique<LinePart>());
        SnapshotPass pass(context, std::move(list), source, {"Line"});
        pass.start();
        runUntilDone(pass);
        ASSERT_FALSE(pass.running());
        std::vector<std::string> changes;
        for (const std::string& text : sent)
            if (text.starts_with("Bs") || text.starts_with("cP"))
                changes.push_back(text);
        EXPECT_EQ(changes, row.changes);
        EXPECT_EQ(followed, row.followed);
        EXPECT_EQ(prompter.texts().size(), 2u);
    }
}

TEST_F(SnapshotPassTest, theLineAsItIsWritesNothing)
{
    ConfigSnapshot source;
    source.sections.push_back({"Line", SectionState::Read, {{"Cam Comm Protocol", "Tarn"}, {"Baud", "9600"}}});
    std::vector<std::unique_ptr<SnapshotPart>> list;
    list.push_back(std::make_unique<LinePart>());
    SnapshotPass pass(context, std::move(list), source, {"Line"});
    pass.start();
    runUntilDone(pass);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(SnapshotPassTest, aCameraThatStopsAnsweringHalfWayThroughAWriteIsReportedAndNothingHangs)
{
    ConfigSnapshot source;
    source.sections.push_back({"Wipe Setup", SectionState::Read, {{"Run Time", "120"}, {"Delay Time", "5"}}});
    source.sections.push_back({"Azimuth Setup", SectionState::Read, {{"Auto Response", "Disable"}, {"Delay Time", "250"}}});
    answersLeft = 1; // the first command is answered, then nothing
    prompter.scriptAnswer(true);
    ConfigJob job(context, SnapshotHeader{});
    ASSERT_EQ(job.write(source, {"Wipe Setup", "Azimuth Setup"}).kind, ConfigJob::WriteStart::Kind::Started);
    int elapsed = 0;
    for (; job.running() && elapsed < 60'000; ++elapsed) {
        clock.advance(1);
        serve();
    }
    ASSERT_FALSE(job.running());
    std::vector<std::string> notTaken;
    for (const ConfigDifference& difference : job.notTaken())
        notTaken.push_back(ConfigCompare::line(difference));
    EXPECT_EQ(notTaken, (std::vector<std::string>{"Wipe Setup.State: read -> not read",
                                                  "Azimuth Setup.State: read -> not read"}));
    EXPECT_TRUE(job.cameraSilent());
}

TEST(SnapshotParts, aTourReadsAsItsStepsUpToTheLastOneInUse)
{
    TourGrid grid;
    EXPECT_EQ(ToursSectorsPart::tourText(grid), "");
    grid.setText(1, TourGrid::PresetColumn, "3");
    grid.setText(1, TourGrid::DwellColumn, "10");
    grid.setText(3, TourGrid::DwellColumn, "60");
    EXPECT_EQ(ToursSectorsPart::tourText(grid), "3/10 -/- -/60");
}

TEST(SnapshotParts, checkNamesTheFirstFieldThatCannotBeWritten)
{
    struct Row {
        ConfigSection section;
        std::optional<std::string> problem;
    };
    const Row rows[] = {
        {{"Wipe Setup", SectionState::Read, {{"Run Time", "9999"}, {"Delay Time", "99"}}}, std::nullopt},
        {{"Wipe Setup", SectionState::Read, {{"Run Time", "10000"}, {"Delay Time", "99"}}},
         "[Wipe Setup] Run Time=10000 is outside 0..9999"},
        {{"Wipe Setup", SectionState::Read, {{"Run Time", "12a"}, {"Delay Time", "-1"}}},
         "[Wipe Setup] Run Time=12a is not a number"},
        {{"Wipe Setup", SectionState::Read, {{"Delay Time", "1"}}}, "[Wipe Setup] has no Run Time="},
        {{"Wipe Setup", SectionState::Read, {{"Run Time", "1"}, {"Delay Time", "1"}, {"Module", "Newer"}}},
         "[Wipe Setup] Module=Newer is not one of: Old Module, New Module"},
        {{"Wash Setup", SectionState::Read,
          {{"Wash Time", "15"}, {"Auto Mode Freq.", "168"}, {"Manual Wash", "on"}}},
         "[Wash Setup] Auto Mode Freq.=168 is outside 1..10"},
        {{"Wash Setup", SectionState::Read,
          {{"Wash Time", "15"}, {"Auto Mode Freq.", "1"}, {"Manual Wash", "yes"}}},
         "[Wash Setup] Manual Wash=yes is not one of: off, on"},
        {{"Azimuth Setup", SectionState::Read, {{"Auto Response", "Enable"}, {"Delay Time", "99"}}},
         "[Azimuth Setup] Delay Time=99 is outside 100..999"},
        {{"Azimuth Setup", SectionState::Read, {{"Control Setup", "anything"}}}, std::nullopt},
        {{"Setup", SectionState::Read, {{"Pan/Tilt", "Var Speed"}}},
         "[Setup] Pan/Tilt=Var Speed is not one of: Fixed P/T, Var Speed P/T, Var. Prop. Speed P/T"},
        {{"Setup", SectionState::Read, {{"Firmware Version", "anything at all"}, {"Vorel2 P/T Direction", "Normal"}}},
         std::nullopt},
        {{"Program Camera ID", SectionState::Read, {{"Line 1", std::string(25, 'A')}}},
         "[Program Camera ID] Line 1=AAAAAAAAAAAAAAAAAAAAAAAAA is longer than 24 characters"},
        {{"Program Camera ID", SectionState::Read, {{"Line 2", "\xC3\xA9" + std::string(23, 'A')}}}, std::nullopt},
        {{"Program Camera ID", SectionState::Read, {{"Alarm 2 Preset", "65"}}},
         "[Program Camera ID] Alarm 2 Preset=65 is outside 0..64"},
        {{"Tours and Sectors Setup", SectionState::Read,
          {{"Sector 1 Enable", "on"}, {"Sector 1 ID Text", "GATE"}, {"Zone 8 Enable", "off"}, {"Tour 1", "3/10 -/- 64/60"}}},
         std::nullopt},
        {{"AlderHD DSP Camera Control", SectionState::Read,
          {{"EIS", "On"}, {"Shutter", "1/10000"}, {"Max AGC gain", "40"}, {"Min. Focus Distance", "1m"}}},
         std::nullopt},
        {{"AlderHD DSP Camera Control", SectionState::Read, {{"Shutter", "1/3"}}},
         "[AlderHD DSP Camera Control] Shutter=1/3 is not one of: Auto, 1/4, 1/8, 1/15, 1/30, 1/50, 1/60, 1/100, "
         "1/120, 1/180, 1/250, 1/500, 1/1000, 1/2000, 1/4000, 1/10000"},
        {{"AlderHD DSP Camera Control", SectionState::Read, {{"Horizontal aperture level", "32"}}},
         "[AlderHD DSP Camera Control] Horizontal aperture level=32 is outside 1..31"},
        {{"Thermal Control", SectionState::Read,
          {{"Polarity/LUT", "Ice and Fire"}, {"DDE", "63"}, {"Supp. Offset", "on"}, {"ROI Right", "640"}}},
         std::nullopt},
        {{"Thermal Control", SectionState::Read, {{"Plateau value", "9"}}},
         "[Thermal Control] Plateau value=9 is outside 10..1000"},
        {{"Thermal Control", SectionState::Read, {{"Digital Zoom", "16X"}}},
         "[Thermal Control] Digital Zoom=16X is not one of: 1X, 2X, 4X, 8X"},
        {{"Screen Privacy Zone Setup", SectionState::Read,
          {{"Zone 8 Mode", "Live"}, {"Zone 8 Horz. Size", "127"}, {"Shade Level", "15"}}},
         std::nullopt},
        {{"Screen Privacy Zone Setup", SectionState::Read, {{"Zone 2 Vert. Size", "128"}}},
         "[Screen Privacy Zone Setup] Zone 2 Vert. Size=128 is outside 0..127"},
        {{"Screen Privacy Zone Setup", SectionState::Read, {{"B-Y Color", "16"}}},
         "[Screen Privacy Zone Setup] B-Y Color=16 is outside 0..15"},
        {{"Line", SectionState::Read, {{"Baud", "38400"}}}, "[Line] Baud=38400 is not one of: 9600, 4800, 2400, 1200, 600, 300, 19200"},
        {{"Line", SectionState::Read, {{"Cam Comm Protocol", "Pelco D"}, {"Baud", "19200"}}}, std::nullopt},
        {{"Tours and Sectors Setup", SectionState::Read, {{"Tour 2", "3/4"}}},
         "[Tours and Sectors Setup] Tour 2=3/4 is not a list of steps such as 3/10 5/20 (preset 1 to 64, dwell 5 to 60, "
         "- for none)"},
        {{"Tours and Sectors Setup", SectionState::Read, {{"Tour 3", "65/10"}}},
         "[Tours and Sectors Setup] Tour 3=65/10 is not a list of steps such as 3/10 5/20 (preset 1 to 64, dwell 5 to "
         "60, - for none)"},
        {{"Tours and Sectors Setup", SectionState::Read, {{"Sector 16 ID Text", std::string(26, 'X')}}},
         "[Tours and Sectors Setup] Sector 16 ID Text=XXXXXXXXXXXXXXXXXXXXXXXXXX is not printable ASCII of at most 25 "
         "characters"},
    };
    std::vector<std::unique_ptr<SnapshotPart>> all = SnapshotPassTest::parts();
    for (auto& part : setupAndCameraId())
        all.push_back(std::move(part));
    all.push_back(std::make_unique<ToursSectorsPart>());
    all.push_back(std::make_unique<LinePart>());
    all.push_back(std::make_unique<DspPart>());
    all.push_back(std::make_unique<ThermalPart>());
    all.push_back(std::make_unique<ScreenPrivacyPart>());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.section.name);
        const auto part = std::find_if(all.begin(), all.end(), [&](const auto& p) { return p->name() == row.section.name; });
        ASSERT_NE(part, all.end());
        EXPECT_EQ((*part)->check(row.section), row.problem);
    }
}

} // namespace
} // namespace tarn::test
