#pragma once

#include "config/ConfigSnapshot.h"
#include "config/SnapshotPart.h"
#include "platform/Timers.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// One pass over a camera's configuration, part after part: reading (each
// part opens its dialog's logic, which asks its questions through its own
// pump, and gives its fields when the line has been quiet for a moment) or
// writing (each part programs its section through its dialog's controls).
// A part whose questions all went unanswered is marked "not read", and the
// pass goes on; one that missed answers from a camera that answered before is
// read once more, and kept as "partly read" or "not read" only if it misses
// them again. Cancel closes the open part at once (what it had not sent is
// dropped), so nothing waits longer than the answer already on its way.
class SnapshotPass final : public TimerClient {
public:
    enum class Mode { Read, Write };

    static constexpr int TickMs = 10;
    // Quiet ticks in a row before a part is through: longer than the 5 ms
    // between a read-back chain's answer and its next question.
    static constexpr int QuietTicks = 2;
    // However a part behaves, it closes after this long: every question is
    // bounded by its time-out, so only a part that never stops asking meets
    // it. Tours and Sectors at 300 baud take minutes.
    static constexpr int LongestPartMs = 15 * 60'000;

    // Reading: every part that applies to the camera, or only those named
    // in `only` (a read-back of what was written).
    SnapshotPass(SnapshotContext& context, std::vector<std::unique_ptr<SnapshotPart>> parts,
                 std::optional<std::vector<std::string>> only = std::nullopt);
    // Writing: the parts whose section `source` holds, read, and `chosen`.
    SnapshotPass(SnapshotContext& context, std::vector<std::unique_ptr<SnapshotPart>> parts,
                 const ConfigSnapshot& source, std::vector<std::string> chosen);
    ~SnapshotPass();
    SnapshotPass(const SnapshotPass&) = delete;
    SnapshotPass& operator=(const SnapshotPass&) = delete;

    Mode mode() const { return m_mode; }
    void start();
    void cancel();
    bool running() const { return m_running; }
    bool cancelled() const { return m_cancelled; }

    // Reading: the sections read so far. Writing: one section per part
    // written, its state telling whether the camera answered every command.
    const ConfigSnapshot& result() const { return m_result; }
    // The section being read or written now, for the progress line.
    std::string_view sectionInProgress() const;
    std::size_t partsDone() const { return m_current; }
    std::size_t partCount() const { return m_parts.size(); }

    // Told when a part starts or ends, and when the pass ends.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    void timerFired(int id) override;

private:
    void openNext();
    void closeCurrent();
    bool lineQuiet() const;
    void notify();
    bool takes(const SnapshotPart& part) const;

    SnapshotContext& m_context;
    std::vector<std::unique_ptr<SnapshotPart>> m_parts;
    Mode m_mode = Mode::Read;
    ConfigSnapshot m_source;
    std::vector<std::string> m_chosen;
    bool m_onlyChosen = false;
    ConfigSnapshot m_result;
    std::size_t m_current = 0;
    bool m_open = false;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_rereading = false;
    bool m_cameraAnswered = false;
    int m_quietTicks = 0;
    int m_elapsedMs = 0;
    std::uint64_t m_answersAtStart = 0;
    std::uint64_t m_silencesAtStart = 0;
    std::function<void()> m_changed;
};

} // namespace tarn
