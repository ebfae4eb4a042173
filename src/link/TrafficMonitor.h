#pragma once

#include "platform/Timers.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

// What the operator sees of the line: the last frame sent and the last frame
// received as hex text, and a lamp for each that lights for 50 ms per frame.
// The texts are built here; a view shows them when told that they changed.
class TrafficMonitor final : public TimerClient {
public:
    class View {
    public:
        virtual void trafficChanged() = 0;

    protected:
        ~View() = default;
    };

    explicit TrafficMonitor(Timers& timers);
    ~TrafficMonitor();
    TrafficMonitor(const TrafficMonitor&) = delete;
    TrafficMonitor& operator=(const TrafficMonitor&) = delete;

    void setView(View* view) { m_view = view; }

    // A frame from SendCommand or SendCameraCommand.
    void showTransmitted(std::span<const std::uint8_t> frame, bool stxMode);
    // The frame just shown as transmitted did not go out: no link to send it on.
    void showNotSent();
    // The state of the link in use, in the transmit line until the next frame.
    void showLinkState(std::string_view text);
    // A complete reply frame; one that failed its checksum is marked as ignored.
    void showReceived(std::span<const std::uint8_t> frame, bool stxMode, bool intact = true);
    // The one-byte acknowledgement.
    void showAcknowledgement();

    const std::string& transmitLine() const { return m_transmitLine; }
    const std::string& receiveLine() const { return m_receiveLine; }
    bool transmitLampOn() const { return m_transmitLamp; }
    bool receiveLampOn() const { return m_receiveLamp; }

    static std::string transmitText(std::span<const std::uint8_t> frame, bool stxMode);
    static std::string receiveText(std::span<const std::uint8_t> frame, bool stxMode);

    void timerFired(int id) override;

private:
    void lightReceiveLamp();
    void changed();

    Timers& m_timers;
    View* m_view = nullptr;
    std::string m_transmitLine;
    std::string m_receiveLine;
    bool m_transmitLamp = false;
    bool m_receiveLamp = false;
};

} // namespace tarn
