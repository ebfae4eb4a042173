#pragma once

#include "config/SnapshotHeader.h"
#include "config/SnapshotPart.h"

#include <string>

namespace tarn {

class MainControl;

// The camera the console drives now, as a configuration job sees it.
namespace ConfigTarget {

// Its types and what the console keeps of it; `domeFilePath` is where this
// console keeps "Dome.dat".
SnapshotContext context(MainControl& control, std::string domeFilePath);
// Its header: `link` as the user knows it (a device, a port server), `date`
// in local time.
SnapshotHeader header(const MainControl& control, std::string link, std::string date);

} // namespace ConfigTarget
} // namespace tarn
