#include "platform/LocalFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn::LocalFile {

namespace {

std::string systemError(int error)
{
    return std::system_category().message(error);
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports whether the last writes reached the file.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> read(const std::string& path, std::size_t maxBytes)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[4096];
    while (bytes.size() < maxBytes) {
        const ssize_t got = ::read(file.get(), block, std::min(sizeof block, maxBytes - bytes.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt; // a folder, or a read error
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), block, block + got);
    }
    return bytes;
}

std::optional<std::string> writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path target(path);
    std::error_code error;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    if (error)
        return error.message();

    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        return systemError(errno);
    const auto fail = [&temporary](int cause) -> std::optional<std::string> {
        ::unlink(temporary.c_str());
        return systemError(cause);
    };
    // The new copy keeps the permissions of the one it replaces.
    struct stat old{};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(file.get(), mode) != 0 || !writeAll(file.get(), bytes) || ::fsync(file.get()) != 0)
        return fail(errno);
    if (!file.close())
        return fail(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return fail(errno);

    // So the new name survives a power cut too.
    const Descriptor folder(::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return std::nullopt;
}

} // namespace tarn::LocalFile
