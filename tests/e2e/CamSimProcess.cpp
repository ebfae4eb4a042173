#include "CamSimProcess.h"

#include <array>
#include <chrono>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn::e2e {

namespace {

using Clock = std::chrono::steady_clock;
// Only reached when something is broken: the simulator starts in milliseconds.
constexpr auto Patience = std::chrono::seconds(5);

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the child's end through a pidfd, so a hung simulator cannot hang
// the test. Returns true when it ended.
bool waitForEnd(pid_t pid, int& status, Clock::time_point deadline)
{
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidFd >= 0) {
        pollfd pfd{pidFd, POLLIN, 0};
        while (::poll(&pfd, 1, msLeft(deadline)) < 0 && errno == EINTR) {
        }
        ::close(pidFd);
    }
    return ::waitpid(pid, &status, WNOHANG) == pid;
}

} // namespace

CamSimProcess::CamSimProcess(const std::vector<std::string>& arguments)
{
    std::array<int, 2> pipe{-1, -1};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0)
        return;
    // Everything the child needs is made before fork(): after it only
    // async-signal-safe calls are allowed.
    std::vector<std::string> words{TARN_CAMSIM_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();

    m_pid = ::fork();
    if (m_pid == 0) {
        // A test that crashes must not leave simulators behind.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent || ::dup2(pipe[1], STDOUT_FILENO) < 0)
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    m_output = pipe[0];
    if (m_pid < 0)
        return;

    const auto deadline = Clock::now() + Patience;
    std::string text;
    while (text.find('\n') == std::string::npos) {
        pollfd pfd{m_output, POLLIN, 0};
        if (::poll(&pfd, 1, msLeft(deadline)) <= 0)
            return;
        std::array<char, 256> buffer{};
        const ssize_t got = ::read(m_output, buffer.data(), buffer.size());
        if (got <= 0)
            return; // ended without announcing itself
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    m_firstLine = text.substr(0, text.find('\n'));
}

CamSimProcess::~CamSimProcess()
{
    stop();
    if (m_output >= 0)
        ::close(m_output);
}

std::string CamSimProcess::where() const
{
    const std::size_t separator = m_firstLine.find(": ");
    return separator == std::string::npos ? std::string{} : m_firstLine.substr(separator + 2);
}

int CamSimProcess::stop(int signal)
{
    if (m_pid < 0)
        return -1;
    const pid_t pid = std::exchange(m_pid, -1);
    ::kill(pid, signal);
    int status = 0;
    if (!waitForEnd(pid, status, Clock::now() + Patience)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tarn::e2e
