#pragma once

#include <string>

namespace tarn::sim {

// A symbolic link to the pty slave under a fixed name (so a console's COM
// port map can name it), removed again when the simulator ends.
class SymbolicLink {
public:
    SymbolicLink() = default;
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;

    // Replaces a stale symbolic link of the same name, never a real file.
    // Returns an error text, empty on success.
    std::string create(const std::string& path, const std::string& target);

private:
    std::string m_path;
    std::string m_target;
};

} // namespace tarn::sim
