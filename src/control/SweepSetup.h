#pragma once

#include "control/CommissioningSweep.h"
#include "core/Settings.h"
#include "link/Protocols.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

class Prompter;

// What the technician fills in before a sweep: the serial links as typed
// ("COM1, /dev/ttyUSB1"), the port servers offered and whether each is
// ticked, the baud rates and protocols ticked, the first and last address as
// typed.
struct SweepChoices {
    static constexpr int BaudCount = Settings::BaudCount;
    struct PortServer {
        std::string link; // "192.168.1.200:4001"
        bool chosen = true;
        bool operator==(const PortServer&) const = default;
    };
    std::string links;
    std::vector<PortServer> portServers;
    std::array<bool, BaudCount> bauds{};
    std::array<bool, Protocol::Count> protocols{};
    std::string firstAddress = "1";
    std::string lastAddress = "254";
};

// The "Find Domes" dialog's logic: it turns the choices into a sweep request,
// tells how long the sweep may take before it starts, runs it on a line it
// opens only for the sweep, and lists the domes as they answer.
class SweepSetup final {
public:
    // Opens the line for one sweep; the line goes back as it was when the
    // sweep ends or this object goes.
    using LineOpener = std::function<std::unique_ptr<SweepLine>()>;

    SweepSetup(Timers& timers, Prompter& prompter, LineOpener openLine, int replyTimeoutMs);
    ~SweepSetup();
    SweepSetup(const SweepSetup&) = delete;
    SweepSetup& operator=(const SweepSetup&) = delete;

    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    SweepChoices& choices() { return m_choices; }
    const SweepChoices& choices() const { return m_choices; }

    // The request the choices make, or why they make none.
    struct Checked {
        std::optional<SweepRequest> request;
        std::string_view problem;
    };
    Checked check() const;
    // "254 questions, at most 26 s", or empty while the choices make no sweep.
    std::string estimate() const;
    // Offers a port server ("HOST:PORT", ticked); one already offered is
    // ticked again. Why it was not taken, or empty.
    std::string_view addPortServer(std::string_view text);

    // Starts the sweep, or tells the technician what is missing.
    bool start();
    void cancel();
    bool running() const { return m_sweep && m_sweep->running(); }
    int progressPercent() const { return m_sweep ? m_sweep->progressPercent() : 0; }
    // "Swept 254 questions, 2 domes found" and the like; empty before a sweep.
    std::string progressText() const;
    const std::vector<SweepFind>& found() const;
    // "10.0.0.9:4001 was not swept: no connection within 2 s", one per link.
    std::vector<std::string> problemRows() const;
    // One line per dome found, as the list shows them.
    std::vector<std::string> foundRows() const;
    static std::string describe(const SweepFind& find);

private:
    void changed();

    Timers& m_timers;
    Prompter& m_prompter;
    LineOpener m_openLine;
    int m_replyTimeoutMs;
    SweepChoices m_choices;
    std::function<void()> m_changed;
    // The sweep goes before its line: it may still restore it.
    std::unique_ptr<SweepLine> m_line;
    std::unique_ptr<CommissioningSweep> m_sweep;
    std::vector<SweepFind> m_noneFound;
};

} // namespace tarn
