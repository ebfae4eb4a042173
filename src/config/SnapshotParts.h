#pragma once

#include "config/SnapshotPart.h"

#include <memory>
#include <vector>

namespace tarn {

// Every part of a camera's configuration, in the order they are read and
// written: the camera's own settings first, what the console keeps last.
std::vector<std::unique_ptr<SnapshotPart>> allSnapshotParts();

} // namespace tarn
