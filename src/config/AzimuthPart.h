#pragma once

#include "control/AzimuthSetup.h"
#include "config/SnapshotPart.h"

#include <memory>

namespace tarn {

// "Azimuth Setup" in a configuration: what "Get Control Setup" reports, the
// automatic responses and their delay. The north direction and the
// read-outs are set by buttons the camera never reports, so they are not in it.
class AzimuthPart final : public SnapshotPart {
public:
    std::string_view name() const override { return "Azimuth Setup"; }
    void startReading(SnapshotContext& context) override;
    void finishReading(ConfigSection& section) override;
    std::optional<std::string> check(const ConfigSection& section) const override;
    void startWriting(SnapshotContext& context, const ConfigSection& section) override;
    void finishWriting() override { m_setup.reset(); }
    std::vector<std::string> reportedOnly() const override { return {"Control Setup"}; }

private:
    std::unique_ptr<AzimuthSetup> m_setup;
};

} // namespace tarn
