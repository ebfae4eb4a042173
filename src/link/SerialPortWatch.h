#pragma once

#include "link/TrafficEntry.h"
#include "platform/Timers.h"
#include "platform/UserAccount.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarn {

class Prompter;
class SerialPort;
class SerialPortOwner;

// Keeps the console's serial port open across a pulled cable. It opens the
// port and tells the user once when the device is missing, busy or lost;
// while it is away it looks for the device path every second (a stat, so
// nothing is spent while waiting) and reopens it with the same settings as
// soon as it is back. The state is also given as a line of text for the
// window.
class SerialPortWatch final : public TimerClient {
public:
    static constexpr int CheckIntervalMs = 1000;

    enum class State { Closed, Open, Missing, Busy, Unopenable, Lost };

    struct LineSettings {
        int port = 1;
        int baud = 9600;
        char parity = 'N';
        int dataBits = 8;
        int stopBits = 1;
        std::uint32_t eventMask = 0;
        std::size_t writeBufferSize = 128;
    };

    SerialPortWatch(SerialPort& port, SerialPortOwner& owner, Timers& timers, Prompter& prompter);
    ~SerialPortWatch();
    SerialPortWatch(const SerialPortWatch&) = delete;
    SerialPortWatch& operator=(const SerialPortWatch&) = delete;

    // Told after every change of state.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }
    // Told of every change of state, as a port event with its status text.
    void setTrafficObserver(TrafficObserver* observer) { m_traffic = observer; }
    // Who runs the console, asked when a device refuses access.
    void setAccount(std::function<UserAccount()> account) { m_account = std::move(account); }

    // The advice for an open refused for lack of permission to a user
    // outside the dialout group: what to do, with the exact command.
    static std::optional<std::string> permissionAdvice(int openError, int port, const UserAccount& account);

    // Opens the port and starts its worker. A failure is told once, naming
    // the cause and the device ("Port COM%d does not exist!" at start, "Port
    // not found" later), and the device is then waited for.
    bool open(const LineSettings& settings, bool atStart);
    // From the port's owner: the device went away.
    void portLost(const std::string& call, int error);
    // Stops waiting (the console is closing).
    void stop();

    State state() const { return m_state; }
    bool isAway() const { return m_state != State::Open; }
    // Back after having been away.
    bool reconnected() const { return m_reconnected; }
    // "COM5 (/dev/ttyUSB0) lost – waiting for it", "COM5 (/dev/ttyUSB0) reconnected", ...
    std::string statusText() const;

    void timerFired(int id) override;

private:
    bool tryOpen();
    void enter(State state);
    static State stateForOpenError(int error);

    SerialPort& m_port;
    SerialPortOwner& m_owner;
    Timers& m_timers;
    Prompter& m_prompter;
    LineSettings m_settings;
    State m_state = State::Closed;
    bool m_reconnected = false;
    std::function<void()> m_changed;
    TrafficObserver* m_traffic = nullptr;
    std::function<UserAccount()> m_account = UserAccount::current;
};

} // namespace tarn
