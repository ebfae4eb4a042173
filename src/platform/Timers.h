#pragma once

namespace tarn {

// Receives the expiry of the timers it started. Window timers of the console
// are periodic: they fire every period until stopped, like the classic
// window timers the protocol timings were designed around.
class TimerClient {
public:
    virtual void timerFired(int id) = 0;

protected:
    ~TimerClient() = default;
};

// One timer per (client, id). start() on a running timer restarts it with the
// new period; stop() on a stopped timer does nothing.
class Timers {
public:
    virtual ~Timers() = default;
    virtual void start(TimerClient& client, int id, int periodMs) = 0;
    virtual void stop(TimerClient& client, int id) = 0;
    virtual bool isRunning(const TimerClient& client, int id) const = 0;
    // Drops every timer of a client that is going away.
    virtual void stopAll(TimerClient& client) = 0;
};

} // namespace tarn
