#pragma once

#include "config/SnapshotPart.h"
#include "config/StepList.h"
#include "programming/ToursSectorsSetup.h"

#include <memory>

namespace tarn {

// "Tours and Sectors Setup" in a configuration: what the camera reports of
// its 16 sectors (enable, ID text), its 8 privacy zones (enable) and its 8
// tours (the steps' presets and dwells), read and written one at a time
// through the dialog's own choices, as an operator would go through them.
// The pan limits are taken where the camera points when they are set, so
// they are not in it ("Dome.dat" keeps the console's copy).
class ToursSectorsPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Tours and Sectors Setup"; }
    bool appliesTo(const SnapshotContext& context) const override;
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    bool nextStep() override { return m_steps.runNext(); }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override;

    // "3/10 5/20 -/-": each step's preset and dwell up to the last one in
    // use, '-' for an empty cell.
    static std::string tourText(const TourGrid& grid);

private:
    void open(SnapshotContext& context);

    std::unique_ptr<ToursSectorsSetup> m_setup;
    Timers* m_timers = nullptr;
    StepList m_steps;
    ConfigSection m_read;
};

} // namespace tarn
