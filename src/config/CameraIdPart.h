#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "programming/CameraId.h"

#include <memory>

namespace tarn {

// "Program Camera ID" in a configuration: what its read-back reports (the
// ID switches and display mode, ID lines 1 and 2, the alarm presets).
class CameraIdPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Program Camera ID"; }
    bool appliesTo(const SnapshotContext& context) const override;
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    bool nextStep() override { return m_steps.runNext(); }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;
    std::vector<std::string> reportedOnly() const override;
    std::string reportedValue(std::string_view field, const std::string& value) const override;

private:
    void open(SnapshotContext& context);
    void addSwitch(bool on, bool (*current)(const CameraIdValues&), void (CameraId::*toggle)());

    std::unique_ptr<CameraId> m_id;
    Timers* m_timers = nullptr;
    StepList m_steps;
};

} // namespace tarn
