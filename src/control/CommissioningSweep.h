#pragma once

#include "platform/TimerIds.h"
#include "platform/Timers.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// What the sweep asks of the line: which link, rate and protocol to use, and
// a question to one address. The main window (or the command line) binds it
// to the camera link and gives the answers back through
// CommissioningSweep::replyReceived.
class CommissioningSweep;

// How a line took a link: ready now, on its way (a port server being
// connected: the line tells CommissioningSweep::lineSelected when it is
// there or not), or not usable, and why.
struct LineSelection {
    enum class State { Ready, Connecting, Unusable };
    State state = State::Ready;
    std::string why; // Unusable: a short reason ("the port cannot be opened")

    static LineSelection ready() { return {}; }
    static LineSelection connecting() { return {State::Connecting, {}}; }
    static LineSelection unusable(std::string why) { return {State::Unusable, std::move(why)}; }
};

class SweepLine {
public:
    virtual ~SweepLine() = default;
    // Where the line hands the answers it hears (none: nowhere).
    virtual void setSweep(CommissioningSweep*) {}

    // Opens or connects `link` at the baud index and takes the protocol.
    // A link that cannot be used is reported once and its combinations
    // are skipped.
    virtual LineSelection selectLine(const std::string& link, int baudIndex, int protocolIndex) = 0;
    // One framed question to one address, never broadcast.
    virtual void ask(int address, std::string_view question) = 0;
    // The sweep has ended: the line goes back as it was before it.
    virtual void restore() = 0;
};

struct SweepRequest {
    std::vector<std::string> links;   // "COM1", a device path, "host:port"
    std::vector<int> baudIndexes;     // the settings' baud list
    std::vector<int> protocolIndexes; // the Setup dialog's protocol list
    int firstAddress = 1;
    int lastAddress = 254;
};

// A dome that answered, with what it said of itself.
struct SweepFind {
    std::string link;
    int baudIndex = 0;
    int protocolIndex = 0;
    int address = 0;
    std::string status;       // the answer to the status question
    std::string firmware;     // "RS" answered, else empty
    int panTiltType = -1;     // "sS" answered, else -1
    bool operator==(const SweepFind&) const = default;
};

// A link that was not swept, told once, with why.
struct SweepProblem {
    std::string link;
    std::string why;
    bool operator==(const SweepProblem&) const = default;
};

// The commissioning sweep: every address of every combination of link,
// protocol and baud rate is asked the status question, and waits at most one
// reply time-out for its answer. A dome that answers is asked what it is
// (firmware, pan/tilt type) and is not asked again at the other rates. Only
// questions go out, one address at a time: nothing changes a dome, and no
// broadcast is used, since answers from several domes collide on a shared
// line. Links are swept one after the other; a port server is connected
// first, and the sweep waits for it (never longer than ConnectTimeoutMs)
// before its first question.
class CommissioningSweep final : public TimerClient {
public:
    static constexpr int TimerId = TimerId::SweepAnswer;
    static constexpr int ConnectTimerId = TimerId::SweepConnect;
    // How long a link may take to connect. A port server's own time-out
    // (1 s) normally tells first, with its reason; this is the sweep's bound
    // whatever the line does.
    static constexpr int ConnectTimeoutMs = 2000;
    static constexpr std::string_view StatusQuestion = "L?";
    static constexpr std::string_view FirmwareQuestion = "RS";
    static constexpr std::string_view PanTiltQuestion = "sS";

    CommissioningSweep(SweepLine& line, Timers& timers, SweepRequest request, int replyTimeoutMs);
    ~CommissioningSweep();
    CommissioningSweep(const CommissioningSweep&) = delete;
    CommissioningSweep& operator=(const CommissioningSweep&) = delete;

    // Told after every step, and when a dome is found or the sweep ends.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    // The addresses a protocol allows within the request's range.
    static std::pair<int, int> addressRange(const SweepRequest& request, int protocolIndex);
    // How many status questions at most, and how long they take when no
    // dome answers (and every port server takes its whole connect time).
    // A port server is swept at the first rate only: its rate is its own.
    static int questionCount(const SweepRequest& request);
    static int longestMs(const SweepRequest& request, int replyTimeoutMs);

    void start();
    // Stops at once; an answer still on its way is ignored.
    void cancel();
    // A reply from the line, its address and its text after the address.
    void replyReceived(int address, std::string_view text);
    // The line that answered selectLine with Connecting is there (or is
    // not, and why); anything told while nothing is being connected is
    // ignored.
    void lineSelected(bool usable, std::string_view why = {});
    // The link being swept went (a port server that closed the connection):
    // told once, and the rest of it is not asked.
    void lineLost(std::string_view why);

    bool running() const { return m_running; }
    // Waiting for a link to connect.
    bool connecting() const { return m_connecting; }
    // The link being swept (or connected) now.
    std::string_view currentLink() const
    {
        return m_at.link < m_request.links.size() ? std::string_view(m_request.links[m_at.link]) : std::string_view();
    }
    // The links not swept so far, in the order they failed.
    const std::vector<SweepProblem>& problems() const { return m_problems; }
    bool cancelled() const { return m_cancelled; }
    int questionsAsked() const { return m_asked; }
    int statusQuestionsAsked() const { return m_statusAsked; }
    int progressPercent() const;
    const std::vector<SweepFind>& found() const { return m_found; }

    void timerFired(int id) override;

private:
    enum class Step { Status, Firmware, PanTilt };
    struct Position {
        std::size_t link = 0;
        std::size_t protocol = 0;
        std::size_t baud = 0;
        int address = 0;
    };

    // How many of the request's rates `link` is swept at.
    static int baudCount(const SweepRequest& request, const std::string& link);
    // Asks the next address, selecting the line of each new combination
    // first; waits while a link connects, and finishes after the last.
    void step();
    // The next combination of link, protocol and rate; false after the last.
    bool nextCombination();
    void linkFailed(std::string why);
    bool alreadyFound(int address) const;
    void askCurrent();
    void nextQuestion();
    void finish();
    void changed();

    SweepLine& m_line;
    Timers& m_timers;
    SweepRequest m_request;
    int m_replyTimeoutMs;
    std::function<void()> m_changed;
    Position m_at;
    Step m_step = Step::Status;
    std::optional<SweepFind> m_answering;
    std::vector<SweepFind> m_found;
    std::vector<SweepProblem> m_problems;
    std::vector<bool> m_failedLinks; // by the request's link index
    int m_asked = 0;
    int m_statusAsked = 0;
    int m_passed = 0; // addresses asked or passed over
    int m_total = 0;
    bool m_lineUsable = false;
    bool m_needsSelect = false;
    bool m_connecting = false;
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace tarn
