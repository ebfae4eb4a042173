#include "programming/CameraId.h"
#include "programming/CameraIdReply.h"
#include "programming/CameraIdText.h"
#include "link/TrafficRecord.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <functional>

namespace tarn::test {
namespace {

constexpr std::string_view TooLong = "A maximum of 24 characters is allowed for the Camera ID.";

std::string padded(std::string text)
{
    text.resize(CameraIdText::LineLength, ' ');
    return text;
}

class CameraIdDialogLogic : public LinkFixture {
protected:
    CameraIdDialogLogic() { link.state().cameraType = 1; }
};

TEST_F(CameraIdDialogLogic, controlsSendAtOnceOrQueue)
{
    struct Row {
        const char* control;
        std::function<void(CameraId&)> act;
        std::vector<std::string> sent;
        std::vector<std::string> queued;
    };
    const Row rows[] = {
        {"ID Enable", [](CameraId& id) { id.toggleIdEnabled(); }, {"dIE"}, {}},
        {"ID Enable twice", [](CameraId& id) { id.toggleIdEnabled(); id.toggleIdEnabled(); }, {"dIE", "dID"}, {}},
        {"Display at top twice", [](CameraId& id) { id.toggleDisplayAtTop(); id.toggleDisplayAtTop(); }, {"dIT", "dIB"}, {}},
        {"Enable (All)", [](CameraId& id) { id.toggleAlarmTextEnabled(); }, {"dAE"}, {}},
        {"alarm line enables",
         [](CameraId& id) { id.toggleAlarmLine(0); id.toggleAlarmLine(1); id.toggleAlarmLine(2); id.toggleAlarmLine(0); },
         {}, {"dAe1", "dAe2", "dAe3", "dAd1"}},
        {"Enable (All) then Enable Line 2",
         [](CameraId& id) { id.toggleAlarmTextEnabled(); id.toggleAlarmLine(1); }, {"dAE"}, {"dAd2"}},
        {"display modes", [](CameraId& id) { id.chooseDisplayMode(2); id.chooseDisplayMode(0); }, {}, {"dl5m2", "dl5m0"}},
        {"alarm presets 64 and 0",
         [](CameraId& id) {
             id.setAlarmPresetValue(0, 64);
             id.setAlarmPresetValue(1, 0);
             id.sendAlarmPreset(0);
             id.sendAlarmPreset(1);
         },
         {}, {"h1\x50", std::string("h2\x10")}},
        {"line 1 left", [](CameraId& id) { id.editLine(1, "Gate 3 entrance"); id.leaveLine(1); },
         {"dL1Gate 3 entrance         "}, {}},
        {"line 5 left", [](CameraId& id) { id.leaveLine(5); }, {"dL5" + std::string(24, ' ')}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        CameraId id(link, prompter);
        row.act(id);
        EXPECT_EQ(takeSent(), row.sent);
        EXPECT_EQ(queued(), row.queued);
    }
}

TEST_F(CameraIdDialogLogic, lineTextsCarryOnlyIdCharactersAndAtMost24)
{
    const std::pair<std::string, std::string> fields[] = {
        {"Gate 3 entrance", padded("Gate 3 entrance")},
        {"No!#entry\"here\"", padded("No  entry\"here\"")},
        {"Caf\xC3\xA9 (B)", padded("Caf  (B)")}, // one accented letter, one space
        {"tab\there~{}\x7F", padded("tab here    ")},
        {std::string(30, 'x'), std::string(24, 'x')},
    };
    for (const auto& [text, field] : fields)
        EXPECT_EQ(CameraIdText::field(text), field) << text;

    CameraId id(link, prompter);
    EXPECT_TRUE(id.editLine(2, std::string(23, 'a') + "\xC3\xA9")); // 24 characters, 25 bytes
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_FALSE(id.editLine(2, std::string(25, 'a')));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(TooLong)});
    EXPECT_EQ(id.values().lines[1], std::string(23, 'a') + "\xC3\xA9");
    EXPECT_TRUE(takeSent().empty()) << "typing sends nothing; leaving the line does";
}

TEST_F(CameraIdDialogLogic, clearAllIdsClearsTheCameraOnlyOnYes)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        CameraId id(link, prompter);
        id.editLine(1, "Gate 3");
        id.leaveLine(1);
        id.toggleIdEnabled();
        takeSent();
        queued();

        prompter.scriptAnswer(yes);
        id.clearAllIds();
        EXPECT_EQ(prompter.texts().back(), "Do you really want to Clear All IDs?");
        EXPECT_EQ(prompter.shown().back().icon, MessageIcon::Error);
        EXPECT_EQ(takeSent(), yes ? std::vector<std::string>{"dIC"} : std::vector<std::string>{});
        EXPECT_EQ(queued(), (std::vector<std::string>{"dAb", "dMD"}));
        EXPECT_EQ(id.values().lines[0], std::string(16, ' '));
        EXPECT_EQ(id.values().lines[2], std::string(12, ' '));
        EXPECT_EQ(id.values().lines[4], std::string(18, ' '));
        EXPECT_FALSE(id.values().idEnabled);
        id.leaveLine(1);
        EXPECT_TRUE(takeSent().empty()) << "passing through a blanked line writes nothing";
        id.editLine(1, "Gate 4");
        id.leaveLine(1);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"dL1Gate 4" + std::string(18, ' ')});
    }
}

TEST_F(CameraIdDialogLogic, readBackFollowsEachAnswerWithTheNextQuery)
{
    struct Form {
        const char* name;
        int protocolIndex;
        std::uint8_t addressByte;
        std::string addressDigits;
        char status; // top, LP - Enable, and one display mode bit
        int displayMode;
    };
    // Display mode 2 sets bit 7: that byte is data, the checksum follows it.
    const Form forms[] = {
        {"one-byte address", 1, 0x01, "", '\x45', 1},
        {"extended address", 1, 0xFE, "0001", '\x85', 2},
        {"five address digits", 5, 0xFE, "00001", '\x25', 0},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        link.state().protocolIndex = form.protocolIndex;
        const auto answer = [&](std::string text) { receive(cameraReply(form.addressByte, form.addressDigits + text)); };
        auto id = std::make_unique<CameraId>(link, prompter);
        EXPECT_EQ(link.router().receiver(ReceiverSlot::CameraId), id.get());
        clock.advance(10);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"cdSc"});
        // No answer: the read-back waits at this step.
        clock.advance(3000);
        EXPECT_TRUE(takeSent().empty());

        answer(std::string("SC") + form.status);
        EXPECT_TRUE(id->values().displayAtTop);
        EXPECT_FALSE(id->values().idEnabled);
        EXPECT_TRUE(id->values().alarmLineEnabled[0]);
        EXPECT_EQ(id->values().displayMode, form.displayMode);
        clock.advance(49);
        EXPECT_TRUE(takeSent().empty());
        clock.advance(6);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"cdSl1"});

        answer("SL1" + padded("Gate 3 entrance"));
        clock.advance(55);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"cdSl2"});
        answer("SL2" + padded("North \"A\""));
        clock.advance(55);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"h?"});
        answer("h\x50\x10");
        clock.advance(1000);
        EXPECT_TRUE(takeSent().empty());

        EXPECT_EQ(id->readBackStep(), CameraId::ReadBackStep::Done);
        EXPECT_EQ(id->values().lines[0], "Gate 3 entrance");
        EXPECT_EQ(id->values().lines[1], "North \"A\"");
        EXPECT_EQ(id->values().alarmPreset, (std::array<int, 2>{64, 0}));
        id.reset();
        EXPECT_EQ(link.router().receiver(ReceiverSlot::CameraId), nullptr);
    }
}

// Only a reply's data is read: its checksum never stands in for a field it
// does not have. Frames from byte 0, address 1.
TEST(CameraIdReplies, readOnlyTheirDataAndSayWhenCutShort)
{
    using Kind = CameraIdReply::Kind;
    struct Row {
        const char* text;
        std::optional<Kind> kind;
        std::uint8_t status;
        int line;
        std::optional<int> alarm2;
    };
    const Row rows[] = {
        {"SC\x13", Kind::Status, 0x13, 0, std::nullopt},
        {"SC", Kind::CutShort, 0, 0, std::nullopt},
        {"SL", Kind::CutShort, 0, 0, std::nullopt},
        {"SL3", Kind::Line, 0, 3, std::nullopt},
        {"SL6abc", std::nullopt, 0, 0, std::nullopt},
        {"h", Kind::CutShort, 0, 0, std::nullopt},
        {"h\x50", Kind::AlarmPresets, 0, 0, std::nullopt},
        {"h\x50\x11", Kind::AlarmPresets, 0, 0, 1},
        {"SX", std::nullopt, 0, 0, std::nullopt},
        {"S", std::nullopt, 0, 0, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto reply = CameraIdReply::parse(cameraReply(1, row.text), 0);
        ASSERT_EQ(reply.has_value(), row.kind.has_value());
        if (!reply)
            continue;
        EXPECT_EQ(reply->kind, *row.kind);
        EXPECT_EQ(reply->status, row.status);
        EXPECT_EQ(reply->line, row.line);
        EXPECT_EQ(reply->alarm2Preset, row.alarm2);
        if (reply->kind == Kind::Line) {
            EXPECT_EQ(reply->text, std::string(24, ' '));
        }
    }
}

TEST_F(CameraIdDialogLogic, aStatusReplyCutShortIsIgnoredAndRecordedAsShort)
{
    TrafficRecord record{clock, SessionStart{}};
    link.setTrafficObserver(&record);
    CameraId id(link, prompter);
    clock.advance(10);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"cdSc"});
    const bool atTop = id.values().displayAtTop;
    const int mode = id.values().displayMode;

    // Its checksum, 0x80 | 1 ^ 'S' ^ 'C', would read as display mode 2 and "at top".
    receive(cameraReply(1, "SC"));
    EXPECT_EQ(id.values().displayAtTop, atTop);
    EXPECT_EQ(id.values().displayMode, mode);
    clock.advance(3000);
    EXPECT_TRUE(takeSent().empty()) << "the read-back still waits for the status";
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(record.at(record.size() - 1).verdict, TrafficVerdict::Short);

    receive(cameraReply(1, "SC\x01"));
    EXPECT_TRUE(id.values().displayAtTop);
    EXPECT_EQ(record.at(record.size() - 1).verdict, TrafficVerdict::Ok);
    clock.advance(55);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"cdSl1"});
}

TEST_F(CameraIdDialogLogic, initAllIdsStepsEvery500Ms)
{
    CameraId id(link, prompter);
    clock.advance(5);
    queued(); // the read-back's first query
    id.initAllIds();
    clock.advance(5);
    EXPECT_EQ(queued(), std::vector<std::string>{"dL1ID TEST - LINE 1"});
    EXPECT_EQ(id.values().lines[0], "ID TEST - LINE 1");
    clock.advance(499);
    EXPECT_TRUE(queued().empty());
    clock.advance(1);
    EXPECT_EQ(queued(), std::vector<std::string>{"dL2ID TEST - LINE 2"});
    clock.advance(500);
    EXPECT_EQ(queued(), std::vector<std::string>{"dIE"});
    EXPECT_TRUE(id.values().idEnabled);
    clock.advance(500);
    EXPECT_EQ(queued(), std::vector<std::string>{"dIT"});
    EXPECT_TRUE(id.values().displayAtTop);
    clock.advance(200);
    EXPECT_FALSE(clock.isRunning(id, CameraId::IdTestTimerId));
}

TEST_F(CameraIdDialogLogic, cameraTypeEnablesControls)
{
    struct Row {
        int cameraType;
        bool displayModes;
        bool alarmTexts;
        bool idGeneratedInCamera;
    };
    const Row rows[] = {
        {0, false, true, false}, {1, true, true, true},  {2, false, true, true}, {3, false, true, false},
        {4, false, true, false}, {5, true, false, false}, {6, true, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cameraType);
        link.state().cameraType = row.cameraType;
        CameraId id(link, prompter);
        EXPECT_EQ(id.enabling().displayModes, row.displayModes);
        EXPECT_EQ(id.enabling().alarmTexts, row.alarmTexts);
        EXPECT_EQ(id.enabling().idGeneratedInCamera, row.idGeneratedInCamera);
        // A disabled control does nothing.
        id.toggleAlarmTextEnabled();
        id.chooseDisplayMode(1);
        EXPECT_EQ(!takeSent().empty(), row.alarmTexts);
        EXPECT_EQ(!queued().empty(), row.displayModes);
    }
}

TEST_F(CameraIdDialogLogic, aLineTypedWhenTheDialogClosesStillGoes)
{
    CameraId id(link, prompter);
    id.editLine(4, "Door forced");
    id.editLine(2, "Lobby");
    id.leaveLine(2);
    takeSent();
    id.close();
    EXPECT_EQ(takeSent(), std::vector<std::string>{"dL4" + padded("Door forced")});
}

} // namespace
} // namespace tarn::test
