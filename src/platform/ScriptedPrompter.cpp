#include "platform/ScriptedPrompter.h"

namespace tarn {

void ScriptedPrompter::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    m_shown.push_back({Kind::Message, std::string(text), std::string(title), icon});
}

bool ScriptedPrompter::askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                                DefaultButton defaultButton)
{
    m_shown.push_back({Kind::YesNo, std::string(text), std::string(title), icon});
    if (m_answers.empty())
        return defaultButton == DefaultButton::First;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedPrompter::askOkCancel(std::string_view text, std::string_view title, MessageIcon icon)
{
    m_shown.push_back({Kind::OkCancel, std::string(text), std::string(title), icon});
    if (m_answers.empty())
        return true;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompter::chooseFile(FileChoice, std::string_view filter,
                                                        std::string_view)
{
    m_shown.push_back({Kind::FileChooser, std::string(filter), {}, MessageIcon::None});
    if (m_files.empty())
        return std::nullopt;
    auto path = m_files.front();
    m_files.pop_front();
    return path;
}

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> result;
    for (const auto& item : m_shown)
        result.push_back(item.text);
    return result;
}

} // namespace tarn
