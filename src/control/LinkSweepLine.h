#pragma once

#include "control/CommissioningSweep.h"
#include "link/QueueOwner.h"
#include "link/ReplyReceiver.h"

#include <optional>

namespace tarn {

class MainControl;

// The commissioning sweep on the console's own link: it takes the queue and
// every reply for itself while it runs (nothing else is sent meanwhile: no
// poll, no search for the camera), asks one address at a time, and puts the
// port, rate, protocol and address back as they were when it ends.
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

    bool selectLine(const std::string& link, int baudIndex, int protocolIndex) override;
    void ask(int address, std::string_view question) override;
    void restore() override;

private:
    void replyReceived(std::span<const std::uint8_t> frame) override;
    void wakePump() override {}

    MainControl& m_control;
    CommissioningSweep* m_sweep = nullptr;
    int m_port;
    int m_baudIndex;
    int m_protocolIndex;
    int m_address;
    bool m_restored = false;
};

} // namespace tarn
