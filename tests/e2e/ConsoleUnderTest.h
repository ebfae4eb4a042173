#pragma once

#include "RealTimeTimers.h"
#include "PosixPortServerSocket.h"

#include "link/CameraLink.h"
#include "link/PortServerControl.h"
#include "link/SerialPort.h"
#include "platform/MemoryProfileStore.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "support/LinkFixture.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace tarn::e2e {

// The console's core, headless: the real CameraLink on the real serial port,
// or behind the real port-server control on a POSIX socket, with the main
// thread's work run by this object's loop. Set up as after the main window's
// initialisation: not busy, address 1, F8 mode.
class ConsoleUnderTest final : private SerialPortOwner {
public:
    ConsoleUnderTest();
    ~ConsoleUnderTest();

    CameraLink& link() { return m_link; }
    LinkState& state() { return m_link.state(); }
    RealTimeTimers& timers() { return m_timers; }
    test::RecordingEvents& events() { return m_events; }
    ScriptedPrompter& prompter() { return m_prompter; }
    MemoryProfileStore& profile() { return m_profile; }

    // Opens (or reopens) the serial port on `device` at `baud`, as the
    // console does at start and after the Setup dialog.
    bool openSerial(const std::string& device, int baud = 9600);
    // "Network", then "Connect" to the port server at "127.0.0.1:PORT". The
    // console looks at the port number only to choose the length header
    // (port 1234); a test cannot count on getting 1234 on a shared machine,
    // so `headerPort` stands in for the number afterwards.
    bool connectPortServer(const std::string& hostPort, bool headerPort);
    PortServerControl& portServer() { return m_portServer; }

    // Runs the main thread (timers and posted work) until `done` holds.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds patience = std::chrono::seconds(3));
    // Nothing queued, nothing outstanding.
    bool settled();
    int responseTimeouts() const;

private:
    void serialByteReceived(std::uint8_t byte, int port) override;

    QueuedPoster m_poster;
    RealTimeTimers m_timers;
    ScriptedPrompter m_prompter;
    MemoryProfileStore m_profile;
    test::RecordingEvents m_events;
    CameraLink m_link;
    PosixPortServerSocketFactory m_sockets{m_poster};
    PortServerControl m_portServer;
    std::string m_device;
    // Last: it posts to the link and must stop before it goes.
    std::unique_ptr<SerialPort> m_serial;
};

} // namespace tarn::e2e
