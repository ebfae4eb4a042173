#pragma once

#include "control/CommissioningSweep.h"
#include "control/SiteLink.h"
#include "link/PortServerControl.h"
#include "link/QueueOwner.h"
#include "link/ReplyReceiver.h"

#include <optional>

namespace tarn {

class MainControl;

// The commissioning sweep on the console's own link: it takes the queue and
// every reply for itself while it runs (nothing else is sent meanwhile: no
// poll, no search for the camera), asks one address at a time, and puts the
// port, rate, protocol and address back as they were when it ends. Serial
// ports are reopened and port servers connected one after the other as the
// sweep moves on; the console's own port server is connected again at the
// end.
class LinkSweepLine final : public SweepLine, private ReplyReceiver, private QueueOwner {
public:
    explicit LinkSweepLine(MainControl& control);
    ~LinkSweepLine() override;
    LinkSweepLine(const LinkSweepLine&) = delete;
    LinkSweepLine& operator=(const LinkSweepLine&) = delete;

    // Where the answers go.
    void setSweep(CommissioningSweep* sweep) override { m_sweep = sweep; }

    // "COM5" or a device the port list knows: its COM number.
    std::optional<int> serialPortFor(const std::string& link) const;

    LineSelection selectLine(const std::string& link, int baudIndex, int protocolIndex) override;
    void ask(int address, std::string_view question) override;
    void restore() override;

private:
    LineSelection select(const std::string& link, int baudIndex, int protocolIndex);
    LineSelection selectPortServer(const SiteLink& server);
    void connectEnded(PortServerControl::ConnectOutcome outcome, int errorCode);
    // Leaves the port server in use (or being connected) for the serial line.
    void leavePortServer();
    void replyReceived(std::span<const std::uint8_t> frame) override;
    void wakePump() override {}

    MainControl& m_control;
    CommissioningSweep* m_sweep = nullptr;
    int m_port;
    int m_baudIndex;
    int m_protocolIndex;
    int m_address;
    int m_linkMode;
    bool m_serialWasOpen;
    // The port server the console had when the sweep began, if any.
    std::optional<SiteLink> m_originalServer;
    // The port server connected (or being connected) now.
    std::optional<SiteLink> m_server;
    bool m_connecting = false;
    // An answer to a connect told before selectLine returned.
    std::optional<LineSelection> m_connectedAtOnce;
    bool m_selecting = false;
    bool m_serialTouched = false;
    bool m_restored = false;
};

} // namespace tarn
