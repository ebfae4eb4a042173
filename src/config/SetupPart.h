#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "programming/CameraSetup.h"

#include <memory>

namespace tarn {

// "Setup" in a configuration: what its read-back chain reports (firmware,
// serial number, pan/tilt type, direction, the Javelin options). The
// firmware and the serial number belong to the one camera and are never
// written into another. The camera's protocol, rate and address are how the
// console reaches it: the configuration's header holds them.
class SetupPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Setup"; }
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

    std::unique_ptr<CameraSetup> m_setup;
    Timers* m_timers = nullptr;
    bool m_javelin = false;
    StepList m_steps;
};

} // namespace tarn
