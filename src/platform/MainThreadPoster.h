#pragma once

#include <functional>

namespace tarn {

// Hands work from another thread (the serial worker) to the main thread.
// post() is thread-safe; posted work runs on the main thread in posting order.
class MainThreadPoster {
public:
    virtual ~MainThreadPoster() = default;
    virtual void post(std::function<void()> work) = 0;
};

} // namespace tarn
