#pragma once

#include "link/QueueOwner.h"
#include "platform/Timers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarn {

class CameraLink;

// The pump a modal dialog runs instead of the main window's while it is open:
// it appends to the same command queue and sends one entry at a time with a
// send timer of its own, waiting for the acknowledgement, the reply or its own
// hold time before the next. It owns the queue from construction to
// destruction, which is the dialog's life: while the line is away it takes
// nothing, and when the dialog closes what it did not send is dropped (and
// recorded) and no reply is left marked as wanted by it.
class DialogPump final : public TimerClient, private QueueOwner {
public:
    struct Config {
        int sendTimerId = 10;
        int sendPeriodMs = 5;       // how soon after an append the first send happens
        int holdTimerId = 11;
        int holdMs = 2000;          // the longest wait for an answer
        bool setsReplyWanted = true; // the answer belongs to the dialog
        bool takesWholeSlot = false; // commands longer than the 35 bytes a pump usually takes
    };

    DialogPump(CameraLink& link, Config config);
    ~DialogPump();
    DialogPump(const DialogPump&) = delete;
    DialogPump& operator=(const DialogPump&) = delete;

    // While the dialog initialises nothing is queued and nothing is sent.
    void setInitialising(bool initialising) { m_initialising = initialising; }
    bool initialising() const { return m_initialising; }

    void append(std::string_view command);
    void append(std::span<const std::uint8_t> frame);

    void timerFired(int id) override;

private:
    void wakePump() override;
    void tick();
    template <std::size_t N>
    void send(std::array<std::uint8_t, N> entry);

    CameraLink& m_link;
    Config m_config;
    bool m_initialising = false;
};

// The picture dialogs pace their commands 50 ms apart and wait half a second
// for an answer.
inline constexpr DialogPump::Config PicturePumpConfig{10, 50, 11, 500, true};

// The Setup dialog's way of sending: the newest command supersedes any that
// has not gone out yet, and goes out 5 ms later without waiting for the link
// (while the line is away it waits for the line, not for the camera).
class DeferredSend final : public TimerClient, private QueueOwner {
public:
    static constexpr int TimerId = 10;
    static constexpr int DelayMs = 5;

    explicit DeferredSend(CameraLink& link);
    ~DeferredSend();
    DeferredSend(const DeferredSend&) = delete;
    DeferredSend& operator=(const DeferredSend&) = delete;

    // While sending is suppressed the command is dropped.
    void setSuppressed(bool suppressed) { m_suppressed = suppressed; }
    void send(std::string_view command);

    void timerFired(int id) override;

private:
    void wakePump() override;

    CameraLink& m_link;
    bool m_suppressed = false;
};

} // namespace tarn
