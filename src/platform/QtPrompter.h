#pragma once

#include "platform/Prompter.h"

#include <QMessageBox>
#include <QPointer>

class QWidget;

namespace tarn {

// Message boxes and file choosers on QMessageBox and QFileDialog, each modal
// to the window it stands on (see boxParent()).
class QtPrompter final : public Prompter {
public:
    // The main window: boxes stand on it when no dialog of it is open.
    void setHomeWindow(QWidget* home) { m_home = home; }

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultButton defaultButton) override;
    bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override;
    std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                          std::string_view suggestedName) override;

    // Converts "Text Files (*.txt)|*.txt||" into the Qt form "Text Files (*.txt)".
    static std::string qtFilter(std::string_view classicFilter);

    // The window the next box is modal to.
    QWidget* boxParent() const;

private:
    QMessageBox::StandardButton ask(std::string_view text, std::string_view title, MessageIcon icon,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton);

    QPointer<QWidget> m_home;
};

} // namespace tarn
