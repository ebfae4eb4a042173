#pragma once

namespace tarn {

// The camera's NTCIP mode as the console keeps it across the session: Other
// Maintenance changes it, the exit path gives the camera back its mode.
class NtcipKeeper {
public:
    virtual int ntcipState() const = 0;
    virtual void setNtcipState(int state) = 0;
    // "Clear NVRAM" went out: the exit path tells the camera so.
    virtual void setNvramCleared() = 0;

protected:
    ~NtcipKeeper() = default;
};

} // namespace tarn
