#include "programming/DomeFile.h"
#include "programming/ToursSectorsReply.h"
#include "programming/ToursSectorsSetup.h"
#include "support/LinkFixture.h"
#include "support/TemporaryFolder.h"

#include <functional>
#include <map>

namespace tarn::test {
namespace {

using Dialog = ToursSectorsSetup;
using Cell = Dialog::Cell;

std::string steps(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

class ToursSectorsSetupTest : public LinkFixture {
protected:
    TemporaryFolder folder;
    std::string domePath = folder.file("Dome.dat");
    std::unique_ptr<Dialog> setup;
    std::size_t seen = 0;
    // The camera's answers, by the command they answer.
    std::map<std::string, std::string> answers;
    std::uint8_t replyAddressByte = 1;
    std::string replyDigits;

    void open() { setup = std::make_unique<Dialog>(link, prompter, domePath); }

    // The command texts that went out since the last call, each answered by
    // the camera as `answers` says (or acknowledged) a little later.
    std::vector<std::string> sent(int ms = 3000)
    {
        std::vector<std::string> texts;
        for (int elapsed = 0; elapsed < ms; elapsed += 10) {
            clock.advance(10);
            while (seen < serial.writes.size()) {
                const Bytes& frame = serial.writes[seen++];
                const std::size_t start = frame[1] == 0xFE ? 2 + replyDigits.size() : 2;
                const std::string text(frame.begin() + static_cast<std::ptrdiff_t>(start), frame.end() - 1);
                texts.push_back(text);
                const auto answer = answers.find(text);
                receive(answer == answers.end() ? Bytes{0x06} : cameraReply(replyAddressByte, replyDigits + answer->second));
            }
        }
        return texts;
    }

    // Opened with a camera that does not answer: only the first question goes.
    void openQuietly()
    {
        open();
        ASSERT_EQ(sent(), std::vector<std::string>{"cdSs1"});
    }

    void fillGrid(std::initializer_list<std::pair<int, int>> rows)
    {
        int row = 1;
        for (const auto& [preset, dwell] : rows) {
            ASSERT_TRUE(setup->cellEdited({row, TourGrid::PresetColumn}, std::to_string(preset)));
            ASSERT_TRUE(setup->cellEdited({row, TourGrid::DwellColumn}, std::to_string(dwell)));
            ++row;
        }
    }
};

TEST_F(ToursSectorsSetupTest, controlsSendTheirCommands)
{
    struct Row {
        const char* name;
        std::function<void(Dialog&)> act;
        std::vector<bool> answers; // to the questions asked, Yes = true
        std::vector<std::string> commands;
    };
    const Row rows[] = {
        {"sector 10 left limit", [](Dialog& s) { s.sectorNumberChanged(10); s.setSectorLimit(Dialog::Limit::Left); },
         {}, {"*SL:L", "cdSs:", "cdSS:"}},
        {"sector 16 right limit", [](Dialog& s) { s.sectorNumberChanged(16); s.setSectorLimit(Dialog::Limit::Right); },
         {}, {"*SL@R", "cdSs@", "cdSS@"}},
        {"sector 0 changes nothing", [](Dialog& s) { s.sectorNumberChanged(0); s.sendId(); },
         {}, {"dST1Sector 01 ID text       "}},
        {"ID padded to 24", [](Dialog& s) { s.idTextEdited("Gate"); s.sendId(); }, {}, {"dST1Gate" + std::string(20, ' ')}},
        {"ID of 25 as it is", [](Dialog& s) { s.idTextEdited(std::string(25, 'Z')); s.sendId(); },
         {}, {"dST1" + std::string(25, 'Z')}},
        {"sector disabled", [](Dialog& s) { s.sectorEnableClicked(false); }, {}, {"dSS10"}},
        {"delete sector, Yes", [](Dialog& s) { s.sectorNumberChanged(3); s.deleteSector(); }, {true}, {"*SC3", "cdSs3", "cdSS3"}},
        {"delete sector, No", [](Dialog& s) { s.deleteSector(); }, {false}, {}},
        {"delete sector, unanswered is No", [](Dialog& s) { s.deleteSector(); }, {}, {}},
        {"delete all sectors", [](Dialog& s) { s.deleteAllSectors(); }, {true}, {"*SC0"}},
        {"zone limits and enable", [](Dialog& s) {
             s.zoneNumberChanged(2);
             s.setZoneLimit(Dialog::Limit::Left);
             s.setZoneLimit(Dialog::Limit::Right);
             s.zoneEnableClicked(false);
         }, {}, {"*PL2L", "*PL2R", "*PS20", "*Ps2"}},
        {"delete zone", [](Dialog& s) { s.deleteZone(); }, {true}, {"*PC1"}},
        {"delete all zones", [](Dialog& s) { s.deleteAllZones(); }, {true}, {"*PC0"}},
        {"touring", [](Dialog& s) { s.startTouring(); s.stopTouring(); }, {}, {"*TS11", "*TS10"}},
        {"clear all data", [](Dialog& s) { s.clearAllData(); }, {}, {"*TC1"}},
        {"jog", [](Dialog& s) {
             for (const auto jog : {Dialog::Jog::PanLeft, Dialog::Jog::TiltUp, Dialog::Jog::ZoomOut, Dialog::Jog::FocusFar}) {
                 s.jogPressed(jog);
                 s.jogReleased(jog);
             }
         }, {}, {"PL", "PS", "TU", "TS", "ZO", "ZS", "FF", "FS"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        openQuietly();
        for (const bool answer : row.answers)
            prompter.scriptAnswer(answer);
        row.act(*setup);
        EXPECT_EQ(sent(), row.commands);
        for (const auto& shown : prompter.shown()) {
            EXPECT_EQ(shown.kind, ScriptedPrompter::Kind::YesNo);
            EXPECT_EQ(shown.icon, MessageIcon::Error);
        }
        prompter.clear();
    }
}

TEST_F(ToursSectorsSetupTest, applySendsEveryStepAsValuePlus16)
{
    openQuietly();
    fillGrid({{1, 10}, {2, 10}, {3, 10}});
    EXPECT_EQ(setup->applyTourSetup(), std::nullopt);
    EXPECT_EQ(sent(), (std::vector<std::string>{"*TP1" + steps({0x11, 0x12, 0x13}) + std::string(30, '\x10'),
                                                "*TD1" + steps({0x1A, 0x1A, 0x1A}) + std::string(30, '\x10')}));
    EXPECT_EQ(setup->tables().tours[0].steps[1], (TourStep{2, 10}));
}

TEST_F(ToursSectorsSetupTest, applyWithAPresetWithoutDwellAsksForItAndSendsNothing)
{
    openQuietly();
    fillGrid({{1, 10}});
    ASSERT_TRUE(setup->cellEdited({3, TourGrid::DwellColumn}, "20")); // no preset: emptied
    ASSERT_TRUE(setup->cellEdited({5, TourGrid::PresetColumn}, "7"));
    EXPECT_EQ(setup->applyTourSetup(), (Cell{5, TourGrid::DwellColumn}));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Please provide a dwell time"});
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(setup->grid().isEmpty(3, TourGrid::DwellColumn));
}

TEST_F(ToursSectorsSetupTest, cellEditsAreCheckedByColumn)
{
    struct Row {
        int column;
        const char* text;
        std::optional<std::string> shown; // nullopt: refused, the old text stays
    };
    const Row rows[] = {
        {TourGrid::DwellColumn, "4", std::nullopt},     {TourGrid::DwellColumn, "0", "0"},
        {TourGrid::DwellColumn, "60", "60"},            {TourGrid::DwellColumn, "61", std::nullopt},
        {TourGrid::DwellColumn, "5", "5"},              {TourGrid::PresetColumn, "65", std::nullopt},
        {TourGrid::PresetColumn, "64", "64"},           {TourGrid::PresetColumn, "0", "0"},
        {TourGrid::PresetColumn, " 07 ", "7"},          {TourGrid::PresetColumn, "-1", std::nullopt},
        {TourGrid::PresetColumn, "1x", std::nullopt},   {TourGrid::PresetColumn, "", ""},
    };
    openQuietly();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ASSERT_TRUE(setup->cellEdited({2, row.column}, "9"));
        EXPECT_EQ(setup->cellEdited({2, row.column}, row.text), row.shown.has_value());
        EXPECT_EQ(setup->grid().text(2, row.column), row.shown.value_or("9"));
    }
    EXPECT_FALSE(setup->cellEdited({0, TourGrid::PresetColumn}, "1")) << "the header is not a step";
}

TEST_F(ToursSectorsSetupTest, setAllDwellsCopiesTheFocusedDwellOnlyFromTheDwellColumn)
{
    openQuietly();
    fillGrid({{1, 10}, {2, 15}, {3, 20}});
    setup->setAllDwells({2, TourGrid::PresetColumn});
    EXPECT_EQ(setup->grid().text(1, TourGrid::DwellColumn), "10");
    EXPECT_EQ(setup->grid().text(3, TourGrid::DwellColumn), "20");

    setup->setAllDwells({2, TourGrid::DwellColumn});
    for (int row : {1, 2, 3})
        EXPECT_EQ(setup->grid().text(row, TourGrid::DwellColumn), "15");
    EXPECT_TRUE(setup->grid().isEmpty(4, TourGrid::DwellColumn)) << "no preset, no dwell";
    EXPECT_EQ(setup->tables().tours[0].steps[2].dwell, 15);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ToursSectorsSetupTest, changingTheTourStopsTheOneSelectedBeforeAndReadsTheNewOne)
{
    openQuietly();
    setup->tourSelected(1);
    sent();
    setup->tourSelected(2);
    EXPECT_EQ(sent(400), std::vector<std::string>{"*TS20"});
    EXPECT_EQ(sent(), std::vector<std::string>{"*Tp3"});
    EXPECT_TRUE(setup->startTouringEnabled());
}

TEST_F(ToursSectorsSetupTest, clearedGridIsKeptWithItsTourWhenTheSelectionMoves)
{
    openQuietly();
    fillGrid({{4, 30}});
    setup->tourSelected(1);
    fillGrid({{5, 30}});
    setup->tourSelected(0);
    EXPECT_EQ(setup->grid().text(1, TourGrid::PresetColumn), "4") << "the local copy shows until the camera answers";
    setup->clearAllData();
    setup->tourSelected(1);
    EXPECT_EQ(setup->tables().tours[0], CCameraTour{});
    EXPECT_EQ(setup->tables().tours[1].steps[0], (TourStep{5, 30}));
}

TEST_F(ToursSectorsSetupTest, readBackChainFillsTheDialogWithNormalAndExtendedAddresses)
{
    const struct {
        const char* name;
        int address;
        int protocol;
        std::uint8_t addressByte;
        std::string digits;
    } rows[] = {
        {"one address byte", 1, 1, 1, ""},
        {"four digits", 300, 1, 0xFE, "0300"},
        {"five digits", 300, 5, 0xFE, "00300"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        link.state().address = row.address;
        link.state().protocolIndex = row.protocol;
        replyAddressByte = row.addressByte;
        replyDigits = row.digits;
        answers = {
            {"cdSs1", "dSS10"},
            {"cdSS1", "dST1Loading bay"},
            {"*Ps1", "*PS10"},
            {"*Tp1", "*TP1" + steps({0x11, 0x0F, 0x50, 0x51}) + std::string(28, '\x10')},
            {"*Td1", "*TD1" + steps({0x1A, 0x10, 0x4C, 0x14}) + std::string(28, '\x10')},
        };
        open();
        EXPECT_EQ(sent(), (std::vector<std::string>{"cdSs1", "cdSS1", "*Ps1", "*Tp1", "*Td1"}));
        EXPECT_FALSE(setup->sectorEnabled());
        EXPECT_EQ(setup->idText(), "Loading bay" + std::string(13, ' '));
        EXPECT_EQ(setup->tables().sectors[0].idText, setup->idText());
        EXPECT_TRUE(setup->configurationChanged());
        EXPECT_FALSE(setup->zoneEnabled());
        const TourGrid& grid = setup->grid();
        EXPECT_EQ(grid.text(1, TourGrid::PresetColumn), "1");
        EXPECT_EQ(grid.text(2, TourGrid::PresetColumn), "");
        EXPECT_EQ(grid.text(3, TourGrid::PresetColumn), "64");
        EXPECT_EQ(grid.text(4, TourGrid::PresetColumn), "") << "65 is no preset";
        EXPECT_EQ(grid.text(1, TourGrid::DwellColumn), "10");
        EXPECT_EQ(grid.text(3, TourGrid::DwellColumn), "60");
        EXPECT_EQ(grid.text(4, TourGrid::DwellColumn), "") << "4 s is no dwell time";
        setup.reset();
        serial.writes.clear();
        seen = 0;
    }
}

TEST_F(ToursSectorsSetupTest, repliesReadNoFurtherThanTheirData)
{
    using Kind = ToursSectorsReply::Kind;
    const struct {
        const char* name;
        Bytes frame;
        Kind kind;
        std::size_t steps;
        std::string text;
    } rows[] = {
        {"sector 16 status", cameraReply(1, "dSS@1"), Kind::SectorStatus, 0, ""},
        {"sector 17", cameraReply(1, "dSSA1"), Kind::Unknown, 0, ""},
        {"zone 9", cameraReply(1, "*PS91"), Kind::Unknown, 0, ""},
        {"status without its digit", cameraReply(1, "*PS3"), Kind::Unknown, 0, ""},
        {"tour status", cameraReply(1, "*TS21"), Kind::TourStatus, 0, ""},
        {"cut-short presets", cameraReply(1, "*TP1\x11\x12"), Kind::TourPresets, 2, ""},
        {"text cut short, odd bytes", cameraReply(1, "dST2Ab\x01" "c"), Kind::SectorText, 0, "Ab c" + std::string(20, ' ')},
        {"STX form", [] { Bytes b = cameraReply(1, "*PS21"); b[0] = 0x02; b.push_back(0x03); return b; }(),
         Kind::ZoneStatus, 0, ""},
        {"STX text: neither ETX nor checksum is text",
         [] { Bytes b = cameraReply(1, "dST1AB"); b[0] = 0x02; b.push_back(0x03); return b; }(), Kind::SectorText, 0,
         "AB" + std::string(22, ' ')},
        {"more steps than a tour has", cameraReply(1, "*TD1" + std::string(34, '\x11')), Kind::TourDwells, 32, ""},
        {"code only", cameraReply(1, "*TP"), Kind::Unknown, 0, ""},
        {"header only", {0xF8, 0xFE}, Kind::Unknown, 0, ""},
        {"nothing", {}, Kind::Unknown, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ToursSectorsReply reply = ToursSectorsReply::parse(row.frame, 1);
        EXPECT_EQ(reply.kind, row.kind);
        EXPECT_EQ(reply.stepCount, row.steps);
        EXPECT_EQ(reply.text, row.text);
    }
}

TEST_F(ToursSectorsSetupTest, aTextForAnotherSectorIsKeptWithThatSector)
{
    openQuietly();
    setup->sectorNumberChanged(5);
    // The answer to an earlier question for sector 2 comes in late.
    setup->replyReceived(cameraReply(1, "dST2Old reply"));
    EXPECT_EQ(setup->idText(), "Sector 05 ID text");
    EXPECT_EQ(setup->tables().sectors[4].idText, "Sector 05 ID text");
    EXPECT_EQ(setup->tables().sectors[1].idText, "Old reply" + std::string(15, ' '));
}

TEST_F(ToursSectorsSetupTest, idTextTakesOnlyPrintableAscii)
{
    openQuietly();
    for (const std::string& text : {std::string("Caf\xC3\xA9"), std::string("a\0b", 3), std::string(26, 'x')}) {
        setup->idTextEdited(text);
        EXPECT_EQ(setup->idText(), "Sector 01 ID text");
    }
    EXPECT_FALSE(setup->configurationChanged());
    setup->idTextEdited("Gate \"7\" ~!");
    EXPECT_EQ(setup->tables().sectors[0].idText, "Gate \"7\" ~!");
    EXPECT_TRUE(setup->configurationChanged());
}

TEST_F(ToursSectorsSetupTest, closeSavesOnlyWhenChangedAndAgreed)
{
    openQuietly();
    EXPECT_TRUE(setup->close());
    EXPECT_TRUE(prompter.shown().empty()) << "nothing changed, nothing asked";

    setup->idTextEdited("North");
    fillGrid({{2, 20}});
    prompter.scriptAnswer(false);
    EXPECT_TRUE(setup->close());
    EXPECT_FALSE(std::filesystem::exists(domePath));

    prompter.scriptAnswer(true);
    EXPECT_TRUE(setup->close());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Save configuration changes?", "Save configuration changes?"}));
    const DomeFile::Contents saved = DomeFile::load(domePath);
    EXPECT_TRUE(saved.read);
    EXPECT_EQ(saved.tables, setup->tables());

    // The next opening shows what was saved.
    openQuietly();
    EXPECT_EQ(setup->idText(), "North");
    EXPECT_EQ(setup->grid().text(1, TourGrid::PresetColumn), "2");
}

TEST_F(ToursSectorsSetupTest, failedSaveIsReportedAndTheDialogStaysWithTheOldFileIntact)
{
    const Bytes old = DomeFile::serialise(LocalTables::withoutFile());
    domePath = folder.file("data/Dome.dat");
    std::filesystem::create_directory(folder.path() / "data");
    writeFileBytes(domePath, old);
    openQuietly();
    setup->idTextEdited("Changed");
    {
        ReadOnlyFolder readOnly(folder.path() / "data");
        prompter.scriptAnswer(true);
        EXPECT_FALSE(setup->close());
    }
    ASSERT_EQ(prompter.texts().size(), 2u);
    EXPECT_EQ(prompter.texts()[1], "Could not save " + domePath + ": Permission denied");
    EXPECT_EQ(fileBytes(domePath), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "data"), {}), 1);

    // Still usable: a second try, now with the folder writable, saves.
    prompter.scriptAnswer(true);
    EXPECT_TRUE(setup->close());
    EXPECT_EQ(DomeFile::load(domePath).tables.sectors[0].idText, "Changed");
}

} // namespace
} // namespace tarn::test
