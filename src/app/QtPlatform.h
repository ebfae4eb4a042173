#pragma once

#include "link/PortServerLink.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/QtProfileStore.h"
#include "platform/QtTimers.h"

namespace tarn {

class Prompter;

// The console's platform on Qt: the profile, the timers, posting to the main
// thread and the port-server sockets, over the prompter the run chose (boxes
// for the window, standard error for a job without one). The application's
// names must be set first: the profile's file is found by them.
class QtPlatform {
public:
    explicit QtPlatform(Prompter& prompter);
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform& platform() { return m_platform; }
    QtProfileStore& profile() { return m_profile; }
    QtTimers& timers() { return m_timers; }

private:
    QtProfileStore m_profile;
    QtTimers m_timers;
    QtMainThreadPoster m_poster;
    QtPortServerSocketFactory m_sockets;
    Platform m_platform;
};

} // namespace tarn
