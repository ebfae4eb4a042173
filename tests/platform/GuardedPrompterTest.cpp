#include "platform/GuardedPrompter.h"

#include "platform/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace tarn {
namespace {

// A box that runs an event loop while it is open: whatever the loop would
// run (a timer, a posted failure) runs inside the call.
class BoxWithEventLoop final : public Prompter {
public:
    ScriptedPrompter seen;
    std::function<void()> whileOpen;

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        seen.showMessage(text, title, icon);
        runLoop();
    }
    bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultButton defaultButton) override
    {
        seen.scriptAnswer(defaultButton == DefaultButton::Second);
        const bool answer = seen.askYesNo(text, title, icon, defaultButton);
        runLoop();
        return answer;
    }
    bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        return seen.askOkCancel(text, title, icon);
    }
    std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                          std::string_view name) override
    {
        return seen.chooseFile(mode, filter, name);
    }

private:
    void runLoop()
    {
        if (auto work = std::exchange(whileOpen, {}))
            work();
    }
};

class GuardedPrompterTest : public ::testing::Test {
protected:
    BoxWithEventLoop boxes;
    std::string logged;
    GuardedPrompter prompter{boxes, [this](std::string_view line) { logged += line; }};
};

TEST_F(GuardedPrompterTest, theSameBoxIsNeverStackedOnItself)
{
    boxes.whileOpen = [&] {
        boxes.whileOpen = [&] { prompter.showMessage("port lost", "Application Error", MessageIcon::Error); };
        prompter.showMessage("port lost", "Application Error", MessageIcon::Error);
        prompter.showMessage("another failure", "Application Error", MessageIcon::Error);
    };
    prompter.showMessage("port lost", "Application Error", MessageIcon::Error);
    EXPECT_EQ(boxes.seen.texts(), (std::vector<std::string>{"port lost", "another failure"}));

    // Once closed, it may be shown again.
    prompter.showMessage("port lost", "Application Error", MessageIcon::Error);
    EXPECT_EQ(boxes.seen.texts().size(), 3u);

    // A question asked again while it is open takes its default.
    bool inner = true;
    boxes.whileOpen = [&] { inner = prompter.askYesNo("Retry?", {}, MessageIcon::Error, DefaultButton::Second); };
    EXPECT_TRUE(prompter.askYesNo("Retry?", {}, MessageIcon::Error, DefaultButton::Second));
    EXPECT_FALSE(inner);
    EXPECT_EQ(boxes.seen.texts().size(), 4u);
    EXPECT_TRUE(logged.empty());
}

TEST_F(GuardedPrompterTest, whileClosingNothingWaitsForTheOperator)
{
    prompter.beginClosing();
    prompter.showMessage("WARNING:  write() Failed", "Application Error", MessageIcon::Error);
    EXPECT_TRUE(prompter.askYesNo("Retry?", {}, MessageIcon::Error, DefaultButton::First));
    EXPECT_FALSE(prompter.askYesNo("Retry?", {}, MessageIcon::Error, DefaultButton::Second));
    EXPECT_FALSE(prompter.askOkCancel("Erase?", {}, MessageIcon::Question));
    EXPECT_EQ(prompter.chooseFile(FileChoice::Save, "Text Files (*.txt)|*.txt||", "log.txt"), std::nullopt);
    EXPECT_TRUE(boxes.seen.shown().empty());
    EXPECT_EQ(logged, "tarn-console: WARNING:  write() Failed\ntarn-console: Retry?\n"
                      "tarn-console: Retry?\ntarn-console: Erase?\n");
}

} // namespace
} // namespace tarn
