#pragma once

#include <filesystem>
#include <string>

namespace tarn::e2e {

// A directory of the test's own for log files and links, removed with all
// it holds.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace tarn::e2e
