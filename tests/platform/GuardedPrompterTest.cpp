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
        auto chosen = seen.chooseFile(mode, filter, name);
        runLoop();
        return chosen;
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

TEST_F(GuardedPrompterTest, aFileChooserIsNotOpenedTwiceOverItself)
{
    // Save pressed again while its chooser is open (the Traffic window
    // beside the main window still takes clicks): no second chooser. A
    // chooser for opening, or for other files, is another box.
    constexpr std::string_view Traffic = "Traffic log and capture (*.txt *.tcap)|*.txt;*.tcap||";
    boxes.seen.scriptFile("/tmp/a.tcap");
    boxes.seen.scriptFile("/tmp/b.tcap");
    boxes.seen.scriptFile("/tmp/c.ini");
    std::vector<std::optional<std::string>> inner;
    boxes.whileOpen = [&] {
        inner.push_back(prompter.chooseFile(FileChoice::Save, Traffic, "traffic"));
        inner.push_back(prompter.chooseFile(FileChoice::Open, Traffic, {}));
        inner.push_back(prompter.chooseFile(FileChoice::Save, "Camera configuration (*.ini)|*.ini||", "camera.ini"));
    };
    EXPECT_EQ(prompter.chooseFile(FileChoice::Save, Traffic, "traffic"), "/tmp/a.tcap");
    EXPECT_EQ(inner, (std::vector<std::optional<std::string>>{std::nullopt, "/tmp/b.tcap", "/tmp/c.ini"}));
    // Closed, it opens again.
    boxes.seen.scriptFile("/tmp/d.tcap");
    EXPECT_EQ(prompter.chooseFile(FileChoice::Save, Traffic, "traffic"), "/tmp/d.tcap");
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
