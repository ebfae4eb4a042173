#include "programming/ScreenPrivacy.h"
#include "programming/ScreenPrivacyReply.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <functional>

namespace tarn::test {
namespace {

class ScreenPrivacyLogic : public LinkFixture {
protected:
    ScreenPrivacy privacy{link, prompter};

    ScreenPrivacyLogic()
    {
        link.state().moduleType = 1;
        privacy.open();
        queued();
    }
};

TEST_F(ScreenPrivacyLogic, controlsQueueTheirCommands)
{
    using Size = ScreenPrivacy::Size;
    using Colour = ScreenPrivacy::Colour;
    struct Row {
        const char* control;
        std::function<void(ScreenPrivacy&)> act;
        std::vector<std::string> queued;
    };
    const Row rows[] = {
        {"zone 3", [](ScreenPrivacy& p) { p.chooseZone(2); }, {"c*N3"}},
        {"zone 8, Live", [](ScreenPrivacy& p) { p.chooseZone(7); p.setMode(2); }, {"c*N8", "c*M82"}},
        {"zone 3 sizes", [](ScreenPrivacy& p) { p.chooseZone(2); p.setSize(Size::Horizontal, 7); p.setSize(Size::Vertical, 127); },
         {"c*N3", "c*h3007", "c*v3127"}},
        {"colours", [](ScreenPrivacy& p) { p.setColour(Colour::Shade, 12); p.setColour(Colour::Red, 15); p.setColour(Colour::Blue, 0); },
         {"c*S<", "c*R?", "c*B0"}},
        {"out of range", [](ScreenPrivacy& p) {
             p.chooseZone(0);
             p.setSize(Size::Horizontal, 128);
             p.setSize(Size::Vertical, -1);
             p.setColour(Colour::Red, 16);
             p.setMode(3);
             p.chooseZone(8);
         }, {"c*N1"}},
        // The mode and size commands name the zone: none is chosen yet.
        {"no zone chosen", [](ScreenPrivacy& p) { p.setMode(1); p.setSize(Size::Horizontal, 5); }, {}},
        {"zoom in, let go, zoom out", [](ScreenPrivacy& p) { p.zoomPressed(true); p.zoomReleased(); p.zoomPressed(false); },
         {"cZ0", "ZS", "cz0"}},
        {"pad", [](ScreenPrivacy& p) { p.padCommand("r\x5Fu\x13"); p.padCommand("PSTS"); }, {"r\x5Fu\x13", "PSTS"}},
        {"Goto", [](ScreenPrivacy& p) { p.setPanText("0900"); p.setTiltText("0450"); p.gotoPosition(); }, {"cp09000450"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        ScreenPrivacy fresh(link, prompter);
        fresh.open();
        queued();
        row.act(fresh);
        EXPECT_EQ(queued(), row.queued);
    }
}

TEST(ScreenPrivacyZoom, commandFollowsPanTiltTypeAndSpeed)
{
    EXPECT_EQ(ScreenPrivacy::zoomCommand(true, 0, false), "ZI");
    EXPECT_EQ(ScreenPrivacy::zoomCommand(false, 0, false), "ZO");
    EXPECT_EQ(ScreenPrivacy::zoomCommand(true, 2, false), "cZ0");
    EXPECT_EQ(ScreenPrivacy::zoomCommand(false, 1, true), "cz2");
}

TEST_F(ScreenPrivacyLogic, nothingGoesOutBeforeTheDialogIsOpen)
{
    clock.advance(1000); // the fixture's dialog has asked for its zone
    queued();
    ScreenPrivacy opening(link, prompter);
    opening.setColour(ScreenPrivacy::Colour::Red, 3);
    opening.padCommand("PSTS");
    EXPECT_TRUE(queued().empty());

    opening.open();
    EXPECT_EQ(queued(), std::vector<std::string>{"c*NA"});
    link.state().privacyReplyWanted = false;
    clock.advance(999);
    EXPECT_TRUE(queued().empty());
    clock.advance(1);
    EXPECT_EQ(queued(), std::vector<std::string>{"c*Z?"});
    EXPECT_TRUE(link.state().privacyReplyWanted);
}

TEST_F(ScreenPrivacyLogic, gotoNeedsFourDigitsForEach)
{
    constexpr std::string_view Pan = "Invalid Pan Position (Requires 4 decimal digits)";
    constexpr std::string_view Tilt = "Invalid Tilt Position (Requires 4 decimal digits";
    struct Row {
        const char* pan;
        const char* tilt;
        std::string_view message;
        ScreenPrivacy::Edit focus;
    };
    const Row rows[] = {
        {"900", "0450", Pan, ScreenPrivacy::Edit::Pan},
        {"", "", Pan, ScreenPrivacy::Edit::Pan},
        {"09a0", "0450", Pan, ScreenPrivacy::Edit::Pan},
        {"0900", "045", Tilt, ScreenPrivacy::Edit::Tilt},
        {"0900", "04 5", Tilt, ScreenPrivacy::Edit::Tilt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.pan) + "/" + row.tilt);
        prompter.clear();
        privacy.setPanText(row.pan);
        privacy.setTiltText(row.tilt);
        privacy.gotoPosition();
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(row.message)});
        EXPECT_EQ(privacy.invalidEdit(), row.focus);
        EXPECT_TRUE(queued().empty());
    }
}

TEST_F(ScreenPrivacyLogic, positionQueryIsAnsweredIntoThePanAndTiltEdits)
{
    privacy.queryPosition();
    EXPECT_TRUE(link.state().privacyReplyWanted);
    clock.advance(10); // 5 ms to the query, 5 ms to the pump
    EXPECT_EQ(serial.writes, std::vector<Bytes>{cameraReply(1, "cPS")});
    receive(cameraReply(1, "cP01230450"));
    EXPECT_EQ(privacy.values().pan, "0123");
    EXPECT_EQ(privacy.values().tilt, "0450");
    EXPECT_FALSE(link.state().privacyReplyWanted);
    // Unasked, the position is the main panel's.
    receive(cameraReply(1, "cP09000000"));
    EXPECT_EQ(privacy.values().pan, "0123");
    EXPECT_EQ(events.positions.size(), 1u);
}

TEST_F(ScreenPrivacyLogic, zoneSettingsReplyFillsTheControls)
{
    struct Row {
        std::string reply;
        ScreenPrivacyValues shown;
    };
    // Before each reply: mode 1, sizes 10 and 20, colours 1, 2, 3.
    const auto with = [](int mode, int h, int v, int red, int blue, int shade) {
        ScreenPrivacyValues values;
        values.mode = mode;
        values.horizontalSize = h;
        values.verticalSize = v;
        values.redColour = red;
        values.blueColour = blue;
        values.shade = shade;
        return values;
    };
    const Row rows[] = {
        {"c*B3R:S?M2h012v127", with(2, 12, 127, 10, 3, 15)},
        {"c*M5", with(-1, 10, 20, 1, 2, 3)},
        {"c*M/R@B/S0", with(-1, 10, 20, -1, -1, 0)},
        // The middle digit decides: 0x3D has the low four bits 13. A size
        // the edits cannot hold (":" is 10: 205) is shown as none too.
        {"c*h0=0v1:5", with(1, -1, -1, 1, 2, 3)},
        {"c*h100v12", with(1, 100, 20, 1, 2, 3)},        // "v" cut short by the end
        {"c*v001B5", with(1, 10, 1, 1, 2, 3)},           // "v" ends the list
        {"c*xN3h004", with(1, 4, 20, 1, 2, 3)},          // other bytes are passed over
        {std::string("c*\0B5", 5), with(1, 10, 20, 1, 2, 3)}, // a NUL ends the list
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        ScreenPrivacy dialog(link, prompter);
        dialog.open();
        dialog.chooseZone(0);
        dialog.setMode(1);
        dialog.setSize(ScreenPrivacy::Size::Horizontal, 10);
        dialog.setSize(ScreenPrivacy::Size::Vertical, 20);
        dialog.setColour(ScreenPrivacy::Colour::Red, 1);
        dialog.setColour(ScreenPrivacy::Colour::Blue, 2);
        dialog.setColour(ScreenPrivacy::Colour::Shade, 3);
        dialog.replyReceived(cameraReply(1, row.reply));
        const ScreenPrivacyValues& values = dialog.values();
        EXPECT_EQ(values.mode, row.shown.mode);
        EXPECT_EQ(values.horizontalSize, row.shown.horizontalSize);
        EXPECT_EQ(values.verticalSize, row.shown.verticalSize);
        EXPECT_EQ(values.redColour, row.shown.redColour);
        EXPECT_EQ(values.blueColour, row.shown.blueColour);
        EXPECT_EQ(values.shade, row.shown.shade);
        queued();
    }
}

TEST(ScreenPrivacyReplyParser, readsOnlyWhatTheFrameHolds)
{
    using Kind = ScreenPrivacyReply::Kind;
    // An extended address puts the letter after four digits.
    const Bytes extended = cameraReply(0xFE, "0300cP35990900");
    const ScreenPrivacyReply position = parseScreenPrivacyReply(extended, 1);
    EXPECT_EQ(position.kind, Kind::Position);
    EXPECT_EQ(position.pan, 3599);
    EXPECT_EQ(position.tilt, 900);

    const Bytes zone = cameraReply(0xFE, "00300c*S4v099");
    const ScreenPrivacyReply settings = parseScreenPrivacyReply(zone, 5);
    EXPECT_EQ(settings.shade, 4);
    EXPECT_EQ(settings.verticalSize, 99);

    // A position cut short by the checksum or the end is no position.
    EXPECT_EQ(parseScreenPrivacyReply(cameraReply(1, "cP0123045"), 1).kind, Kind::Nothing);
    Bytes noChecksum = cameraReply(1, "cP0123045");
    noChecksum.pop_back();
    EXPECT_EQ(parseScreenPrivacyReply(noChecksum, 1).kind, Kind::Nothing);
    // A value byte that is the checksum: the item is not there.
    EXPECT_FALSE(parseScreenPrivacyReply(cameraReply(1, "c*B"), 1).blueColour.has_value());
    EXPECT_FALSE(parseScreenPrivacyReply(cameraReply(1, "c*h12"), 1).horizontalSize.has_value());
    EXPECT_EQ(parseScreenPrivacyReply(Bytes{0xF8, 1, 'c'}, 1).kind, Kind::Nothing);
    // Garbled: a byte of the checksum's kind inside a value ends the reply there.
    EXPECT_EQ(parseScreenPrivacyReply(cameraReply(1, "cP0123\x95" "4567"), 1).kind, Kind::Nothing);
    const ScreenPrivacyReply garbled = parseScreenPrivacyReply(cameraReply(1, "c*B3R\x90S4"), 1);
    EXPECT_EQ(garbled.blueColour, 3);
    EXPECT_FALSE(garbled.redColour.has_value());
    EXPECT_FALSE(garbled.shade.has_value());
}

TEST_F(ScreenPrivacyLogic, leavesTheReplySlotWhenItGoes)
{
    EXPECT_EQ(link.router().receiver(ReceiverSlot::ScreenPrivacy), &privacy);
    {
        ScreenPrivacy other(link, prompter);
        other.queryPosition();
    }
    EXPECT_EQ(link.router().receiver(ReceiverSlot::ScreenPrivacy), nullptr);
    EXPECT_FALSE(link.state().privacyReplyWanted);
}

} // namespace
} // namespace tarn::test
