#include "programming/LensMaintenance.h"
#include "programming/LensReply.h"

#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <functional>

namespace tarn::test {
namespace {

Bytes reply(std::string_view text)
{
    return cameraReply(0x01, text);
}

class LensMaintenanceTest : public LinkFixture {
protected:
    LensMaintenance lens{link, prompter};

    LensMaintenanceTest()
    {
        link.state().framedSend = true;
        link.state().cameraType = 6; // lens maintenance is for receivers that are not domes
        lens.open();
    }
    // The camera has told its settings: the phase edit may send.
    void readBack(std::string_view status = "m1l0v0p1c0")
    {
        receive(reply(status));
        queued();
    }
};

TEST_F(LensMaintenanceTest, openingDropsWhatWasQueuedAndAsksForTheStatusAfter5ms)
{
    clock.stop(lens, LensMaintenance::StatusQueryTimerId);
    LensMaintenance second(link, prompter);
    link.queue().append("sB1");
    second.open();
    EXPECT_TRUE(link.queue().empty());
    EXPECT_EQ(link.queue().writeIndex(), 0u);
    clock.advance(4);
    EXPECT_TRUE(queued().empty());
    clock.advance(1);
    EXPECT_EQ(queued(), std::vector<std::string>{"m?"});
}

TEST_F(LensMaintenanceTest, controlsQueueTheirCommands)
{
    readBack();
    struct Row {
        const char* name;
        std::function<void(LensMaintenance&)> action;
        std::vector<std::string> sent;
    };
    const Row rows[] = {
        {"auto iris", [](auto& l) { l.setAutoIrisLevel(); }, {"ma"}},
        {"calibrate", [](auto& l) { l.startCalibratingLens(); }, {"mc"}},
        {"lens type", [](auto& l) { l.chooseLensType(2); }, {"m2"}},
        {"zoom/focus and iris pot",
         [](auto& l) {
             l.setLensFunction(ZoomFocusMotorised, true);
             l.setLensFunction(IrisFollowPot, true);
             l.setLensFunctions();
         },
         {"ml9"}},
        {"all four functions",
         [](auto& l) {
             for (const auto f : {ZoomFocusMotorised, MotorIris, ZoomFocusFollowPots, IrisFollowPot})
                 l.setLensFunction(f, true);
             l.setLensFunction(MotorIris, false);
             l.setLensFunctions();
         },
         {"ml="}},
        {"phase 5", [](auto& l) { l.phaseEdited(5); }, {"Lp6"}},
        {"phase 0", [](auto& l) { l.phaseEdited(0); }, {"Lp1"}},
        {"phase 6 refused", [](auto& l) { l.phaseEdited(6); }, {}},
        {"crystal locks the phase",
         [](auto& l) {
             l.phaseEdited(3);
             l.setCrystal(true);
             l.phaseEdited(4);
             l.setCrystal(false);
         },
         {"Lp4", "Lp0", "Lp5"}},
        {"video", [](auto& l) { l.chooseVideo(1); }, {"mv1"}},
        {"camera", [](auto& l) { l.chooseCamera(5); }, {"mc5"}},
        {"camera out of the list", [](auto& l) { l.chooseCamera(-1); }, {}},
        {"2X", [](auto& l) { l.setExtender(true); }, {"mX1"}},
        {"IR", [](auto& l) { l.chooseInfrared(3); }, {"mR3"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LensMaintenance other(link, prompter);
        other.open();
        receive(reply("m1l0v0p1c0"));
        queued();
        row.action(other);
        EXPECT_EQ(queued(), row.sent);
    }
}

TEST_F(LensMaintenanceTest, phaseTypedBeforeTheFirstStatusSendsNothing)
{
    lens.phaseEdited(3);
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(lens.readingBack());
}

TEST_F(LensMaintenanceTest, clearNvramOnlyOnYes)
{
    lens.clearNvram(); // unscripted: No is the default
    EXPECT_TRUE(queued().empty());
    prompter.scriptAnswer(true);
    lens.clearNvram();
    EXPECT_EQ(queued(), std::vector<std::string>{"rrRRRR"});
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[0].icon, MessageIcon::Error);
}

TEST_F(LensMaintenanceTest, replyChainStatusThenExtenderThenInfrared)
{
    receive(reply("m2l9v1p4c3"));
    const LensValues& values = lens.values();
    EXPECT_EQ(values.lensVoltage, 2);
    EXPECT_EQ(values.lensMode, ZoomFocusMotorised | IrisFollowPot);
    EXPECT_EQ(values.video, 1);
    EXPECT_EQ(values.phase, 3);
    EXPECT_TRUE(lens.phaseControlsEnabled());
    EXPECT_EQ(values.camera, 3);
    EXPECT_FALSE(lens.readingBack());
    EXPECT_EQ(queued(), std::vector<std::string>{"mXS"});

    receive(reply("mX1"));
    EXPECT_TRUE(values.extender);
    EXPECT_EQ(queued(), std::vector<std::string>{"mRS"});
    receive(reply("mR2"));
    EXPECT_EQ(values.infrared, 2);
    EXPECT_TRUE(queued().empty());

    // Phase byte 0: crystal lock; the phase itself stays.
    receive(reply("m0l0v0p0c0"));
    EXPECT_TRUE(values.crystal);
    EXPECT_FALSE(lens.phaseControlsEnabled());
    EXPECT_EQ(values.phase, 3);
}

TEST_F(LensMaintenanceTest, repliesWithAnExtendedAddressAndAfterClosing)
{
    receive(cameraReply(0xFE, "1000mR1"));
    EXPECT_EQ(lens.values().infrared, 1);

    RecordingReceiver setup;
    link.router().setReceiver(ReceiverSlot::Setup, &setup);
    link.state().cameraType = 0;
    {
        LensMaintenance closing(link, prompter);
        closing.open();
        receive(reply("mS0001234")); // even the Setup dialog's replies wait while it is open
        EXPECT_TRUE(setup.frames.empty());
    }
    receive(reply("mS0001234"));
    EXPECT_EQ(setup.frames.size(), 1u);
}

TEST(LensReplyTest, partsAreTakenWhereTheyStandAndOnlyInRange)
{
    using Kind = LensReply::Kind;
    struct Row {
        std::string_view text;
        Kind kind;
        int voltage;
        std::optional<int> mode, video, phase, camera;
        int value;
    };
    const std::optional<int> none;
    const Row rows[] = {
        {"m1l?v1p6c5", Kind::Status, 1, 15, 1, 6, 5, 0},
        {"m0", Kind::Status, 0, none, none, none, none, 0},
        {"m2l9v7p7c6", Kind::Status, 2, 9, none, none, none, 0},
        {"m2x9v0q1c1", Kind::Status, 2, none, 0, none, 1, 0},
        {"m3l9v0p1c1", Kind::None, 0, none, none, none, none, 0},
        {"mX3", Kind::Extender, 0, none, none, none, none, 1},
        {"mR7", Kind::Infrared, 0, none, none, none, none, 3},
        {"mX", Kind::None, 0, none, none, none, none, 0},
        {"L1", Kind::None, 0, none, none, none, none, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const LensReply parsed = LensReply::parse(reply(row.text), 1);
        EXPECT_EQ(parsed.kind, row.kind);
        if (row.kind == Kind::Status) {
            EXPECT_EQ(parsed.lensVoltage, row.voltage);
            EXPECT_EQ(parsed.lensMode, row.mode);
            EXPECT_EQ(parsed.video, row.video);
            EXPECT_EQ(parsed.phaseByte, row.phase);
            EXPECT_EQ(parsed.camera, row.camera);
        } else if (row.kind != Kind::None) {
            EXPECT_EQ(parsed.value, row.value);
        }
    }
    // Cut short: the checksum is never read as the lens-mode byte.
    const Bytes cut = {0xF8, 0x01, 'm', '1', 'l', 0x8F};
    EXPECT_EQ(LensReply::parse(cut, 1).lensMode, std::nullopt);
}

} // namespace
} // namespace tarn::test
