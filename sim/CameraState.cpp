#include "sim/CameraState.h"

namespace tarn::sim {

namespace {
constexpr int PhilipsBoschProtocol = 5;
} // namespace

CameraState::CameraState(const Identity& identity)
    : identity(identity)
    , thermal(identity.thermalSensor)
{
}

int CameraState::addressDigits() const
{
    return identity.protocol == PhilipsBoschProtocol ? 5 : 4;
}

std::uint8_t CameraState::lensStatusBits() const
{
    return static_cast<std::uint8_t>((manualIris ? 0x01 : 0) | (cameraPower ? 0x02 : 0)
                                     | (lensFast ? 0x04 : 0) | (autoFocusOnPtz ? 0x08 : 0));
}

void CameraState::advanceTo(TimePoint now)
{
    if (m_lastAdvance && now > *m_lastAdvance) {
        const double seconds = std::chrono::duration<double>(now - *m_lastAdvance).count();
        for (Axis* axis : {&pan, &tilt, &zoom, &focus, &iris})
            axis->advance(seconds);
    }
    if (!m_lastAdvance || now > *m_lastAdvance)
        m_lastAdvance = now;
    sectorTours.advanceTour(*this, now);
}

void CameraState::stopAll()
{
    for (Axis* axis : {&pan, &tilt, &zoom, &focus, &iris})
        axis->stop();
}

} // namespace tarn::sim
