#include "control/SweepSetup.h"

#include "core/Messages.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/SweepDomeLine.h"

#include <gtest/gtest.h>

#include <map>

namespace tarn {
namespace {

// Hands out one line per sweep and keeps an eye on it after the setup let go.
class Lines {
public:
    explicit Lines(VirtualClock& clock) : m_clock(clock) {}
    std::vector<test::DomeLine::Dome> domes;
    std::vector<std::string> unusable;
    std::map<std::string, test::DomeLine::Connect> connects;
    int opened = 0;
    int restored = 0;
    test::DomeLine* last = nullptr;

    SweepSetup::LineOpener opener()
    {
        return [this] {
            ++opened;
            auto line = std::make_unique<Counted>(m_clock, *this);
            line->domes = domes;
            line->unusableLinks = unusable;
            line->connects = connects;
            last = line.get();
            return std::unique_ptr<SweepLine>(std::move(line));
        };
    }

private:
    struct Counted : test::DomeLine {
        Counted(VirtualClock& clock, Lines& owner) : DomeLine(clock), lines(owner) {}
        void restore() override
        {
            DomeLine::restore();
            ++lines.restored;
        }
        Lines& lines;
    };
    VirtualClock& m_clock;
};

class SweepSetupTest : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedPrompter prompter;
    Lines lines{clock};
    std::unique_ptr<SweepSetup> setup = std::make_unique<SweepSetup>(clock, prompter, lines.opener(), 100);

    void fillIn(std::string links, int baud, int protocol, std::string first, std::string last)
    {
        SweepChoices& choices = setup->choices();
        choices.links = std::move(links);
        choices.bauds = {};
        choices.protocols = {};
        if (baud >= 0)
            choices.bauds[static_cast<std::size_t>(baud)] = true;
        if (protocol >= 0)
            choices.protocols[static_cast<std::size_t>(protocol)] = true;
        choices.firstAddress = std::move(first);
        choices.lastAddress = std::move(last);
    }

    void runOut()
    {
        for (int ms = 0; ms < 100'000 && setup->running(); ms += 10)
            clock.advance(10);
    }
};

TEST_F(SweepSetupTest, choicesThatMakeNoSweepSayWhyAndOpenNoLine)
{
    struct Row {
        const char* links;
        int baud;
        int protocol;
        const char* first;
        const char* last;
        std::string_view problem;
    };
    const Row rows[] = {
        {"", 0, 1, "1", "254", Messages::SweepNoLink},
        {" ,, ", 0, 1, "1", "254", Messages::SweepNoLink},
        {"COM1", -1, 1, "1", "254", Messages::SweepNoBaud},
        {"COM1", 0, -1, "1", "254", Messages::SweepNoProtocol},
        {"COM1", 0, 1, "", "254", Messages::SweepBadAddresses},
        {"COM1", 0, 1, "0", "254", Messages::SweepBadAddresses},
        {"COM1", 0, 1, "20", "10", Messages::SweepBadAddresses},
        {"COM1", 0, 1, "1", "10000", Messages::SweepBadAddresses},
        {"COM1", 0, 1, "1x", "9", Messages::SweepBadAddresses},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.links) + " " + row.first + ".." + row.last);
        fillIn(row.links, row.baud, row.protocol, row.first, row.last);
        prompter.clear();
        EXPECT_EQ(setup->check().problem, row.problem);
        EXPECT_EQ(setup->estimate(), "");
        EXPECT_FALSE(setup->start());
        ASSERT_EQ(prompter.shown().size(), 1u);
        EXPECT_EQ(prompter.shown()[0].text, row.problem);
    }
    EXPECT_EQ(lines.opened, 0);
}

TEST_F(SweepSetupTest, theEstimateCountsEveryLinkRateAndProtocol)
{
    fillIn("COM1, /dev/ttyUSB1", 0, 1, " 1 ", "254");
    setup->choices().bauds[6] = true;
    const auto request = setup->check().request;
    ASSERT_TRUE(request);
    EXPECT_EQ(request->links, (std::vector<std::string>{"COM1", "/dev/ttyUSB1"}));
    EXPECT_EQ(request->baudIndexes, (std::vector<int>{0, 6}));
    // 2 links x 2 rates x 254 addresses, 100 ms each.
    EXPECT_EQ(setup->estimate(), "1016 questions, at most 102 s");
}

TEST_F(SweepSetupTest, portServersAreOfferedTickedAndCountedOnceEach)
{
    fillIn("COM1", 0, 1, "1", "10");
    struct Row {
        const char* typed;
        std::string_view problem;
    };
    const Row rows[] = {
        {" 10.0.0.5:4001 ", {}},
        {"localhost:4002", {}},
        {"127.0.0.1:4002", {}}, // the same server as localhost:4002
        {"10.0.0.5", Messages::SweepBadPortServer},
        {"10.0.0.5:0", Messages::SweepBadPortServer},
        {"server.local:4001", Messages::SweepBadPortServer},
        {"", Messages::SweepBadPortServer},
    };
    for (const Row& row : rows)
        EXPECT_EQ(setup->addPortServer(row.typed), row.problem) << row.typed;
    EXPECT_EQ(setup->choices().portServers,
              (std::vector<SweepChoices::PortServer>{{"10.0.0.5:4001", true}, {"localhost:4002", true}}));

    setup->choices().portServers[1].chosen = false;
    setup->choices().portServers.push_back({"127.0.0.1:4001", true});
    setup->choices().links = "COM1, 127.0.0.1:4001"; // typed among the ports as well
    const auto request = setup->check().request;
    ASSERT_TRUE(request);
    EXPECT_EQ(request->links, (std::vector<std::string>{"COM1", "127.0.0.1:4001", "10.0.0.5:4001"}));
    // 3 links x 10 addresses, 100 ms each, and 2 s for each server to connect.
    EXPECT_EQ(setup->estimate(), "30 questions, at most 7 s");

    // Only port servers: a sweep all the same.
    fillIn("", 0, 1, "1", "10");
    EXPECT_TRUE(setup->check().request);
    setup->choices().portServers.push_back({"not a server", true});
    EXPECT_EQ(setup->check().problem, Messages::SweepBadPortServer);
}

TEST_F(SweepSetupTest, aServerConnectingAndOneNotSweptAreShown)
{
    lines.connects = {{"10.0.0.5:4001", {-1, true}}};
    lines.domes = {{"COM1", 0, 1, 5, "", -1}};
    fillIn("COM9, COM1", 0, 1, "1", "10");
    ASSERT_EQ(setup->addPortServer("10.0.0.5:4001"), "");
    lines.unusable = {"COM9"};
    ASSERT_TRUE(setup->start());
    runOut();
    EXPECT_EQ(setup->progressText(), "Swept 10 questions, domes found: 1");
    EXPECT_EQ(setup->problemRows(), (std::vector<std::string>{"COM9 was not swept: cannot be opened",
                                                              "10.0.0.5:4001 was not swept: no connection within 2 s"}));

    ASSERT_TRUE(setup->start());
    clock.advance(1100); // COM1 is swept; the server is still on its way
    EXPECT_EQ(setup->progressText(), "Connecting to 10.0.0.5:4001...");
    setup->cancel();
    EXPECT_EQ(setup->problemRows(), (std::vector<std::string>{"COM9 was not swept: cannot be opened"}));
    EXPECT_EQ(lines.restored, 2);
}

TEST_F(SweepSetupTest, listsTheDomesAsTheyAnswerAndGivesTheLineBack)
{
    lines.domes = {{"COM1", 0, 1, 5, "2.10", 3}, {"COM1", 0, 1, 9, "", -1}};
    fillIn("COM1", 0, 1, "1", "10");
    ASSERT_TRUE(setup->start());
    EXPECT_TRUE(setup->running());
    EXPECT_FALSE(setup->start()); // one sweep at a time
    runOut();
    EXPECT_EQ(setup->foundRows(), (std::vector<std::string>{
                                      "COM1  9600 baud  protocol 1  address 5  firmware 2.10  pan/tilt type 3",
                                      "COM1  9600 baud  protocol 1  address 9"}));
    EXPECT_EQ(setup->progressText(), "Swept 10 questions, domes found: 2");
    EXPECT_EQ(setup->progressPercent(), 100);
    EXPECT_EQ(lines.opened, 1);
    EXPECT_EQ(lines.restored, 1);
}

TEST_F(SweepSetupTest, cancelAndClosingBothGiveTheLineBackOnce)
{
    fillIn("COM1", 0, 1, "1", "254");
    ASSERT_TRUE(setup->start());
    clock.advance(350);
    setup->cancel();
    EXPECT_FALSE(setup->running());
    EXPECT_EQ(setup->progressText(), "Cancelled after 4 questions, domes found: 0");
    EXPECT_EQ(lines.restored, 1);

    ASSERT_TRUE(setup->start());
    EXPECT_EQ(lines.opened, 2);
    clock.advance(250);
    const std::size_t asked = lines.last->questions.size();
    setup.reset(); // the dialog closes mid-sweep
    EXPECT_EQ(lines.restored, 2);
    EXPECT_GE(asked, 2u);
    clock.advance(1000); // nothing left waiting on a timer
}

} // namespace
} // namespace tarn
