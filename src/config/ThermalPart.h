#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "imaging/ThermalControl.h"

#include <memory>

namespace tarn {

// The thermal camera's picture ("Thermal Control") in a configuration: what
// its status reply reports, under the dialog's captions. The region of
// interest is reported only: whether it fits depends on the sensor.
class ThermalPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Thermal Control"; }
    bool appliesTo(const SnapshotContext& context) const override;
    bool isPicture() const override { return true; }
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    bool nextStep() override { return m_steps.runNext(); }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;
    std::vector<std::string> reportedOnly() const override;

private:
    void open(SnapshotContext& context);
    // The controls as the camera has them now, with `section`'s values over them.
    ThermalControls controlsFor(const ConfigSection& section) const;

    std::unique_ptr<ThermalControl> m_thermal;
    Timers* m_timers = nullptr;
    StepList m_steps;
};

} // namespace tarn
