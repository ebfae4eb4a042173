#include "control/SiteSession.h"

#include "control/MainControl.h"
#include "control/SiteFile.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/PseudoTerminal.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

SiteCamera camera(std::string name, int address)
{
    SiteCamera camera;
    camera.name = std::move(name);
    camera.link = "COM1";
    camera.address = address;
    return camera;
}

class SiteSessionTest : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QueuedPoster poster;
    test::FakePortServer sockets;
    Platform platform{clock, prompter, profile, poster, sockets};
    test::PseudoTerminal pty;
    test::TemporaryFolder folder;
    std::unique_ptr<MainControl> control;
    std::unique_ptr<SiteSession> site;
    std::string path = (folder.path() / "site.ini").string();

    void SetUp() override
    {
        ASSERT_TRUE(pty.isValid());
        control = std::make_unique<MainControl>(platform, Settings{}, [this](int) { return pty.slavePath(); });
        control->initialiseWithoutSearch();
        site = std::make_unique<SiteSession>(*control, prompter, clock);
    }

    std::vector<std::string> namesOnDisk() const
    {
        std::vector<std::string> names;
        for (const SiteCamera& stored : SiteFile::load(path).cameras)
            names.push_back(stored.name);
        return names;
    }
};

TEST_F(SiteSessionTest, everyChangeToTheListIsOnDiskAtOnce)
{
    ASSERT_FALSE(SiteFile::save(path, std::vector<SiteCamera>{camera("Gate", 5), camera("Lobby", 7)}));
    ASSERT_TRUE(site->open(path));
    EXPECT_TRUE(prompter.shown().empty());

    control->link().state().address = 9;
    ASSERT_TRUE(site->addCurrent());
    EXPECT_EQ(namesOnDisk(), (std::vector<std::string>{"Gate", "Lobby", "Camera 9"}));
    EXPECT_EQ(site->current(), 2);

    ASSERT_TRUE(site->rename(0, "Gate, north", "Outside", "pole 3"));
    site->move(2, 0); // the camera in use moves with its row
    EXPECT_EQ(site->current(), 0);
    EXPECT_EQ(namesOnDisk(), (std::vector<std::string>{"Camera 9", "Gate, north", "Lobby"}));
    EXPECT_EQ(SiteFile::load(path).cameras[1].group, "Outside");

    site->remove(0);
    EXPECT_FALSE(site->current());
    EXPECT_EQ(namesOnDisk(), (std::vector<std::string>{"Gate, north", "Lobby"}));

    // A refused change keeps the entry and the file as they were.
    EXPECT_FALSE(site->rename(0, "", "", ""));
    EXPECT_EQ(namesOnDisk(), (std::vector<std::string>{"Gate, north", "Lobby"}));
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(SiteSessionTest, aListStartedFromNothingAsksWhereItGoesFirst)
{
    control->link().state().address = 1;
    prompter.scriptFile(std::nullopt); // cancelled: nothing added, nothing written
    EXPECT_FALSE(site->addCurrent());
    EXPECT_EQ(site->list().size(), 0);
    prompter.scriptFile(path);
    EXPECT_TRUE(site->addCurrent());
    EXPECT_EQ(site->path(), path);
    EXPECT_EQ(namesOnDisk(), std::vector<std::string>{"Camera 1"});
}

TEST_F(SiteSessionTest, theLampSaysWhetherTheCameraSwitchedToAnswered)
{
    ASSERT_FALSE(SiteFile::save(path, std::vector<SiteCamera>{camera("Gate", 5), camera("Lobby", 7)}));
    ASSERT_TRUE(site->open(path));
    ASSERT_TRUE(site->choose(0));
    EXPECT_EQ(control->link().state().address, 5);
    clock.advance(SiteSession::AnswerWindowMs - 10);
    EXPECT_EQ(site->list().at(0).state, SiteCameraState::NotTried);
    clock.advance(10);
    EXPECT_EQ(site->list().at(0).state, SiteCameraState::NoAnswer);

    ASSERT_TRUE(site->choose(1));
    control->statusReply(std::vector<std::uint8_t>{0xF8, 0x07, 'L', 0x05, 0x80});
    clock.advance(SiteSession::AnswerWindowMs);
    EXPECT_EQ(site->list().at(1).state, SiteCameraState::Answered);
    EXPECT_EQ(site->list().at(0).state, SiteCameraState::NoAnswer);
    EXPECT_FALSE(site->choose(2));
}

TEST_F(SiteSessionTest, aFileThatDoesNotReadSaysSoAndKeepsTheListItHad)
{
    ASSERT_FALSE(SiteFile::save(path, std::vector<SiteCamera>{camera("Gate", 5)}));
    ASSERT_TRUE(site->open(path));
    EXPECT_FALSE(site->open((folder.path() / "missing.ini").string()));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(site->list().size(), 1);
    EXPECT_EQ(site->path(), path);
}

} // namespace
} // namespace tarn
