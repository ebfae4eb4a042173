#include "control/AccessoryReply.h"
#include "control/WashSetup.h"
#include "control/WipeSetup.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <functional>

namespace tarn::test {
namespace {

class AccessorySetupLogic : public LinkFixture {
protected:
    AccessorySetupLogic() { link.state().cameraType = 0; }
};

TEST_F(AccessorySetupLogic, controlsQueueTheirCommandsAndRefuseValuesOutOfRange)
{
    struct Row {
        const char* control;
        std::function<void(WipeSetup&, WashSetup&)> act;
        std::vector<std::string> queued;
        std::vector<std::string> prompts;
    };
    const Row rows[] = {
        {"Wipe Set", [](WipeSetup& wipe, WashSetup&) { wipe.setRunTime(120); wipe.setDelayTime(5); wipe.set(); },
         {"mwr0120d05"}, {}},
        {"Wipe Set at the tops", [](WipeSetup& wipe, WashSetup&) { wipe.setRunTime(9999); wipe.setDelayTime(99); wipe.set(); },
         {"mwr9999d99"}, {}},
        {"Old Module, New Module", [](WipeSetup& wipe, WashSetup&) { wipe.chooseModule(0); wipe.chooseModule(1); },
         {"mwm0", "mwm1"}, {}},
        {"Wash Set", [](WipeSetup&, WashSetup& wash) {
             wash.setWashTime(15); wash.setManualWash(true); wash.setFrequency(3); wash.set(); },
         {"mWW15m1f003"}, {}},
        {"SetWashHome", [](WipeSetup&, WashSetup& wash) { wash.setWashHome(); }, {"mWh"}, {}},
        {"run time 10000", [](WipeSetup& wipe, WashSetup&) { wipe.setRunTime(10000); wipe.setDelayTime(100); wipe.set(); },
         {}, {"Please enter an integer between 0 and 9999."}},
        {"delay 100", [](WipeSetup& wipe, WashSetup&) { wipe.setDelayTime(100); wipe.set(); },
         {}, {"Please enter an integer between 0 and 99."}},
        {"frequency 11", [](WipeSetup&, WashSetup& wash) { wash.setFrequency(11); wash.set(); },
         {}, {"Please enter an integer between 1 and 10."}},
        {"frequency 0", [](WipeSetup&, WashSetup& wash) { wash.setFrequency(0); wash.set(); },
         {}, {"Please enter an integer between 1 and 10."}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        prompter.clear();
        WipeSetup wipe(link, prompter);
        WashSetup wash(link, prompter);
        row.act(wipe, wash);
        EXPECT_EQ(queued(), row.queued);
        EXPECT_EQ(prompter.texts(), row.prompts);
    }
}

TEST_F(AccessorySetupLogic, moduleChoiceIsShownBeforeItIsQueued)
{
    WipeSetup wipe(link, prompter);
    std::vector<std::pair<int, std::size_t>> seen;
    wipe.setChanged([&] { seen.push_back({wipe.settings().module, link.queue().pending()}); });
    wipe.chooseModule(1);
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::size_t>>{{1, 0}}));
    EXPECT_EQ(queued(), std::vector<std::string>{"mwm1"});
}

TEST_F(AccessorySetupLogic, repliesAreReadFieldByField)
{
    struct Row {
        const char* text;
        bool wipeReply;
        WipeSettings wipe;
        bool washReply;
        WashSettings wash;
    };
    const WipeSettings wipeBefore{7, 7, 0};
    const WashSettings washBefore{7, 7, 7, 0};
    const Row rows[] = {
        {"mwr0120d05m1", true, {120, 5, 1}, false, washBefore},
        {"mwr0120d05m7", true, {120, 5, 7}, false, washBefore}, // kept: neither radio
        {"mwr99::d05m1", true, {7, 5, 1}, false, washBefore},   // 9900+100+10: out of range, the rest still read
        {"mwr0120d:5m1", true, {120, 7, 1}, false, washBefore}, // delay 105
        {"mw?", true, wipeBefore, false, washBefore},           // no 'r': nothing but the answer itself
        {"mwr0120x05m1", true, {120, 7, 0}, false, washBefore}, // reading stops at a letter out of place
        {"mwr01", true, wipeBefore, false, washBefore},         // cut short by the checksum
        {"mwr01\x05" "0d05m1", true, {150, 5, 1}, false, washBefore}, // any byte below 0x80 counts by its low bits
        {"m", false, wipeBefore, false, washBefore},            // too short for its second letter
        {"", false, wipeBefore, false, washBefore},             // nothing after the address
        {"mWW15w07m1f120", false, wipeBefore, true, {15, 7, 120, 1}},
        {"mWW15w07m1f168", false, wipeBefore, true, {15, 7, 168, 1}},
        {"mWW15w07m2f169", false, wipeBefore, true, {15, 7, 7, 0}},
        {"mWW15w07m1f000", false, wipeBefore, true, {15, 7, 7, 1}},
        {"mWh", false, wipeBefore, true, washBefore},
        {"mP1234", false, wipeBefore, false, washBefore},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        for (const auto& [addressByte, digits, protocol] :
             {std::tuple<std::uint8_t, std::string, int>{0x01, "", 1}, {0xFE, "0001", 1}, {0xFE, "00001", 5}}) {
            const Bytes frame = cameraReply(addressByte, digits + row.text);
            WipeSettings wipe = wipeBefore;
            WashSettings wash = washBefore;
            EXPECT_EQ(AccessoryReply::readWipe(frame, protocol, wipe), row.wipeReply);
            EXPECT_EQ(AccessoryReply::readWash(frame, protocol, wash), row.washReply);
            EXPECT_EQ(std::tie(wipe.runTime, wipe.delayTime, wipe.module),
                      std::tie(row.wipe.runTime, row.wipe.delayTime, row.wipe.module));
            EXPECT_EQ(std::tie(wash.washTime, wash.wipeTime, wash.frequency, wash.manualWash),
                      std::tie(row.wash.washTime, row.wash.wipeTime, row.wash.frequency, row.wash.manualWash));
        }
    }
}

TEST_F(AccessorySetupLogic, settingsAreAskedFor200MsAfterOpeningAndTheAnswerComesBack)
{
    auto wash = std::make_unique<WashSetup>(link, prompter);
    EXPECT_EQ(link.router().receiver(ReceiverSlot::WashSetup), wash.get());
    int redraws = 0;
    wash->setChanged([&] { ++redraws; });
    clock.advance(204);
    EXPECT_TRUE(takeSent().empty());
    clock.advance(1);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"mW?"});
    EXPECT_TRUE(link.state().replyWanted);

    // Nothing else goes out before the answer.
    wash->setWashHome();
    clock.advance(50);
    EXPECT_TRUE(takeSent().empty());
    receive(cameraReply(0x01, "mWW15w07m1f120"));
    EXPECT_FALSE(wash->settingsAwaited());
    EXPECT_EQ(wash->settings().frequency, 120);
    EXPECT_EQ(redraws, 1);
    clock.advance(5);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"mWh"});

    // A Wipe Setup answer is not Wash Setup's.
    receive(cameraReply(0x01, "mwr0120d05m1"));
    EXPECT_EQ(redraws, 1);
    wash.reset();
    EXPECT_EQ(link.router().receiver(ReceiverSlot::WashSetup), nullptr);
}

TEST_F(AccessorySetupLogic, openingDropsWhatWaitsAndFreesTheLink)
{
    link.enqueue("L?");
    link.enqueue("cDS");
    link.queue().queueReady = false;
    link.queue().dataReplyDone = false;
    link.queue().clearForDialog();
    EXPECT_TRUE(link.queue().empty());
    EXPECT_TRUE(link.queue().queueReady && link.queue().dataReplyDone);

    WipeSetup wipe(link, prompter);
    clock.advance(205);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"mw?"});
}

} // namespace
} // namespace tarn::test
