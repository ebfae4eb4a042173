#pragma once

namespace tarn {

// A dialog's pump that takes the command queue over while it exists. One pump
// at a time takes entries off the queue: the newest owner, else the main pump.
class QueueOwner {
public:
    // Entries are waiting and the link may take them: send the next one at
    // the owner's own pace.
    virtual void wakePump() = 0;

protected:
    ~QueueOwner() = default;
};

} // namespace tarn
