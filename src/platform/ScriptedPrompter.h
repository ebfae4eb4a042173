#pragma once

#include "platform/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace tarn {

// A prompter for tests: records every box the console would show and answers
// questions from a script. An unscripted question takes its default button.
class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Message, YesNo, OkCancel, FileChooser };
    struct Shown {
        Kind kind;
        std::string text;
        std::string title;
        MessageIcon icon;
    };

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultButton defaultButton) override;
    bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override;
    std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                          std::string_view suggestedName) override;

    // Answers for the next questions, in order: true = Yes / OK.
    void scriptAnswer(bool answer) { m_answers.push_back(answer); }
    void scriptFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }

    const std::vector<Shown>& shown() const { return m_shown; }
    std::vector<std::string> texts() const;
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<bool> m_answers;
    std::deque<std::optional<std::string>> m_files;
};

} // namespace tarn
