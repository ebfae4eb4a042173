#include "sim/SymbolicLink.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace tarn::sim {

namespace {

std::string linkTarget(const std::string& path)
{
    std::array<char, 4096> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size() - 1);
    return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : std::string{};
}

} // namespace

SymbolicLink::~SymbolicLink()
{
    // Only our own link: another simulator may have taken the name since.
    if (!m_path.empty() && linkTarget(m_path) == m_target)
        ::unlink(m_path.c_str());
}

std::string SymbolicLink::create(const std::string& path, const std::string& target)
{
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode))
            return path + " exists and is not a symbolic link";
        ::unlink(path.c_str());
    }
    if (::symlink(target.c_str(), path.c_str()) != 0)
        return "symlink " + path + ": " + std::strerror(errno);
    m_path = path;
    m_target = target;
    return {};
}

} // namespace tarn::sim
