#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class DefaultButton { First, Second }; // Yes/No: First = Yes; OK/Cancel: First = OK
enum class FileChoice { Open, Save };

// Every question and message box the console shows goes through here, so a
// test can script the answers and read back every text the user would see.
// An empty title means the box has no title of its own.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // true = Yes
    virtual bool askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                          DefaultButton defaultButton) = 0;
    // true = OK
    virtual bool askOkCancel(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // filter in the classic form "Text Files (*.txt)|*.txt||"; nullopt when cancelled
    virtual std::optional<std::string> chooseFile(FileChoice mode, std::string_view filter,
                                                  std::string_view suggestedName) = 0;
};

} // namespace tarn
