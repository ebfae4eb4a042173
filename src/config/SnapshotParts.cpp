#include "config/SnapshotParts.h"

#include "config/AzimuthPart.h"
#include "config/CameraIdPart.h"
#include "config/DspPart.h"
#include "config/LinePart.h"
#include "config/LocalTablesPart.h"
#include "config/PresetNamesPart.h"
#include "config/ScreenPrivacyPart.h"
#include "config/SetupPart.h"
#include "config/ThermalPart.h"
#include "config/ToursSectorsPart.h"
#include "config/WashPart.h"
#include "config/WipePart.h"

namespace tarn {

std::vector<std::unique_ptr<SnapshotPart>> allSnapshotParts()
{
    std::vector<std::unique_ptr<SnapshotPart>> parts;
    parts.push_back(std::make_unique<SetupPart>());
    parts.push_back(std::make_unique<CameraIdPart>());
    parts.push_back(std::make_unique<ToursSectorsPart>());
    parts.push_back(std::make_unique<DspPart>());
    parts.push_back(std::make_unique<ScreenPrivacyPart>());
    parts.push_back(std::make_unique<ThermalPart>());
    parts.push_back(std::make_unique<WipePart>());
    parts.push_back(std::make_unique<WashPart>());
    parts.push_back(std::make_unique<AzimuthPart>());
    // Last of the camera's: it changes how the console reaches the camera.
    parts.push_back(std::make_unique<LinePart>());
    parts.push_back(std::make_unique<LocalTablesPart>());
    parts.push_back(std::make_unique<PresetNamesPart>());
    return parts;
}

} // namespace tarn
