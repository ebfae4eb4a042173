#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace tarn::bench {

// The tarn-console program as a child process, on the offscreen platform,
// with its settings under `configHome`; its output goes nowhere.
class ConsoleProcess {
public:
    ConsoleProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& configHome);
    ~ConsoleProcess();
    ConsoleProcess(const ConsoleProcess&) = delete;
    ConsoleProcess& operator=(const ConsoleProcess&) = delete;

    bool started() const { return m_pid > 0; }
    // Its resident memory in kB (VmRSS), or 0 when it cannot be read.
    long residentKb() const;
    // Asks it to end, as a desktop session would; kills it after a few
    // seconds if it does not.
    void stop();

private:
    pid_t m_pid = -1;
};

} // namespace tarn::bench
