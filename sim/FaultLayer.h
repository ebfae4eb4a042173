#pragma once

#include "sim/Answer.h"
#include "sim/Bytes.h"
#include "sim/Faults.h"

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace tarn::sim {

// One write to the line, some time after the command arrived.
struct TimedWrite {
    std::chrono::milliseconds delay{0};
    Bytes bytes;
    // What the traffic log shows for this write: the whole answer on its first
    // piece, nothing on the pieces after it.
    Bytes logged;
    std::string note;
};

// Turns the camera's answers into the writes that go on the line, spoiling
// them as the configured faults say. Settable at any time, also from tests.
class FaultLayer {
public:
    static constexpr std::chrono::milliseconds SplitGap{4};
    static constexpr std::size_t SplitPieces = 4;
    static constexpr std::size_t LongestGarbage = 8;

    explicit FaultLayer(const Faults& faults = {});

    void setFaults(const Faults& faults);
    const Faults& faults() const { return m_faults; }

    std::vector<TimedWrite> shape(const Answer& answer);

    // Noise never holds a byte that starts or ends a frame, nor the
    // acknowledgement: it must stay noise to the console's assemblers.
    static bool isNoise(std::uint8_t byte);

private:
    Bytes noise();

    Faults m_faults;
    std::minstd_rand m_random;
};

} // namespace tarn::sim
