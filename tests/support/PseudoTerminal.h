#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tarn::test {

// The far end of a pseudo-terminal: the test holds the master, the code under
// test opens slavePath() as if it were a serial device.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        ::fcntl(m_master, F_SETFL, O_NONBLOCK);
        char name[128] = {};
        if (::ptsname_r(m_master, name, sizeof name) == 0)
            m_slavePath = name;
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return m_master >= 0 && !m_slavePath.empty(); }
    const std::string& slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    bool send(const std::vector<std::uint8_t>& bytes) const
    {
        return ::write(m_master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads until `count` bytes arrived or the deadline passed.
    std::vector<std::uint8_t> receive(std::size_t count, std::chrono::milliseconds deadline) const
    {
        std::vector<std::uint8_t> bytes;
        const auto end = std::chrono::steady_clock::now() + deadline;
        while (bytes.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got > 0)
                bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

private:
    int m_master = -1;
    std::string m_slavePath;
};

} // namespace tarn::test
