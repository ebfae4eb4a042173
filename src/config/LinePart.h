#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "programming/CameraSetup.h"

#include <memory>

namespace tarn {

// How the console reaches the camera: its protocol and its rate, as the
// Setup dialog sets them. Nothing is asked for them (the console reached the
// camera with them); they are written last, each only when it differs and
// after its own confirmation, and the console follows the change.
class LinePart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Line"; }
    bool asksCamera() const override { return false; }
    void startReading(SnapshotContext& context) override { m_context = &context; }
    void finishReading(ConfigSection& section) override;
    bool nextStep() override { return m_steps.runNext(); }
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;

private:
    SnapshotContext* m_context = nullptr;
    std::unique_ptr<CameraSetup> m_setup;
    StepList m_steps;
};

} // namespace tarn
