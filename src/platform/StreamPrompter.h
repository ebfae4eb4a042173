#pragma once

#include "platform/Prompter.h"

#include <cstdio>

namespace tarn {

// The prompter of a run without a window: every message goes to a stream
// (standard error), one per line, and every question gets the answer that
// changes nothing (No, Cancel, no file), unless the script said yes to all.
class StreamPrompter final : public Prompter {
public:
    enum class Answer { No, Yes };
    explicit StreamPrompter(std::FILE* stream, Answer answer = Answer::No)
        : m_stream(stream)
        , m_yes(answer == Answer::Yes)
    {
    }

    void showMessage(std::string_view text, std::string_view, MessageIcon) override { write(text); }
    bool askYesNo(std::string_view text, std::string_view, MessageIcon, DefaultButton) override
    {
        write(text);
        return m_yes;
    }
    bool askOkCancel(std::string_view text, std::string_view, MessageIcon) override
    {
        write(text);
        return m_yes;
    }
    std::optional<std::string> chooseFile(FileChoice, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }

private:
    void write(std::string_view text)
    {
        std::fwrite(text.data(), 1, text.size(), m_stream);
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
    }

    std::FILE* m_stream;
    bool m_yes;
};

} // namespace tarn
