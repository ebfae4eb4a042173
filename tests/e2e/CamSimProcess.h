#pragma once

#include <csignal>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tarn::e2e {

// The tarn-camsim program as a child process. Its first line of output says
// where it serves ("pty: /dev/pts/3", "tcp: 127.0.0.1:40123"); the
// constructor waits for it.
class CamSimProcess {
public:
    explicit CamSimProcess(const std::vector<std::string>& arguments);
    ~CamSimProcess();
    CamSimProcess(const CamSimProcess&) = delete;
    CamSimProcess& operator=(const CamSimProcess&) = delete;

    bool started() const { return !m_firstLine.empty(); }
    const std::string& firstLine() const { return m_firstLine; }
    // The device or HOST:PORT after "pty: " or "tcp: ".
    std::string where() const;

    // Sends the signal and waits for the end: the exit code, or -1 when the
    // program did not end by itself (it is then killed).
    int stop(int signal = SIGTERM);

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_firstLine;
};

} // namespace tarn::e2e
