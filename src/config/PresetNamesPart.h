#pragma once

#include "config/SnapshotPart.h"

namespace tarn {

// The preset names the console keeps in its settings, 1 to 64.
class PresetNamesPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Presets"; }
    bool isLocal() const override { return true; }
    void startReading(SnapshotContext& context) override { m_names = context.presetNames; }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection&) const override { return std::nullopt; }
    void startWriting(SnapshotContext&, const ConfigSection&) override {}
    void finishWriting() override {}

private:
    std::vector<std::string> m_names;
};

} // namespace tarn
