#pragma once

#include "config/SnapshotPart.h"
#include "control/WashSetup.h"

#include <memory>

namespace tarn {

// "Wash Setup" in a configuration: the wash time, the automatic wash
// frequency and manual wash; the wipe time is only reported.
class WashPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Wash Setup"; }
    bool appliesTo(const SnapshotContext& context) const override;
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override { m_setup.reset(); }
    std::vector<std::string> reportedOnly() const override { return {"Wipe Time"}; }

private:
    std::unique_ptr<WashSetup> m_setup;
};

} // namespace tarn
