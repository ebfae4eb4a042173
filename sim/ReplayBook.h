#pragma once

#include "sim/CaptureReader.h"
#include "sim/FaultLayer.h"
#include "sim/ReceivedFrame.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::sim {

// A site's conversation to answer from: every command the console sent in a
// capture, with what came back before its next command (acknowledgements and
// replies as they were, a spoilt one included, each as long after the
// command as it came then; nothing when it went unanswered). A command is
// known by its text and address (a link or Javelin frame by its bytes). One
// asked again gets the next answer recorded for it, and the last once they
// run out.
class ReplayBook {
public:
    // Answers later than this are not waited for again in full.
    static constexpr std::chrono::milliseconds LongestDelay{5000};

    explicit ReplayBook(const Capture& capture);

    struct Response {
        std::vector<TimedWrite> writes;
        std::string_view note; // why there is nothing, for the log
    };
    Response respond(const ReceivedFrame& frame);

    // The digits of an extended address in the capture: 5 with the protocol
    // that has them, else 4.
    int addressDigits() const { return m_addressDigits; }
    std::size_t commandCount() const { return m_commands.size(); }

private:
    struct Recorded {
        std::vector<std::vector<TimedWrite>> answers; // one per time it was sent
        std::size_t next = 0;
    };
    static std::string keyOf(const ReceivedFrame& frame);

    std::map<std::string, Recorded> m_commands;
    int m_addressDigits = 4;
};

} // namespace tarn::sim
