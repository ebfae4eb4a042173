#pragma once

#include "config/SnapshotPart.h"
#include "control/WipeSetup.h"

#include <memory>

namespace tarn {

// "Wipe Setup" in a configuration: the run and delay times and the module.
class WipePart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Wipe Setup"; }
    bool appliesTo(const SnapshotContext& context) const override;
    void startReading(SnapshotContext& context) override;
    bool busy() const override;
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override { m_setup.reset(); }

private:
    std::unique_ptr<WipeSetup> m_setup;
};

} // namespace tarn
