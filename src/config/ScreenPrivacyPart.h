#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "programming/ScreenPrivacy.h"

#include <memory>

namespace tarn {

// "Screen Privacy Zone Setup" in a configuration: each of the eight zones'
// mode and size, and the colours, read and written zone after zone through
// the dialog's own zone choice. Where a zone sits is set by aiming the
// camera, so it is not in it.
class ScreenPrivacyPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Screen Privacy Zone Setup"; }
    bool appliesTo(const SnapshotContext& context) const override;
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    bool nextStep() override { return m_steps.runNext(); }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;

private:
    void open(SnapshotContext& context);
    void keepZone(int zone);

    std::unique_ptr<ScreenPrivacy> m_privacy;
    Timers* m_timers = nullptr;
    StepList m_steps;
    ConfigSection m_read;
};

} // namespace tarn
