#include "imaging/AlderHdDsp.h"

#include "link/ByteTransport.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <deque>
#include <functional>
#include <map>

namespace tarn::test {
namespace {

constexpr int AlderHD = 0;
constexpr int Cedar = 4;
constexpr int DogwoodHD = 5;

using Dsp = AlderHdDsp;

// A camera at the end of the line: acknowledges commands, answers "cDS" and
// register reads from its own registers as soon as the frame is out (the
// console reads the answer the same millisecond). Records what it saw and
// when; with the pump's 50 ms tick, each command is seen 50 ms after the
// dialog queued it.
struct TestCamera : ByteTransport {
    VirtualClock& clock;
    std::vector<std::pair<std::int64_t, std::string>> seen;
    std::map<std::string, std::string> registers{{"E1F7", "F2"}, {"F8E0", "05"}, {"FF0E", "40"}};
    bool registersTakeWrites = true;
    std::string status = "cM1S4W1Y1";
    std::deque<Bytes> answers;

    explicit TestCamera(VirtualClock& c) : clock(c) {}

    void write(std::span<const std::uint8_t> bytes) override
    {
        const std::string text(bytes.begin() + 2, bytes.end() - 1);
        seen.emplace_back(clock.nowMs(), text);
        if (text.starts_with(":R") && text.size() == 8) {
            answers.push_back(handBuiltFrame(1, ":R" + text.substr(2, 4) + registers[text.substr(2, 4)]));
            return;
        }
        if (text.starts_with(":W") && text.size() == 8 && registersTakeWrites)
            registers[text.substr(2, 4)] = text.substr(6, 2);
        if (text == "cDS")
            answers.push_back(handBuiltFrame(1, status));
        else
            answers.push_back({0x06});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const auto& [time, text] : seen)
            all.push_back(text);
        return all;
    }
};

class AlderHdDspTest : public LinkFixture {
protected:
    TestCamera camera{clock};
    std::unique_ptr<Dsp> dsp;

    AlderHdDspTest()
    {
        link.state().framedSend = true;
        link.state().moduleType = 1;
        link.setSerialTransport(&camera);
    }
    ~AlderHdDspTest() override { link.router().setReceiver(ReceiverSlot::Dsp, nullptr); }

    // As the main window opens it: the dialog takes the replies.
    void open(int model)
    {
        link.state().cameraType = model;
        dsp = std::make_unique<Dsp>(link, prompter);
        link.router().setReceiver(ReceiverSlot::Dsp, dsp.get());
        dsp->initialise();
    }
    // Time passes a millisecond at a time; the camera answers what it got.
    void run(std::int64_t ms)
    {
        for (std::int64_t i = 0; i < ms; ++i) {
            clock.advance(1);
            while (!camera.answers.empty()) {
                const Bytes answer = camera.answers.front();
                camera.answers.pop_front();
                receive(answer);
            }
        }
    }
    // Opened and settled, with the line quiet: from now on what a handler
    // queues stays in the queue for the test to read.
    void openQuiet(int model)
    {
        link.queue().queueReady = true;
        open(model);
        run(2000);
        camera.seen.clear();
        link.queue().queueReady = false;
    }
    void statusReply(std::string_view text) { receive(handBuiltFrame(1, text)); }
};

TEST_F(AlderHdDspTest, controlsSendTheirCommands)
{
    struct Row {
        const char* what;
        int model;
        std::function<void(Dsp&)> act;
        int laterMs;
        std::vector<std::string> queued;
        const char* message = "";
    };
    const auto agc = [](const char* text) {
        return [text](Dsp& d) {
            d.setMaxAgcText(text);
            d.setMaxAgc();
        };
    };
    const Row rows[] = {
        {"Status ?", AlderHD, [](Dsp& d) { d.requestStatus(); }, 0, {"cDS"}},
        {"Poll off", AlderHD, [](Dsp& d) { d.togglePoll(); }, 0, {"cn0"}},
        {"baud 19.2K", AlderHD, [](Dsp& d) { d.setBaud(2); }, 0, {"cC2"}},
        {"Mono", AlderHD, [](Dsp& d) { d.setDayNightMode(2); }, 0, {"cM2"}},
        {"IR Mode2", AlderHD, [](Dsp& d) { d.setIrMode(2); }, 0, {"cR2"}},
        {"shutter 1/10000", AlderHD, [](Dsp& d) { d.selectShutter(15); }, 0, {"cS?"}},
        {"slow limit 1/15", AlderHD, [](Dsp& d) { d.selectSlowLimit(3); }, 0, {"ck3"}},
        {"WB Auto (HPS)", AlderHD, [](Dsp& d) { d.setWhiteBalance(2); }, 0, {"cW2"}},
        {"Outdoor", Cedar, [](Dsp& d) { d.setIndoorOutdoor(1); }, 0, {"cw1"}},
        {"BU held, let go", AlderHD,
         [](Dsp& d) {
             d.trimPressed(Dsp::Trim::BlueUp);
             d.trimReleased();
         },
         0, {"cWB", "cWQ"}},
        {"aperture Manual", AlderHD, [](Dsp& d) { d.setApertureMode(1); }, 0, {"cA1"}},
        {"Set Horz. 12", AlderHD,
         [](Dsp& d) {
             d.setApertureHorizontalText("12");
             d.setApertureHorizontal();
         },
         0, {"cAH\x1C"}},
        {"Set Vert. 32 is not sent", AlderHD,
         [](Dsp& d) {
             d.setApertureVerticalText("32");
             d.setApertureVertical();
         },
         0, {}},
        {"AGC 40", AlderHD, agc("40"), 0, {"cG8"}},
        {"AGC 45 still goes", AlderHD, agc("45"), 0, {"cG="}},
        {"AGC -15 is the lowest byte", AlderHD, agc(" -15 "), 0, {"cG\x01"}},
        {"AGC 111 is the highest", AlderHD, agc("111"), 0, {"cG\x7F"}},
        {"AGC 200 is refused", AlderHD, agc("200"), 0, {}, "Please enter an integer between 1 and 40."},
        {"AGC -16 would be a NUL", AlderHD, agc("-16"), 0, {}, "Please enter an integer between 1 and 40."},
        {"AGC not a number", AlderHD, agc("4x"), 0, {}, "Please enter an integer."},
        {"zoom 35X", AlderHD, [](Dsp& d) { d.selectZoomMagnification(34); }, 0, {"cZm\x23"}},
        {"zoom 1X", AlderHD, [](Dsp& d) { d.selectZoomMagnification(0); }, 0, {"cZm\x01"}},
        {"zoom position a", AlderHD,
         [](Dsp& d) {
             d.setZoomPositionText("a");
             d.setZoomPosition();
         },
         0, {"cV000A"}},
        {"zoom position empty", AlderHD, [](Dsp& d) { d.setZoomPosition(); }, 0, {}, "Invalid Zoom Position"},
        {"zoom position with a control byte", AlderHD,
         [](Dsp& d) {
             d.setZoomPositionText("1\x03");
             d.setZoomPosition();
         },
         0, {}, "Invalid Zoom Position"},
        {"zoom Get", AlderHD, [](Dsp& d) { d.getZoomPosition(); }, 0, {"cVS"}},
        {"WDR Off", AlderHD, [](Dsp& d) { d.setWdr(0); }, 0, {"cY0"}},
        {"WDR On, EIS off", AlderHD, [](Dsp& d) { d.setWdr(1); }, 0, {"cY1"}},
        {"BLC On", AlderHD, [](Dsp& d) { d.setBlc(1); }, 0, {"cB1"}},
        {"EIS On", AlderHD, [](Dsp& d) { d.setEis(1); }, 0, {"cE1"}},
        {"EIS 5Hz", AlderHD, [](Dsp& d) { d.selectEisFrequency(1); }, 0, {"cEF1"}},
        {"digital zoom 12X", AlderHD, [](Dsp& d) { d.selectDigitalZoom(4); }, 0, {"cD4"}},
        {"digital zoom while the gain edit is out of range", AlderHD,
         [](Dsp& d) {
             d.setMaxAgcText("0");
             d.selectDigitalZoom(1);
         },
         0, {}, "Please enter an integer between 1 and 40."},
        {"digital zoom while an aperture edit is out of range", AlderHD,
         [](Dsp& d) {
             d.setApertureVerticalText("0");
             d.selectDigitalZoom(1);
         },
         0, {}, "Please enter an integer between 1 and 31."},
        {"power-up Restore Defaults", AlderHD, [](Dsp& d) { d.powerUp(Dsp::PowerUp::RestoreDefaults); }, 0,
         {"cmd"}},
        {"PLS Type A", AlderHD, [](Dsp& d) { d.selectAutoFocusType(1); }, 0, {"cF1"}},
        {"PLS Type A&B keeps its colon", AlderHD, [](Dsp& d) { d.selectAutoFocusType(2); }, 0, {":cF2"}},
        {"PLS Type C on DogwoodHD, read back", DogwoodHD, [](Dsp& d) { d.selectAutoFocusType(3); }, 500,
         {":WF8E005", ":RF8E000"}},
        {"No PLS on DogwoodHD", DogwoodHD, [](Dsp& d) { d.selectAutoFocusType(0); }, 0, {":WF8E000"}},
        {"1m after 50 ms", AlderHD, [](Dsp& d) { d.selectMinFocusDistance(0); }, 50, {":WE1F7F7"}},
        {"3m after 50 ms", AlderHD, [](Dsp& d) { d.selectMinFocusDistance(1); }, 50, {":WE1F7F2"}},
        {"Get Status", AlderHD, [](Dsp& d) { d.getFocusStatus(); }, 0, {"cDS"}},
        {"Get Status on DogwoodHD", DogwoodHD, [](Dsp& d) { d.getFocusStatus(); }, 50, {":RE1F700"}},
        {"EnableRx", AlderHD, [](Dsp& d) { d.toggleRx(); }, 0, {":E"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        openQuiet(row.model);
        prompter.clear();
        row.act(*dsp);
        clock.advance(row.laterMs);
        EXPECT_EQ(takeQueued(link.queue()), row.queued);
        EXPECT_EQ(prompter.texts(), row.message[0] ? std::vector<std::string>{row.message}
                                                   : std::vector<std::string>{});
        EXPECT_TRUE(camera.seen.empty());
        link.queue().queueReady = true;
    }
}

TEST_F(AlderHdDspTest, initAllPresetsOnlyAfterYes)
{
    openQuiet(AlderHD);
    prompter.scriptAnswer(false);
    dsp->initAllPresets();
    EXPECT_TRUE(link.queue().empty());
    prompter.scriptAnswer(true);
    dsp->initAllPresets();
    EXPECT_EQ(takeQueued(link.queue()), std::vector<std::string>{"cPi"});
    EXPECT_EQ(prompter.texts().at(0), "Do you really want to Initialize All Camera Presets?");
}

TEST_F(AlderHdDspTest, passThroughLengthsAndUpperCase)
{
    struct Row {
        const char* typed;
        const char* sent;    // empty: refused
        const char* message; // empty: none
    };
    const Row rows[] = {
        {":WE1F7F", "", "Invalid length of DSP Command - Command is too short"},
        {":RF8E0000", "", "Invalid length of DSP Command - Command is too long"},
        {":wfcbbfe00", ":WFCBBFE00", ""},
        {":r12345678901", ":R12345678901", ""},
        {":w1234567", "", "Invalid length of DSP Command - Command is too short"},
        {":WfcbbFE", ":WFCBBFE", ""},
        {"/abcdefgh", "", "Invalid length of DSP Command - Command is too long"},
        {"/abc", "", "Invalid length of DSP Command - Command is too short"},
        {"/abcdefg", "/ABCDEFG", ""},
        {"/W123456", "/W123456", ""},
        {"cM1", "CM1", ""},
        {":E\x7F", "", "Invalid DSP Command - only letters, digits, blanks and signs can be sent"},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        openQuiet(AlderHD);
        prompter.clear();
        dsp->setTxText(row.typed);
        dsp->sendPassThrough();
        const auto queued = takeQueued(link.queue());
        EXPECT_EQ(queued, row.sent[0] ? std::vector<std::string>{row.sent} : std::vector<std::string>{});
        EXPECT_EQ(prompter.texts(), row.message[0] ? std::vector<std::string>{row.message}
                                                   : std::vector<std::string>{});
        EXPECT_EQ(dsp->invalidEdit(), row.message[0] ? Dsp::Edit::Tx : Dsp::Edit::None);
    }
}

TEST_F(AlderHdDspTest, statusAndRegisterRepliesFillTheControls)
{
    using Check = std::function<void(const Dsp&)>;
    struct Row {
        std::string reply;
        int model;
        Check check;
    };
    const auto& c = [](const Dsp& d) -> const DspControls& { return d.controls(); };
    const Row rows[] = {
        {"cS?M2R0Y1B1F1", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).shutter, 15);
             EXPECT_EQ(c(d).dayNightMode, 2);
             EXPECT_EQ(c(d).wdr, 1);
             EXPECT_EQ(c(d).blc, 1);
             EXPECT_EQ(c(d).eisFrequency, 1);
         }},
        {"cz\x23", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).zoomMagnification, 34); }},
        {"cz\x24", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).zoomMagnification, -1); }},
        {std::string("cz\0", 3), AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).zoomMagnification, -1); }},
        {"cG9", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).maxAgc, "1"); }},
        {"cG\x10", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).maxAgc, "0"); }},
        {"cG8", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).maxAgc, "40"); }},
        {"cW1", AlderHD, [&](const Dsp& d) { EXPECT_TRUE(d.enabling().trimButtons); }},
        {"cW2", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).whiteBalance, 2);
             EXPECT_FALSE(d.enabling().trimButtons);
         }},
        {"cw1", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).indoorOutdoor, -1); }},
        {"cw1", Cedar, [&](const Dsp& d) { EXPECT_EQ(c(d).indoorOutdoor, 1); }},
        {"ck4k2S7", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).slowLimit, 2);
             EXPECT_EQ(c(d).shutter, 7);
         }},
        {"cD3E1", Cedar,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).eis, 1);
             EXPECT_EQ(c(d).digitalZoom, 0);
             EXPECT_FALSE(d.enabling().digitalZoom);
         }},
        {"cE0", AlderHD, [&](const Dsp& d) { EXPECT_TRUE(d.enabling().digitalZoom); }},
        {"cR1", AlderHD, [&](const Dsp& d) { EXPECT_FALSE(d.enabling().dayNightRadios); }},
        {"ca1\x1C\x2F", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).apertureMode, 1);
             EXPECT_EQ(c(d).apertureHorizontal, "12");
             EXPECT_EQ(c(d).apertureVertical, "31");
         }},
        {"ca0\x1C\x30", AlderHD,
         [&](const Dsp& d) {
             EXPECT_FALSE(d.enabling().apertureLevels);
             EXPECT_EQ(c(d).apertureHorizontal, "1") << "32 is out of range: both levels stay";
         }},
        {"cl\x01\x02\x03V2760p0", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).zoomPosition, "2760");
             EXPECT_EQ(c(d).poll, 0);
         }},
        {"cM1V27", AlderHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).dayNightMode, 1);
             EXPECT_EQ(c(d).zoomPosition, "") << "cut short by the checksum";
         }},
        {":RF8E003", DogwoodHD,
         [&](const Dsp& d) {
             EXPECT_EQ(c(d).autoFocusType, 2);
             EXPECT_FALSE(d.enabling().pushToFocus);
             EXPECT_EQ(c(d).rx, ":RF8E003");
         }},
        {":RF8E005", DogwoodHD, [&](const Dsp& d) { EXPECT_TRUE(d.enabling().pushToFocus); }},
        {":RFF0E4b", AlderHD, [&](const Dsp& d) { EXPECT_EQ(d.focusRegister(), 0x4B); }},
        {":RFF0EG0", AlderHD, [&](const Dsp& d) { EXPECT_EQ(d.focusRegister(), 0x40); }},
        {":R12340A", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).rx, ":R1234"); }},
        {":w12345678", AlderHD, [&](const Dsp& d) { EXPECT_EQ(c(d).rx, ":w12345678"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        openQuiet(row.model);
        statusReply(":RFF0E40");
        statusReply(row.reply);
        row.check(*dsp);
    }
}

TEST_F(AlderHdDspTest, openingAsksForStatusThenTheMinimumFocusRegister)
{
    open(AlderHD);
    run(2000);
    // E1F7 reads F2 (3 m): the auto-focus type is read half a second later.
    const std::vector<std::pair<std::int64_t, std::string>> expected = {
        {550, "cDS"}, {1050, ":RE1F700"}, {1600, ":RF8E000"}};
    EXPECT_EQ(camera.seen, (expected));
    // The camera's status reached the controls.
    EXPECT_EQ(dsp->controls().shutter, 4);
    EXPECT_EQ(dsp->controls().minFocusDistance, 1);
}

TEST_F(AlderHdDspTest, eisGoesOffBeforeASlowShutterOrWdr)
{
    camera.status = "cY0";
    open(AlderHD);
    run(2000);
    dsp->setEis(1);
    run(1000);
    camera.seen.clear();

    dsp->selectShutter(4); // 1/30
    run(500);
    dsp->selectShutter(6); // 1/60 does not conflict
    run(500);
    dsp->setEis(1);
    run(500);
    dsp->setWdr(1);
    EXPECT_EQ(dsp->controls().wdr, 0) << "WDR follows once EIS is off";
    run(1000);
    const std::vector<std::pair<std::int64_t, std::string>> expected = {
        {3050, "cE0"}, {3150, "cS4"}, {3550, "cS6"}, {4050, "cE1"}, {4550, "cE0"}, {5050, "cY1"}};
    EXPECT_EQ(camera.seen, expected);
    EXPECT_EQ(dsp->controls().wdr, 1);
    EXPECT_EQ(dsp->controls().eis, 0);
}

TEST_F(AlderHdDspTest, minimumFocusIsWrittenBackEveryTwentySecondsUntilItHolds)
{
    camera.registers["E1F7"] = "F7";
    camera.registersTakeWrites = false;
    open(DogwoodHD);
    run(2000);
    camera.registersTakeWrites = true;
    run(40000);
    std::vector<std::pair<std::int64_t, std::string>> registerTraffic;
    for (const auto& seen : camera.seen) {
        if (seen.second.starts_with(':'))
            registerTraffic.push_back(seen);
    }
    const std::vector<std::pair<std::int64_t, std::string>> expected = {
        {1050, ":RE1F700"},  {1150, ":WE1F7F2"},  {1600, ":WFCAC00"},
        {21100, ":RE1F700"}, {21200, ":WE1F7F2"}, {21650, ":WFCAC00"},
        {41150, ":RE1F700"}, {41700, ":RF8E000"},
    };
    EXPECT_EQ(registerTraffic, expected);
    EXPECT_EQ(dsp->controls().minFocusDistance, 1);
    EXPECT_EQ(dsp->controls().autoFocusType, 3);
    EXPECT_TRUE(dsp->enabling().pushToFocus);
}

TEST_F(AlderHdDspTest, pushToFocusRunsTheRegisterSequence)
{
    open(DogwoodHD);
    run(2000);
    ASSERT_TRUE(dsp->enabling().pushToFocus);
    camera.seen.clear();
    dsp->pushToFocus();
    run(10000);
    const std::vector<std::pair<std::int64_t, std::string>> expected = {
        {2055, ":RFF0E00"}, {2605, ":WFF0E48"}, {3105, ":WFCBBA9"}, {3905, ":WFCBBFE"},
        {4405, ":WFCBBAA"}, {5210, ":WFCBBFE"}, {5260, ":RFF0E00"}, {5705, ":WFF0E40"},
        {6705, ":RFF0E00"}, {9205, ":WFF0E48"},
    };
    EXPECT_EQ(camera.seen, expected);
}

TEST_F(AlderHdDspTest, birchHdHasNoFocusControlsAndTheAlderHdNoIndoorOutdoor)
{
    struct Row {
        int model;
        bool focus;
        bool indoorOutdoor;
    };
    for (const Row row : {Row{3, false, false}, Row{AlderHD, true, false}, Row{Cedar, true, true}}) {
        open(row.model);
        const DspEnabling& enabling = dsp->enabling();
        EXPECT_EQ(enabling.passThroughSend, row.focus) << row.model;
        EXPECT_EQ(enabling.focusCombos, row.focus) << row.model;
        EXPECT_FALSE(enabling.pushToFocus);
        EXPECT_EQ(enabling.indoorOutdoor, row.indoorOutdoor) << row.model;
        EXPECT_EQ(enabling.digitalZoom, row.indoorOutdoor) << row.model;
    }
}

} // namespace
} // namespace tarn::test
