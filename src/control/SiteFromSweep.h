#pragma once

#include "control/CommissioningSweep.h"
#include "control/SiteCamera.h"

namespace tarn {

// A dome the sweep found, as a camera of the site list: named "Camera
// ADDRESS", at the link, rate, protocol and address it answered on. The types
// the dome does not tell are taken from `defaults` (the console's settings).
SiteCamera siteCameraFromSweep(const SweepFind& find, const SiteCamera& defaults);

} // namespace tarn
