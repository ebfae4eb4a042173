#include "imaging/ThermalControl.h"

#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <functional>

namespace tarn::test {
namespace {

// The controls as the dialog shows them when it opens.
ThermalControls openingControls()
{
    ThermalControls c;
    const ThermalSettings s;
    const int values[] = {s.ffcInterval, s.ffcTemperatureChange, s.plateau, s.ittMean, s.maxGain,
                          s.roiLeft,     s.roiTop,               s.roiRight, s.roiBottom, s.dde};
    for (std::size_t i = 0; i < c.edits.size(); ++i)
        c.edits[i] = std::to_string(values[i]);
    return c;
}

class ThermalControlTest : public LinkFixture {
protected:
    ThermalControlTest()
    {
        link.state().framedSend = true; // replies in F8 form, routed by letter
        link.router().setReceiver(ReceiverSlot::Thermal, &thermal);
        thermal.start();
    }

    void reply(std::string_view text) { receive(cameraReply(1, text)); }
    std::string lastSent() const
    {
        const Bytes frame = serial.last();
        return frame.size() < 3 ? std::string() : std::string(frame.begin() + 2, frame.end() - 1);
    }

    ThermalControl thermal{link, prompter};
    ThermalControls controls = openingControls();
};

TEST_F(ThermalControlTest, eachControlSendsItsCommand)
{
    using Action = std::function<void(ThermalControl&, ThermalControls&)>;
    struct Row {
        const char* what;
        Action action;
        std::vector<std::string> sent;
    };
    const auto edit = [](ThermalEdit which, const char* text) {
        return [which, text](ThermalControls& c) { c.edit(which) = text; };
    };
    const Row rows[] = {
        {"FFC Set", [](auto& t, auto& c) { t.setFfc(c); }, {"tk07200005"}},
        {"FFC radios", [](auto& t, auto&) { t.ffcModeChosen(2), t.ffcModeChosen(0); }, {"tW2", "tW0"}},
        {"DoFFC", [](auto& t, auto&) { t.doFfc(); }, {"tr"}},
        {"operating mode and video", [](auto& t, auto&) { t.operatingModeChosen(1), t.videoChosen(1); }, {"tF1", "tB1"}},
        {"user settings", [](auto& t, auto&) { t.saveUserSettings(); }, {"tsS"}},
        {"ROI Set", [](auto& t, auto& c) { t.setRoi(c); }, {"tR000000320256"}},
        {"ROI Set, camera order",
         [&](auto& t, auto& c) {
             edit(ThermalEdit::RoiLeft, "10")(c), edit(ThermalEdit::RoiTop, "20")(c);
             edit(ThermalEdit::RoiRight, "630")(c), edit(ThermalEdit::RoiBottom, "500")(c);
             t.setRoi(c);
         },
         {"tR010020630500"}},
        {"AGC Set", [&](auto& t, auto& c) { edit(ThermalEdit::Plateau, "999")(c), t.setAgcParameters(c); }, {"tA0999000000"}},
        {"Indoors", [](auto& t, auto& c) { c.agcPreset = 2, t.agcPresetChosen(c); }, {"tA0100120010"}},
        {"Low Scene Contrast", [](auto& t, auto& c) { c.agcPreset = 1, t.agcPresetChosen(c); }, {"tA0150110018"}},
        {"Default(Outdoors) keeps the plateau",
         [&](auto& t, auto& c) { edit(ThermalEdit::Plateau, "250")(c), c.agcPreset = 0, t.agcPresetChosen(c); },
         {"tA0250110015"}},
        {"DDE 22 as byte 37", [](auto& t, auto& c) { t.setDde(c); }, {"td%"}},
        {"DDE 63 as byte 78", [&](auto& t, auto& c) { edit(ThermalEdit::Dde, "63")(c), t.setDde(c); }, {"tdN"}},
        {"LUT 11 as ';'", [](auto& t, auto& c) { c.lut = 11, t.lutChosen(c); }, {"tC;"}},
        {"orientation and zoom",
         [](auto& t, auto& c) { c.orientation = 3, t.orientationChosen(c), c.digitalZoom = 1, t.digitalZoomChosen(c); },
         {"ti3", "tX1"}},
        {"Supp. Offset toggles", [](auto& t, auto&) { t.toggleSuppOffset(), t.toggleSuppOffset(); }, {"tS1", "tS0"}},
        {"focus held and let go",
         [](auto& t, auto&) {
             t.focusPressed(ThermalControl::Focus::Near), t.focusReleased();
             t.focusPressed(ThermalControl::Focus::Far), t.focusReleased();
         },
         {"tfN", "tfS", "tfF", "tfS"}},
        {"Status?", [](auto& t, auto&) { t.requestStatus(); }, {"tDS"}},
        {"no selection sends nothing", [](auto& t, auto& c) { t.lutChosen(c), t.agcPresetChosen(c); }, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ThermalControl control(link, prompter);
        control.start();
        ThermalControls c = openingControls();
        row.action(control, c);
        EXPECT_EQ(queued(), row.sent);
    }
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ThermalControlTest, recallResetAndFactoryDefaultsAskForTheStatusHalfASecondLater)
{
    clock.advance(505); // the opening requests are queued
    queued();
    for (const auto& [press, command] : std::vector<std::pair<void (ThermalControl::*)(), std::string>>{
             {&ThermalControl::recallUserSettings, "tss"},
             {&ThermalControl::resetCamera, "tsR"},
             {&ThermalControl::restoreFactoryDefaults, "tsD"}}) {
        (thermal.*press)();
        EXPECT_EQ(queued(), std::vector<std::string>{command});
        clock.advance(499);
        EXPECT_TRUE(link.queue().empty());
        clock.advance(1);
        EXPECT_EQ(queued(), std::vector<std::string>{"tDS"});
    }
}

TEST_F(ThermalControlTest, refusedValuesShowTheReasonAndSendNothing)
{
    struct Row {
        ThermalEdit edit;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {ThermalEdit::FfcInterval, "30001", "Please enter an integer between 0 and 30000."},
        {ThermalEdit::Plateau, "9", "Please enter an integer between 10 and 1000."},
        {ThermalEdit::RoiRight, "641", "Please enter an integer between 1 and 640."},
        {ThermalEdit::Dde, "0", "Please enter an integer between 1 and 63."},
        {ThermalEdit::Dde, "2x", "Please enter an integer."},
        {ThermalEdit::MaxGain, "", "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        prompter.clear();
        ThermalControls c = openingControls();
        c.edit(row.edit) = row.text;
        c.lut = 3;
        thermal.lutChosen(c);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{row.message});
        EXPECT_EQ(thermal.refusedEdit(), row.edit);
        EXPECT_TRUE(queued().empty());
        EXPECT_EQ(thermal.settings().lut, -1) << "nothing was taken";
        EXPECT_FALSE(thermal.accept(c)) << "OK keeps the dialog open";
    }
    // Blanks around a number are fine.
    controls.edit(ThermalEdit::Dde) = " 40 ";
    EXPECT_TRUE(thermal.accept(controls));
    EXPECT_EQ(thermal.settings().dde, 40);
}

TEST_F(ThermalControlTest, roiOutsideTheSensorOrOutOfOrderIsAnErrorAndSendsNothing)
{
    struct Row {
        const char* resolution; // reply field c, or none
        int left, top, right, bottom;
        bool sent;
    };
    const Row rows[] = {
        {nullptr, 320, 0, 320, 256, false}, // left = right
        {nullptr, 0, 300, 640, 200, false}, // top > bottom
        {nullptr, 0, 0, 640, 512, true},    // unknown sensor: the edits' own ranges
        {"tc1", 0, 0, 640, 512, true},
        {"tc0", 0, 0, 321, 256, false},
        {"tc0", 0, 0, 320, 257, false},
        {"tc0", 10, 10, 320, 256, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.resolution ? row.resolution : "-") << ' ' << row.left << ' ' << row.right);
        prompter.clear();
        ThermalControl control(link, prompter);
        control.start();
        link.router().setReceiver(ReceiverSlot::Thermal, &control);
        if (row.resolution)
            reply(row.resolution);
        ThermalControls c = openingControls();
        c.edit(ThermalEdit::RoiLeft) = std::to_string(row.left);
        c.edit(ThermalEdit::RoiTop) = std::to_string(row.top);
        c.edit(ThermalEdit::RoiRight) = std::to_string(row.right);
        c.edit(ThermalEdit::RoiBottom) = std::to_string(row.bottom);
        control.setRoi(c);
        EXPECT_EQ(queued().size(), row.sent ? 1u : 0u);
        if (!row.sent) {
            ASSERT_EQ(prompter.shown().size(), 1u);
            EXPECT_EQ(prompter.shown()[0].text, "Error! Cannot set ROI - Values are not in range!");
            EXPECT_EQ(prompter.shown()[0].icon, MessageIcon::Warning);
        }
    }
}

TEST_F(ThermalControlTest, statusReplyFillsTheSettingsFieldByField)
{
    using S = ThermalSettings;
    struct Row {
        std::string reply;
        std::vector<std::pair<int S::*, int>> expected;
    };
    const Row rows[] = {
        {"tk03600010R000000320256A0250110015W1F1B1C;i2X3S1c0d&",
         {{&S::ffcInterval, 3600}, {&S::ffcTemperatureChange, 10}, {&S::roiRight, 320}, {&S::roiBottom, 256},
          {&S::plateau, 250}, {&S::ittMean, 110}, {&S::maxGain, 15}, {&S::ffcMode, 1}, {&S::operatingMode, 1},
          {&S::video, 1}, {&S::lut, 11}, {&S::orientation, 2}, {&S::digitalZoom, 3}, {&S::suppOffset, 1},
          {&S::resolution, 0}, {&S::dde, 23}}},
        // Out of a field's range: that setting stays, the rest still counts.
        {"tk00004050", {{&S::ffcInterval, 7200}, {&S::ffcTemperatureChange, 50}}},
        {"tk30001101", {{&S::ffcInterval, 7200}, {&S::ffcTemperatureChange, 5}}},
        {"tC<W3X4", {{&S::lut, -1}, {&S::ffcMode, -1}, {&S::digitalZoom, -1}}},
        {"tc2", {{&S::resolution, -1}}},
        {"tR640512000000", {{&S::roiLeft, 0}, {&S::roiTop, 0}, {&S::roiRight, 320}, {&S::roiBottom, 256}}},
        {"tA0009256255", {{&S::plateau, 10}, {&S::ittMean, 0}, {&S::maxGain, 255}}},
        {"td%", {{&S::dde, 22}}},
        {"td\x10", {{&S::dde, 1}}},
        // Unknown letters take one character; a field cut short by the checksum is dropped.
        {"tZ1C3", {{&S::lut, 3}}},
        {"tC3k0720", {{&S::lut, 3}, {&S::ffcInterval, 7200}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        ThermalControl control(link, prompter);
        link.router().setReceiver(ReceiverSlot::Thermal, &control);
        int refreshes = 0;
        control.setRefreshed([&] { ++refreshes; });
        reply(row.reply);
        EXPECT_EQ(refreshes, 1);
        for (const auto& [setting, value] : row.expected)
            EXPECT_EQ(control.settings().*setting, value);
    }
}

TEST_F(ThermalControlTest, rangeLabelsFollowTheReportedSensor)
{
    const std::array<std::string_view, 6> none{};
    EXPECT_EQ(thermal.roiRangeLabels(), none);
    reply("tc1");
    EXPECT_EQ(thermal.roiRangeLabels(),
              (std::array<std::string_view, 6>{"(0 to 639)", "(0 to 511)", "(1 to 640)", "(1 to 512)", "(640)", "(512)"}));
    reply("tc2");
    EXPECT_EQ(thermal.roiRangeLabels()[4], "(640)");
    reply("tc0");
    EXPECT_EQ(thermal.roiRangeLabels(),
              (std::array<std::string_view, 6>{"(0 to 319)", "(0 to 255)", "(1 to 320)", "(1 to 256)", "(320)", "(256)"}));
}

TEST_F(ThermalControlTest, statusBehindAnExtendedAddressIsReadAfterItsDigits)
{
    for (const int protocol : {1, 5}) {
        SCOPED_TRACE(protocol);
        link.state().protocolIndex = protocol;
        ThermalControl control(link, prompter);
        link.router().setReceiver(ReceiverSlot::Thermal, &control);
        receive(cameraReply(0xFE, protocol == 5 ? "01000tC7" : "1000tC7"));
        EXPECT_EQ(control.settings().lut, 7);
    }
}

TEST_F(ThermalControlTest, openingSendsManualFfcThenAsksForTheStatus)
{
    clock.advance(54);
    EXPECT_TRUE(serial.writes.empty());
    clock.advance(1);
    EXPECT_EQ(lastSent(), "tW0");
    EXPECT_TRUE(link.state().replyWanted);
    receive({0x06});
    clock.advance(554 - 55);
    EXPECT_EQ(serial.writes.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(lastSent(), "tDS");
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ThermalControlTest, withJavelinTheStatusIsAskedForWithThePassThroughFrame)
{
    link.state().protocolIndex = 4;
    link.state().address = 5;
    clock.advance(505);
    EXPECT_TRUE(link.state().replyWanted);
    clock.advance(5);
    ASSERT_EQ(serial.writes.size(), 2u);
    EXPECT_EQ(serial.writes[0], cameraReply(5, "tW0")) << "the frame of tW0 has the same layout";
    EXPECT_EQ(serial.last(), (Bytes{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}));
}

TEST_F(ThermalControlTest, passThroughAsksFirstThenLocksEverySendCommandButNotCameraCommands)
{
    clock.advance(505);
    queued();
    prompter.scriptAnswer(false);
    thermal.enablePassThrough();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, ScriptedPrompter::Kind::YesNo);
    EXPECT_NE(prompter.shown()[0].text.find("until it is restarted"), std::string::npos);
    EXPECT_TRUE(link.queue().empty());

    prompter.scriptAnswer(true);
    thermal.enablePassThrough();
    thermal.requestStatus();
    clock.advance(50);
    EXPECT_EQ(lastSent(), "tPe");
    EXPECT_TRUE(link.state().sendLock);
    EXPECT_EQ(events.sendLocks, 1);

    const std::size_t before = serial.writes.size();
    receive({0x06});
    clock.advance(600); // the queued "tDS" is refused
    link.SendCommand("L?");
    link.enqueue("L?");
    clock.advance(200);
    EXPECT_EQ(serial.writes.size(), before);
    link.SendCameraCommand("DS");
    EXPECT_EQ(serial.writes.size(), before + 1);
    EXPECT_EQ(events.sendLocks, 1);
}

} // namespace
} // namespace tarn::test
