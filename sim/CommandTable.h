#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::sim {

// What a command handler decides: acknowledge, answer with a reply text, or
// stay silent.
struct CommandResult {
    enum class Kind { Ack, Reply, Silence };

    Kind kind = Kind::Ack;
    std::string text;

    static CommandResult ack() { return {}; }
    static CommandResult reply(std::string text) { return {Kind::Reply, std::move(text)}; }
    static CommandResult silence() { return {Kind::Silence, {}}; }
};

// Command texts to their handlers by prefix. The longest registered prefix
// that a text begins with wins, so "H?" (status) and "H" + code (preset) can
// live side by side; a text no prefix matches is acknowledged, as the camera
// does with any command it takes.
class CommandTable {
public:
    using Handler = std::function<CommandResult(std::string_view text)>;

    void add(std::string prefix, Handler handler);
    CommandResult dispatch(std::string_view text) const;

private:
    struct Entry {
        std::string prefix;
        Handler handler;
    };
    std::vector<Entry> m_entries;
};

} // namespace tarn::sim
