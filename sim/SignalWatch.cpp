#include "sim/SignalWatch.h"

#include <csignal>

#include <sys/signalfd.h>

namespace tarn::sim {

SignalWatch::SignalWatch()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    // A parent that ignores them would make them vanish before they are read.
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    if (::sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return;
    m_fd.reset(::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK));
}

} // namespace tarn::sim
