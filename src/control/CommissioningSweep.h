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

class SweepLine {
public:
    virtual ~SweepLine() = default;
    // Where the line hands the answers it hears (none: nowhere).
    virtual void setSweep(CommissioningSweep*) {}

    // Opens or reconnects `link` at the baud index and takes the protocol.
    // False when the link cannot be used (its combinations are skipped).
    virtual bool selectLine(const std::string& link, int baudIndex, int protocolIndex) = 0;
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

// The commissioning sweep: every address of every combination of link,
// protocol and baud rate is asked the status question, and waits at most one
// reply time-out for its answer. A dome that answers is asked what it is
// (firmware, pan/tilt type) and is not asked again at the other rates. Only
// questions go out, one address at a time: nothing changes a dome, and no
// broadcast is used, since answers from several domes collide on a shared
// line.
class CommissioningSweep final : public TimerClient {
public:
    static constexpr int TimerId = TimerId::SweepAnswer;
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
    // dome answers.
    static int questionCount(const SweepRequest& request);
    static int longestMs(const SweepRequest& request, int replyTimeoutMs);

    void start();
    // Stops at once; an answer still on its way is ignored.
    void cancel();
    // A reply from the line, its address and its text after the address.
    void replyReceived(int address, std::string_view text);

    bool running() const { return m_running; }
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

    bool selectCurrentLine();
    // Moves to the next address (and the next combination after the last);
    // false when everything has been asked.
    bool advance();
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
    int m_asked = 0;
    int m_statusAsked = 0;
    int m_passed = 0; // addresses asked or passed over
    int m_total = 0;
    bool m_lineUsable = false;
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace tarn
