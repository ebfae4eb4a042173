#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "imaging/AlderHdDsp.h"

#include <memory>

namespace tarn {

// The day/night camera's picture ("AlderHD DSP Camera Control") in a
// configuration: every setting its status reply and its focus registers
// report, under the dialog's captions, each list setting by its entry.
class DspPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "AlderHD DSP Camera Control"; }
    bool appliesTo(const SnapshotContext& context) const override;
    bool isPicture() const override { return true; }
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    bool nextStep() override { return m_steps.runNext(); }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;
    // The dialog holds the minimum focus distance at 3 m itself whenever it
    // opens, so the camera's value is reported and never written.
    std::vector<std::string> reportedOnly() const override { return {"Min. Focus Distance"}; }

private:
    void open(SnapshotContext& context);

    std::unique_ptr<AlderHdDsp> m_dsp;
    Timers* m_timers = nullptr;
    StepList m_steps;
};

} // namespace tarn
