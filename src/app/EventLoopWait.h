#pragma once

#include <functional>

namespace tarn {

// Runs the event loop of a run without a window until `done` holds or `ms`
// have passed, sleeping between events. Needs a QCoreApplication.
bool runEventsUntil(const std::function<bool()>& done, int ms);

} // namespace tarn
