#include "link/SerialPortWatch.h"

#include "core/Messages.h"
#include "link/SerialPort.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <cerrno>

#include <sys/stat.h>

namespace tarn {

SerialPortWatch::SerialPortWatch(SerialPort& port, SerialPortOwner& owner, Timers& timers,
                                 Prompter& prompter)
    : m_port(port)
    , m_owner(owner)
    , m_timers(timers)
    , m_prompter(prompter)
{
}

SerialPortWatch::~SerialPortWatch()
{
    m_timers.stopAll(*this);
}

SerialPortWatch::State SerialPortWatch::stateForOpenError(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR: return State::Missing;
    case EBUSY: return State::Busy;
    default: return State::Unopenable;
    }
}

std::optional<std::string> SerialPortWatch::permissionAdvice(int openError, int port, const UserAccount& account)
{
    if ((openError != EACCES && openError != EPERM) || account.inDialoutGroup)
        return std::nullopt;
    const std::string user = account.name.empty() ? std::string("$USER") : account.name;
    return Messages::format(Messages::PortNeedsDialout, port, user.c_str());
}

bool SerialPortWatch::tryOpen()
{
    const LineSettings& s = m_settings;
    if (m_port.open(&m_owner, s.port, s.baud, s.parity, s.dataBits, s.stopBits, s.eventMask,
                    s.writeBufferSize)
        != 1)
        return false;
    m_port.startThread();
    return true;
}

bool SerialPortWatch::open(const LineSettings& settings, bool atStart)
{
    m_settings = settings;
    m_timers.stop(*this, TimerId::SerialPortWatch);
    m_reconnected = false;
    if (tryOpen()) {
        enter(State::Open);
        return true;
    }
    const int error = m_port.openError();
    enter(stateForOpenError(error));
    m_timers.start(*this, TimerId::SerialPortWatch, CheckIntervalMs);

    // The console runs on without a port: the network link may still be used.
    std::string cause;
    switch (m_state) {
    case State::Missing:
        cause = atStart ? Messages::format(Messages::PortDoesNotExist, settings.port)
                        : std::string(Messages::PortNotFound);
        break;
    case State::Busy: cause = Messages::format(Messages::PortInUse, settings.port); break;
    case State::Unopenable:
        if (const auto advice = permissionAdvice(error, settings.port, m_account())) {
            cause = *advice;
            break;
        }
        [[fallthrough]];
    default:
        cause = Messages::format(Messages::PortCannotBeOpened, settings.port,
                                 SerialPort::errorText(error).c_str());
        break;
    }
    m_prompter.showMessage(
        Messages::format(Messages::OnDevice, cause.c_str(), m_port.devicePath().c_str()), {},
        MessageIcon::Warning);
    return false;
}

void SerialPortWatch::portLost(const std::string& call, int error)
{
    // A notice from a worker of a device since closed or reopened is stale.
    if (m_state != State::Open || !m_port.isLost())
        return;
    // The descriptor goes at once: a pty is only freed for the next simulator
    // when nobody holds it, and a dead line must not wake anybody.
    m_port.close();
    m_reconnected = false;
    enter(State::Lost);
    m_timers.start(*this, TimerId::SerialPortWatch, CheckIntervalMs);
    // The state is already shown: the box may stay open while the device
    // comes back.
    const std::string text =
        Messages::format(Messages::SerialCallFailed, call.c_str(), SerialPort::errorText(error).c_str(),
                         m_settings.port)
        + m_port.devicePath() + "\n\n" + statusText();
    m_prompter.showMessage(text, Messages::ApplicationErrorTitle, MessageIcon::Error);
}

void SerialPortWatch::stop()
{
    m_timers.stop(*this, TimerId::SerialPortWatch);
}

void SerialPortWatch::timerFired(int id)
{
    if (id != TimerId::SerialPortWatch || !isAway())
        return;
    // Only a path that is there is worth opening; a symbolic link is
    // followed as it points now.
    struct stat device {};
    if (::stat(m_port.devicePathNow(m_settings.port).c_str(), &device) != 0)
        return;
    if (tryOpen()) {
        m_timers.stop(*this, TimerId::SerialPortWatch);
        m_reconnected = true;
        enter(State::Open);
        return;
    }
    // Still not usable (busy, say): the line shows why, without a box.
    const State now = stateForOpenError(m_port.openError());
    if (now != m_state && m_state != State::Lost)
        enter(now);
}

void SerialPortWatch::enter(State state)
{
    m_state = state;
    if (m_traffic) {
        const std::string text = statusText();
        TrafficEvent event;
        event.direction = TrafficDirection::Event;
        event.transport = TrafficTransport::Serial;
        event.kind = TrafficKind::PortEvent;
        event.verdict = TrafficVerdict::None;
        event.note = text;
        m_traffic->traffic(event);
    }
    if (m_changed)
        m_changed();
}

std::string SerialPortWatch::statusText() const
{
    const char* pattern = nullptr;
    switch (m_state) {
    case State::Closed: return {};
    case State::Open: pattern = m_reconnected ? Messages::PortReconnected : Messages::PortOpen; break;
    case State::Missing: pattern = Messages::PortMissingWaiting; break;
    case State::Busy: pattern = Messages::PortBusyWaiting; break;
    case State::Unopenable: pattern = Messages::PortUnopenedWaiting; break;
    case State::Lost: pattern = Messages::PortLostWaiting; break;
    }
    return Messages::format(pattern, m_settings.port, m_port.devicePath().c_str());
}

} // namespace tarn
