#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "control/MainPanel.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <memory>

namespace tarn::test {
namespace {

class Panel : public LinkFixture {
protected:
    Settings settings;
    ConnectionSequence connection{link, prompter, profile, settings};
    std::unique_ptr<MainPanel> panel;
    int tourInterruptions = 0;

    Panel() { makePanel(1, 1); }

    void makePanel(int moduleType, int ptType, int cameraType = 0)
    {
        link.state().moduleType = moduleType;
        link.state().cameraType = cameraType;
        panel = std::make_unique<MainPanel>(link, connection, prompter, ptType);
        panel->setTourInterrupted([this] { ++tourInterruptions; });
        panel->initialise();
    }

};

TEST_F(Panel, lensButtonsByModuleAndPanTiltType)
{
    struct Row {
        int module;
        int ptType;
        bool lensFast; // from a status reply
        LensButton button;
        std::vector<std::string> pressAndRelease;
    };
    const Row rows[] = {
        {1, 0, false, LensButton::ZoomIn, {"ZI", "ZS"}},
        {1, 0, false, LensButton::ZoomOut, {"ZO", "ZS"}},
        {1, 1, false, LensButton::ZoomIn, {"cZ0", "ZS"}},
        {1, 2, true, LensButton::ZoomIn, {"cZ2", "ZS"}},
        {1, 1, true, LensButton::ZoomOut, {"cz2", "ZS"}},
        {2, 1, false, LensButton::ZoomIn, {"tXI"}},
        {2, 1, false, LensButton::ZoomOut, {"tXD"}},
        {0, 0, false, LensButton::ZoomIn, {}},
        {1, 0, false, LensButton::FocusNear, {"FN", "cFs"}},
        {1, 1, false, LensButton::FocusNear, {"FN", "FS"}},
        {2, 2, false, LensButton::FocusFar, {"FF", "FS"}},
        {0, 1, false, LensButton::FocusFar, {}},
        {1, 0, false, LensButton::IrisOpen, {"IO", "cIs"}},
        {1, 1, false, LensButton::IrisClose, {"IC", "IS"}},
        {2, 1, false, LensButton::IrisOpen, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "module " << row.module << " pt " << row.ptType << " button "
                                        << static_cast<int>(row.button));
        makePanel(row.module, row.ptType);
        if (row.lensFast)
            panel->statusReply(bytesOf("\xF8\x01L\x04\x80"));
        panel->lensPressed(row.button);
        panel->lensReleased();
        EXPECT_EQ(queued(), row.pressAndRelease);
    }
}

TEST_F(Panel, zoomAndFocusPressesEndTheTourButIrisDoesNot)
{
    panel->lensPressed(LensButton::ZoomIn);
    panel->lensReleased();
    panel->lensPressed(LensButton::FocusFar);
    panel->lensReleased();
    panel->lensPressed(LensButton::IrisOpen);
    panel->lensReleased();
    EXPECT_EQ(tourInterruptions, 2);
    panel->ptCommand("nl");
    EXPECT_EQ(tourInterruptions, 3);
}

TEST_F(Panel, javelinLensFramesAndTheirStops)
{
    link.state().protocolIndex = 4;
    panel->lensPressed(LensButton::ZoomOut);
    panel->lensReleased();
    panel->lensPressed(LensButton::IrisClose);
    panel->lensReleased();
    EXPECT_EQ(queued(), (std::vector<std::string>{"FF 06 07 04 01 01 82 FF", "FF 06 07 04 01 01 02 FF",
                                                  "FF 06 07 04 01 01 C4 FF", "FF 06 07 04 01 01 44 FF"}));
}

TEST_F(Panel, releaseArmsThePumpAtTenMilliseconds)
{
    panel->lensPressed(LensButton::ZoomIn);
    clock.advance(5);
    receive({0x06});
    panel->lensReleased();
    EXPECT_EQ(clock.remainingMs(link, TimerId::QueuePump), 10);
}

TEST_F(Panel, panTiltStopOvertakesEverythingPending)
{
    makePanel(1, 1);
    link.enqueue("cDS");
    link.enqueue("L?");
    panel->ptCommand("r\x30u\x20");
    panel->ptCommand("PSTS");
    EXPECT_EQ(queued(), std::vector<std::string>{"PSTS"});

    makePanel(1, 0);
    link.enqueue("L?");
    panel->ptCommand("PSTS");
    EXPECT_EQ(queued(), (std::vector<std::string>{"L?", "PSTS"}));
}

TEST_F(Panel, javelinPanTiltTranslation)
{
    link.state().protocolIndex = 4;
    makePanel(1, 0);
    panel->ptCommand("PLTU");
    EXPECT_EQ(queued(), (std::vector<std::string>{"FF 06 07 04 01 01 C0 FF", "FF 06 07 04 01 01 C1 FF"}));
    panel->ptCommand("PRTU");
    panel->ptCommand("PSTS"); // empties the queue: the four stops go first
    EXPECT_EQ(queued(), (std::vector<std::string>{"FF 06 07 04 01 01 40 FF", "FF 06 07 04 01 01 00 FF",
                                                  "FF 06 07 04 01 01 41 FF", "FF 06 07 04 01 01 01 FF"}));
    panel->ptCommand("PRTD");
    panel->ptCommand("PSTS"); // stop of the active directions only, as a pair
    queued();
    panel->ptCommand("PLTS");
    EXPECT_EQ(queued(), (std::vector<std::string>{"FF 06 07 04 01 01 C0 FF", "FF 06 07 04 01 01 01 FF"}));

    makePanel(1, 1);
    panel->ptCommand("r\x40" "d\x20");
    panel->ptCommand("PSu\x20");
    panel->ptCommand("nl");
    EXPECT_EQ(queued(), (std::vector<std::string>{"FF 06 07 04 01 01 80 FF", "FF 06 07 04 01 01 81 FF",
                                                  "FF 06 07 04 01 01 40 FF", "FF 06 07 04 01 01 00 FF",
                                                  "FF 06 07 04 01 01 C1 FF", "nl"}));
}

TEST_F(Panel, setAddressChecksTheProtocolRangeAndQueuesAsDigits)
{
    struct Row {
        int protocol;
        int cameraType;
        const char* typed;
        const char* queuedText; // nullptr: refused
        const char* message;
    };
    const Row rows[] = {
        {1, 0, "12", "As0012", nullptr},
        {1, 0, "8192", nullptr, "Exceeding Camera Address Range of 8191"},
        {1, 7, "224", nullptr, "Exceeding Camera Address Range of 223"},
        {1, 7, "223", "As0223", nullptr},
        {2, 0, "255", nullptr, "Exceeding Camera Address Range of 254"},
        {3, 0, "33", nullptr, "Exceeding Camera Address Range of 32"},
        {3, 0, "32", "As0032", nullptr},
        {4, 0, "8191", "As8191", nullptr},
        {5, 0, "16384", "As16384", nullptr},
        {5, 0, "16385", nullptr, "Exceeding Camera Address Range of 16384"},
        {6, 0, "256", nullptr, "Exceeding Camera Address Range of 255"},
        {8, 0, "100", nullptr, "Exceeding Camera Address Range of 99"},
        {9, 0, "8192", nullptr, "Exceeding Camera Address Range of 8191"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        link.state().protocolIndex = row.protocol;
        link.state().cameraType = row.cameraType;
        prompter.clear();
        panel->setNewAddress(row.typed);
        if (row.queuedText) {
            EXPECT_EQ(queued(), std::vector<std::string>{row.queuedText});
            EXPECT_TRUE(prompter.shown().empty());
            EXPECT_EQ(clock.remainingMs(connection, TimerId::AddressProbe), 50);
        } else {
            EXPECT_TRUE(queued().empty());
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{row.message});
        }
        clock.stop(connection, TimerId::AddressProbe);
    }
}

TEST_F(Panel, addressLimitsFollowTheProtocol)
{
    struct Row {
        int protocol;
        int minimum, maximum, width;
        int protocolAfter;
    };
    const Row rows[] = {{1, 1, 8191, 4, 1},  {2, 1, 254, 3, 2},   {3, 0, 32, 2, 3},   {4, 1, 8191, 4, 4},
                        {5, 1, 16384, 5, 5}, {6, 1, 255, 3, 6},   {7, 1, 255, 3, 7},  {8, 1, 99, 2, 8},
                        {0, 1, 8191, 4, 1},  {9, 1, 8191, 4, 1},  {10, 1, 8191, 4, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.protocol);
        link.state().protocolIndex = row.protocol;
        link.state().address = 77;
        panel->applyAddressLimits();
        const auto limits = panel->addressLimits();
        EXPECT_EQ(limits.minimum, row.minimum);
        EXPECT_EQ(limits.maximum, row.maximum);
        EXPECT_EQ(limits.width, row.width);
        EXPECT_EQ(link.state().protocolIndex, row.protocolAfter);
        EXPECT_EQ(panel->address(), row.minimum);
    }
}

TEST_F(Panel, gotoPadsAndSendsHexLettersAsTheCharactersAfterNine)
{
    panel->gotoPosition("5", "0900", "a0", "0");
    EXPECT_EQ(queued(), (std::vector<std::string>{"cp00050900", "v0:0000"}));
    panel->gotoPosition("e10", "3599", "FFF", "000");
    EXPECT_EQ(queued(), (std::vector<std::string>{"cp0>103599", "v???000"}));
    EXPECT_EQ(panel->invalidField(), MainPanel::PositionField::None);

    const std::vector<std::string> fields = {"1", "2", "3", "4"};
    const char* messages[] = {"Invalid Pan Position", "Invalid Tilt Position", "Invalid Zoom Position",
                              "Invalid Focus Position"};
    for (std::size_t empty = 0; empty < 4; ++empty) {
        auto typed = fields;
        typed[empty].clear();
        prompter.clear();
        panel->gotoPosition(typed[0], typed[1], typed[2], typed[3]);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{messages[empty]});
        EXPECT_EQ(static_cast<std::size_t>(panel->invalidField()), empty + 1);
        EXPECT_TRUE(queued().empty());
    }
}

TEST_F(Panel, positionRepliesShowThreeHexDigitsFromLowNibbles)
{
    panel->statusReply(Bytes{0xF8, 0x01, 'P', 0x3E, 0x31, 0x30, 0x30, 0x3F, 0x3F, 0x80});
    EXPECT_EQ(panel->reportedPositions()[0], "E10");
    EXPECT_EQ(panel->reportedPositions()[1], "0FF");
    panel->statusReply(Bytes{0xF8, 0x01, 'V', '1', '2', '3', ':', '0', '0', 0x80});
    EXPECT_EQ(panel->reportedPositions()[2], "123");
    EXPECT_EQ(panel->reportedPositions()[3], "A00");
    panel->panTiltPosition(5, 900);
    EXPECT_EQ(panel->reportedPositions()[0], "0005");
    EXPECT_EQ(panel->reportedPositions()[1], "0900");
    // A short reply reads missing characters as zero.
    panel->statusReply(Bytes{0xF8, 0x01, 'P', 0x31});
    EXPECT_EQ(panel->reportedPositions()[0], "100");
}

TEST_F(Panel, statusByteLightsTheLampsAndEnablesIrisAndFocus)
{
    panel->statusReply(Bytes{0xF8, 0x01, 'L', 0x0F, 0x80});
    EXPECT_TRUE(panel->lamps().manualIris);
    EXPECT_TRUE(panel->lamps().cameraPower);
    EXPECT_TRUE(panel->lamps().lensFast);
    EXPECT_TRUE(panel->irisButtonsEnabled());
    EXPECT_TRUE(panel->autoFocusOnPtz());

    panel->statusReply(Bytes{0xF8, 0x01, 'L', 0x00, 0x80});
    EXPECT_FALSE(panel->lamps().manualIris);
    EXPECT_FALSE(panel->irisButtonsEnabled());
    EXPECT_FALSE(panel->autoFocusOnPtz());

    // The auto-focus state: T[2] = 'A' sets and clears, T[4] = 'A' only enables.
    panel->statusReply(Bytes{0xF8, 0x01, 'H', 'x', 'A', 0x01, 0x80});
    EXPECT_TRUE(panel->focusButtonsEnabled());
    EXPECT_TRUE(panel->lamps().manualFocus);
    panel->statusReply(Bytes{0xF8, 0x01, 'H', 'x', 'y', 'z', 'A', 0x00, 0x80});
    EXPECT_TRUE(panel->focusButtonsEnabled());
    EXPECT_FALSE(panel->lamps().manualFocus);
    panel->statusReply(Bytes{0xF8, 0x01, 'H', 'x', 'A', 0x00, 0x80});
    EXPECT_FALSE(panel->focusButtonsEnabled());
}

TEST_F(Panel, statusRepliesAreShownOnlyWhileStatusPollingRuns)
{
    panel->statusReply(Bytes{0xF8, 0x01, 'L', 0x0F, 0x80});
    EXPECT_FALSE(panel->shownStatus().cameraPower);
    EXPECT_FALSE(panel->shownStatus().autoFocusOnPtz);
    panel->toggleStatusPolling(); // the last known status shows at once
    EXPECT_TRUE(panel->shownStatus().cameraPower);
    EXPECT_TRUE(panel->shownStatus().autoFocusOnPtz);
    panel->javelinStatus(8, 0x00);
    EXPECT_FALSE(panel->shownStatus().cameraPower);

    panel->toggleStatusPolling();
    panel->statusFields(StatusFields{0x06, std::nullopt, false});
    EXPECT_TRUE(panel->lamps().cameraPower);
    EXPECT_FALSE(panel->shownStatus().cameraPower);
    // The operator's own click shows at once.
    panel->toggleAutoFocusOnPtz();
    EXPECT_FALSE(panel->shownStatus().autoFocusOnPtz);
    panel->toggleAutoFocusOnPtz();
    EXPECT_TRUE(panel->shownStatus().autoFocusOnPtz);
}

TEST_F(Panel, javelinStatusFrames)
{
    panel->javelinStatus(8, 0x58);
    EXPECT_TRUE(panel->irisButtonsEnabled());
    EXPECT_TRUE(panel->focusButtonsEnabled());
    EXPECT_TRUE(panel->lamps().cameraPower);
    // Length 10 carries the iris bit only with the Javelin protocol.
    panel->javelinStatus(10, 0x00);
    EXPECT_TRUE(panel->irisButtonsEnabled());
    EXPECT_FALSE(panel->focusButtonsEnabled());
    link.state().protocolIndex = 4;
    panel->javelinStatus(10, 0x00);
    EXPECT_FALSE(panel->irisButtonsEnabled());
}

TEST_F(Panel, pollingAlternates)
{
    link.state().busy = true; // keep what is queued in the queue
    panel->toggleStatusPolling();
    EXPECT_TRUE(panel->lamps().statusPolling);
    clock.advance(2000);
    EXPECT_EQ(queued(), (std::vector<std::string>{"L?", "cDS"}));

    makePanel(1, 1, 7);
    link.state().busy = true;
    panel->toggleStatusPolling();
    clock.advance(2000);
    EXPECT_EQ(queued(), (std::vector<std::string>{"L?", "H?"}));

    // Position polling stops status polling and asks for "V?" alone while zooming.
    panel->togglePositionPolling();
    EXPECT_FALSE(panel->statusPolling());
    EXPECT_TRUE(panel->lamps().statusPolling);
    clock.advance(2000);
    panel->lensPressed(LensButton::ZoomIn);
    clock.advance(2000);
    EXPECT_EQ(queued(), (std::vector<std::string>{"cPS", "V?", "cZ0", "V?", "V?"}));
    panel->togglePositionPolling();
    EXPECT_FALSE(panel->lamps().statusPolling);
    clock.advance(2000);
    EXPECT_TRUE(queued().empty());
}

TEST_F(Panel, latchesFlipTheirStateAndQueueTheirCommand)
{
    // IO, IC, FN and FF wait for a state: no camera type enables them.
    EXPECT_FALSE(panel->irisButtonsEnabled() || panel->focusButtonsEnabled());
    panel->toggleManualIris();
    EXPECT_FALSE(panel->lamps().manualIris);
    EXPECT_FALSE(panel->irisButtonsEnabled());
    panel->toggleManualIris();
    EXPECT_TRUE(panel->lamps().manualIris);
    EXPECT_TRUE(panel->irisButtonsEnabled());
    panel->toggleManualFocus();
    EXPECT_TRUE(panel->focusButtonsEnabled());
    panel->lensFast();
    EXPECT_EQ(queued(), (std::vector<std::string>{"LM", "LM", "L1", "LL"}));

    makePanel(1, 1, 4); // Cedar has no manual iris
    panel->toggleManualIris();
    EXPECT_TRUE(queued().empty());
    link.state().protocolIndex = 4;
    panel->toggleManualIris();
    EXPECT_EQ(queued(), std::vector<std::string>{"FF 06 07 06 01 01 08 FF"});
}

TEST_F(Panel, immediateCommandsBypassTheQueue)
{
    panel->reset();
    panel->seekHome();
    panel->getNorthOffset();
    panel->toggleAutoFocusOnPtz();
    panel->wipe();
    ASSERT_EQ(serial.writes.size(), 5u);
    const char* expected[] = {"rs", "mFH", "mNS", "L6", "L3"};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(std::string(serial.writes[i].begin() + 2, serial.writes[i].end() - 1), expected[i]);
    EXPECT_EQ(clock.remainingMs(connection, TimerId::StatusPoll), 15000);
    link.state().protocolIndex = 4;
    panel->reset();
    EXPECT_EQ(queued(), std::vector<std::string>{"FF 06 07 02 01 01 40 FF"});
}

TEST(PanelEnabling, byCameraType)
{
    const PanelEnabling other = PanelEnabling::forCameraType(7);
    EXPECT_FALSE(other.zoom);
    EXPECT_FALSE(other.pad);
    EXPECT_FALSE(other.presets);
    EXPECT_TRUE(other.tourStartStop);
    EXPECT_TRUE(other.tourSetup);
    EXPECT_FALSE(other.wipe);

    const PanelEnabling alderSd = PanelEnabling::forCameraType(1);
    EXPECT_TRUE(alderSd.zoom && alderSd.pad && alderSd.presets && alderSd.lensFast && alderSd.wipe);
    EXPECT_FALSE(alderSd.wash);

    const PanelEnabling cedar = PanelEnabling::forCameraType(4);
    EXPECT_FALSE(cedar.lensFast || cedar.manualIris || cedar.autoFocusOnPtz);
    EXPECT_TRUE(cedar.manualFocus);

    EXPECT_TRUE(PanelEnabling::forCameraType(0).wash);
}

} // namespace
} // namespace tarn::test
