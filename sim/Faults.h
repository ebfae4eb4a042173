#pragma once

#include <string>
#include <string_view>

namespace tarn::sim {

// Ways the simulated camera misbehaves on purpose, so that the console's
// time-outs and reply assembly can be tried out.
struct Faults {
    bool silent = false;      // no answer at all
    int lateMs = 0;           // every answer this much later
    bool dropAck = false;     // acknowledgements are not sent; replies are
    bool split = false;       // replies in several small writes with gaps
    bool garbage = false;     // noise bytes after every answer
    unsigned garbageSeed = 1; // garbage=SEED picks another noise sequence
    bool badChecksum = false; // replies carry a wrong checksum

    // Takes one "NAME" or "NAME=VALUE" as given to --fault. Returns an error
    // text, empty when it was taken.
    std::string set(std::string_view nameValue);
};

} // namespace tarn::sim
