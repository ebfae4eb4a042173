#include "control/PresetPanel.h"

#include "core/Settings.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

namespace tarn::test {
namespace {

using namespace std::string_view_literals;

struct RecordingListener : PresetPanelListener {
    int listChanges = 0;
    std::vector<bool> lamp;
    void presetListChanged() override { ++listChanges; }
    void tourLampChanged(bool lit) override { lamp.push_back(lit); }
};

std::string withCode(std::string_view prefix, std::uint8_t code, std::string_view rest = {})
{
    std::string text(prefix);
    text.push_back(static_cast<char>(code));
    text += rest;
    return text;
}

// A name reply: frame head (F8, address form), "dP", a code, then `name` as is.
Bytes nameReply(const Bytes& head, std::string_view name)
{
    Bytes frame = head;
    frame.insert(frame.end(), {'d', 'P', 0x10});
    frame.insert(frame.end(), name.begin(), name.end());
    return frame;
}

class PresetPanelTest : public LinkFixture {
protected:
    PresetPanel panel{link, profile};
    RecordingListener listener;

    PresetPanelTest()
    {
        link.state().cameraType = 0;
        panel.setListener(&listener);
    }

};

TEST_F(PresetPanelTest, selectingAnEntryAsksForItsNameWithThePresetCode)
{
    struct Row {
        int index;
        std::uint8_t code;
    };
    // The codes skip 0x3F..0x5F: the 48th preset is 0x60.
    const Row rows[] = {{0, 0x10}, {46, 0x3E}, {47, 0x60}, {63, 0x70}};
    for (const int cameraType : {0, 7}) {
        link.state().cameraType = cameraType;
        for (const Row& row : rows) {
            SCOPED_TRACE(::testing::Message() << "type " << cameraType << " index " << row.index);
            panel.selectionChanged(row.index);
            EXPECT_EQ(queued(), std::vector<std::string>{withCode("cdS", row.code)});
            EXPECT_EQ(panel.rememberedIndex(), row.index);
        }
    }
}

TEST_F(PresetPanelTest, nothingSelectedKeepsTheRememberedPresetAndAsksNothing)
{
    panel.selectionChanged(5);
    queued();
    panel.selectionChanged(PresetPanel::NoSelection);
    EXPECT_TRUE(queued().empty());
    EXPECT_EQ(panel.rememberedIndex(), 5);

    panel.store();
    panel.getId();
    EXPECT_EQ(queued(), (std::vector<std::string>{"P_", withCode("cdS", 0x15)}));

    // A name for the remembered preset selects it again.
    panel.presetNameReply(nameReply({0xF8, 0x01}, "Lobby"));
    EXPECT_EQ(panel.listSelection(), 5);
}

TEST_F(PresetPanelTest, storeAndGotoFollowTheCameraType)
{
    panel.selectionChanged(47);
    queued();
    panel.store();
    panel.gotoPreset();
    EXPECT_EQ(queued(), (std::vector<std::string>{withCode("P", 0x60), withCode("H", 0x60)}));

    link.state().cameraType = 7;
    panel.store();
    panel.gotoPreset();
    panel.getId();
    EXPECT_EQ(queued(), (std::vector<std::string>{"P_", "cdS"}));
}

TEST_F(PresetPanelTest, gotoEndsARunningTourEvenWhenItSendsNothing)
{
    panel.startStopTour();
    ASSERT_TRUE(panel.tourRunning());
    link.state().cameraType = 7;
    queued();

    panel.gotoPreset();

    EXPECT_TRUE(queued().empty());
    EXPECT_FALSE(panel.tourRunning());
    EXPECT_FALSE(panel.tourLampLit());
    EXPECT_EQ(listener.lamp.back(), false);
}

TEST_F(PresetPanelTest, javelinStoreAndGotoArePresetFramesWithTheAddress)
{
    link.state().protocolIndex = 4;
    link.state().address = 5;
    panel.selectionChanged(3);
    queued();

    panel.store();
    clock.advance(5);
    EXPECT_EQ(serial.last(), (Bytes{0xFF, 0x06, 0x07, 0x05, 0x00, 0x05, 0x83, 0x66}));

    link.timerFired(21); // no answer: the queue moves on
    panel.gotoPreset();
    clock.advance(5);
    EXPECT_EQ(serial.last(), (Bytes{0xFF, 0x06, 0x07, 0x05, 0x00, 0x05, 0x03, 0xE6}));
}

TEST_F(PresetPanelTest, storeIdSendsTheSelectedNameAsTheCameraShowsIt)
{
    panel.selectionChanged(47);
    panel.editFinished("Gate #2");
    queued();

    panel.storeId();
    const std::string expected = withCode("dP", 0x60, "Gate  2" + std::string(17, ' '));
    ASSERT_EQ(expected.size(), 27u);
    EXPECT_EQ(queued(), std::vector<std::string>{expected});

    link.state().cameraType = 7;
    panel.storeId();
    EXPECT_EQ(queued(), std::vector<std::string>{"dPGate  2" + std::string(17, ' ')});
}

TEST_F(PresetPanelTest, cameraNameIsCutPaddedAndCleaned)
{
    struct Row {
        std::string_view name;
        std::string_view expected;
    };
    const Row rows[] = {
        {"", "                        "},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWX"},
        {"a,-./:;<>?9_!", "a,-./:;<>?9             "},
        {"Caf\xC3\xA9 Nord", "Caf  Nord               "}, // one space for one letter
    };
    for (const Row& row : rows)
        EXPECT_EQ(PresetPanel::cameraName(row.name), row.expected) << row.name;
}

TEST_F(PresetPanelTest, editRuleStoresOnlyAChangedName)
{
    panel.selectionChanged(2);
    panel.editFinished("Preset 3");
    EXPECT_EQ(listener.listChanges, 0);

    panel.editFinished("Car park");
    EXPECT_EQ(panel.name(2), "Car park");
    EXPECT_EQ(panel.listSelection(), 2);
    EXPECT_EQ(listener.listChanges, 1);
    // Names typed by the user stay on this console.
    EXPECT_EQ(profile.writeCount(), 0);
}

TEST_F(PresetPanelTest, selectFirstGoesBackWithoutAskingTheCamera)
{
    panel.selectionChanged(9);
    queued();
    panel.selectFirst();
    EXPECT_EQ(panel.rememberedIndex(), 0);
    EXPECT_EQ(panel.listSelection(), 0);
    EXPECT_EQ(listener.listChanges, 1);
    EXPECT_TRUE(queued().empty());
}

TEST_F(PresetPanelTest, nameReplyIsReadAfterTheAddressForm)
{
    struct Row {
        const char* label;
        int protocol;
        Bytes head;
        std::string_view body;
        std::string expected;
    };
    const std::string pad20(20, ' ');
    const Row rows[] = {
        {"short address", 1, {0xF8, 0x01}, "Gate\0XYZ" "12345678901234567890\x85"sv, "Gate" + pad20},
        {"extended address", 1, {0xF8, 0xFE, '1', '0', '0', '0'}, "Dock", "Dock" + pad20},
        {"five address digits", 5, {0xF8, 0xFE, '1', '6', '3', '8', '4'}, "Yard", "Yard" + pad20},
        {"frame ends early", 1, {0xF8, 0x01}, "AB", "AB" + std::string(22, ' ')},
        {"full length", 1, {0xF8, 0x01}, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWX"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        link.state().protocolIndex = row.protocol;
        panel.selectionChanged(12);
        const int before = listener.listChanges;

        panel.presetNameReply(nameReply(row.head, row.body));

        EXPECT_EQ(panel.name(12), row.expected);
        EXPECT_EQ(panel.listSelection(), 12);
        EXPECT_EQ(listener.listChanges, before + 1);
        EXPECT_EQ(profile.readString(SettingsSection::Presets, "P12"), row.expected);
    }
}

TEST_F(PresetPanelTest, blankOrTruncatedNameRepliesChangeNothing)
{
    const Bytes frames[] = {
        nameReply({0xF8, 0x01}, std::string(24, ' ') + "\x8A"),
        nameReply({0xF8, 0x01}, "\0Gate"sv),
        nameReply({0xF8, 0x01}, ""),
        {0xF8, 0x01, 'd'},
        {},
    };
    panel.selectionChanged(4);
    for (const Bytes& frame : frames)
        panel.presetNameReply(frame);
    EXPECT_EQ(panel.name(4), "Preset 5");
    EXPECT_EQ(listener.listChanges, 0);
    EXPECT_EQ(profile.writeCount(), 0);
}

TEST_F(PresetPanelTest, tourStartStopByCameraType)
{
    struct Row {
        int cameraType;
        int tour;
        std::vector<std::string> firstPress;
        std::vector<std::string> secondPress;
        bool lampAfterSecond;
    };
    const Row rows[] = {
        {0, 0, {"*TS11"}, {"*TS10"}, false},
        {3, 2, {"*TS31"}, {"*TS30"}, false},
        {5, 7, {"*TS81"}, {"*TS80"}, false},
        // The lamp shows the press, but the camera runs no tour of its own.
        {1, 0, {}, {}, true},
        {7, 0, {}, {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "type " << row.cameraType);
        panel.tourInterrupted();
        link.state().cameraType = row.cameraType;
        panel.setTourIndex(row.tour);

        panel.startStopTour();
        EXPECT_EQ(queued(), row.firstPress);
        EXPECT_TRUE(panel.tourLampLit());
        EXPECT_EQ(panel.tourRunning(), !row.firstPress.empty());

        panel.startStopTour();
        EXPECT_EQ(queued(), row.secondPress);
        EXPECT_EQ(panel.tourLampLit(), row.lampAfterSecond);
        EXPECT_FALSE(panel.tourRunning());
    }
}

TEST_F(PresetPanelTest, interruptedTourStartsAgainOnTheNextPress)
{
    panel.startStopTour();
    panel.tourInterrupted();
    EXPECT_FALSE(panel.tourLampLit());
    queued();
    panel.startStopTour();
    EXPECT_EQ(queued(), std::vector<std::string>{"*TS11"});
}

TEST_F(PresetPanelTest, setupOpensTheTourSetupDialogOnlyForOtherReceivers)
{
    for (const int type : {-1, 0, 1, 5, 6, 7}) {
        link.state().cameraType = type;
        EXPECT_EQ(panel.setupOpensTourSetupDialog(), type < 0 || type > 5) << type;
    }
}

} // namespace
} // namespace tarn::test
