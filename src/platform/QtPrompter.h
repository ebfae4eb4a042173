#pragma once

#include "platform/Prompter.h"

class QWidget;

namespace tarn {

// Message boxes and file choosers on QMessageBox and QFileDialog.
class QtPrompter final : public Prompter {
public:
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultButton defaultButton) override;
    bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override;
    std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                          std::string_view suggestedName) override;

    // Converts "Text Files (*.txt)|*.txt||" into the Qt form "Text Files (*.txt)".
    static std::string qtFilter(std::string_view classicFilter);
};

} // namespace tarn
