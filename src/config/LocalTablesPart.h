#pragma once

#include "config/SnapshotPart.h"

namespace tarn {

// What the console keeps of the camera in "Dome.dat": the sectors' pan
// limits, enables and ID texts, the privacy zones and the tours, as "Tours
// and Sectors Setup" shows them. Read from the file, not the camera; a
// configuration holds it so that a comparison shows it, and writing leaves
// the console's file as it is.
class LocalTablesPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Tours and Sectors Setup (Dome.dat)"; }
    bool isLocal() const override { return true; }
    void startReading(SnapshotContext& context) override { m_path = context.domeFilePath; }
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection&) const override { return std::nullopt; }
    void startWriting(SnapshotContext&, const ConfigSection&) override {}
    void finishWriting() override {}

private:
    std::string m_path;
};

} // namespace tarn
