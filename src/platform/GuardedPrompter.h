#pragma once

#include "platform/Prompter.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace tarn {

// Stands between the console and its real boxes. A modal box runs its own
// event loop, where a timer or a posted failure may ask for the very same box
// again: while one is open, the same box is not opened on top of it (a message
// is dropped, a question takes its default answer). Once the console is
// closing nothing may wait for the operator: messages go to standard error,
// questions take their default, file choosers are cancelled.
class GuardedPrompter final : public Prompter {
public:
    using Log = std::function<void(std::string_view line)>;

    // `log` receives what would have been shown while closing; standard error
    // when none is given.
    explicit GuardedPrompter(Prompter& boxes, Log log = {});

    void beginClosing() { m_closing = true; }

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultButton defaultButton) override;
    bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override;
    std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                          std::string_view suggestedName) override;

private:
    // Marks a box as open for as long as it lives; `taken` is false when the
    // same box is open already.
    class OpenBox {
    public:
        OpenBox(std::multiset<std::string>& open, std::string key);
        ~OpenBox();
        OpenBox(const OpenBox&) = delete;
        OpenBox& operator=(const OpenBox&) = delete;
        bool taken() const { return m_taken; }

    private:
        std::multiset<std::string>& m_open;
        std::multiset<std::string>::iterator m_entry;
        bool m_taken;
    };
    static std::string keyFor(std::string_view text, std::string_view title);
    void logInstead(std::string_view text);

    Prompter& m_boxes;
    Log m_log;
    std::multiset<std::string> m_open;
    bool m_closing = false;
};

} // namespace tarn
