#include "platform/GuardedPrompter.h"

#include "core/Messages.h"

#include <cstdio>

namespace tarn {

GuardedPrompter::GuardedPrompter(Prompter& boxes, Log log)
    : m_boxes(boxes)
    , m_log(std::move(log))
{
    if (!m_log)
        m_log = [](std::string_view line) { std::fwrite(line.data(), 1, line.size(), stderr); };
}

GuardedPrompter::OpenBox::OpenBox(std::multiset<std::string>& open, std::string key)
    : m_open(open)
    , m_taken(!open.contains(key))
{
    if (m_taken)
        m_entry = open.insert(std::move(key));
}

GuardedPrompter::OpenBox::~OpenBox()
{
    if (m_taken)
        m_open.erase(m_entry);
}

std::string GuardedPrompter::keyFor(std::string_view text, std::string_view title)
{
    std::string key(title);
    key += '\0';
    key += text;
    return key;
}

void GuardedPrompter::logInstead(std::string_view text)
{
    m_log(Messages::format(Messages::ShownWhileClosing, std::string(text).c_str()));
}

void GuardedPrompter::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    if (m_closing) {
        logInstead(text);
        return;
    }
    const OpenBox box(m_open, keyFor(text, title));
    if (box.taken())
        m_boxes.showMessage(text, title, icon);
}

bool GuardedPrompter::askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                               DefaultButton defaultButton)
{
    const bool byDefault = defaultButton == DefaultButton::First;
    if (m_closing) {
        logInstead(text);
        return byDefault;
    }
    const OpenBox box(m_open, keyFor(text, title));
    return box.taken() ? m_boxes.askYesNo(text, title, icon, defaultButton) : byDefault;
}

bool GuardedPrompter::askOkCancel(std::string_view text, std::string_view title, MessageIcon icon)
{
    if (m_closing) {
        logInstead(text);
        return false; // nothing is started on the way out
    }
    const OpenBox box(m_open, keyFor(text, title));
    return box.taken() ? m_boxes.askOkCancel(text, title, icon) : false;
}

std::optional<std::string> GuardedPrompter::chooseFile(FileChoice mode, std::string_view filter,
                                                       std::string_view suggestedName)
{
    if (m_closing)
        return std::nullopt;
    // A second press of Save while its chooser is open is no second chooser.
    const OpenBox box(m_open, keyFor(filter, mode == FileChoice::Save ? "\x01save" : "\x01open"));
    if (!box.taken())
        return std::nullopt;
    return m_boxes.chooseFile(mode, filter, suggestedName);
}

} // namespace tarn
