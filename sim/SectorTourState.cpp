#include "sim/SectorTourState.h"

#include "sim/CameraState.h"

namespace tarn::sim {

namespace {

bool counts(const TourStep& step)
{
    return step.preset >= 1 && step.preset <= CameraState::PresetCount && step.dwell > 0;
}

// The dome jumps, as it does for a preset recall; an unstored preset leaves
// it where it is for the dwell time.
void goToPreset(CameraState& camera, int preset)
{
    const Preset& stored = camera.presets[static_cast<std::size_t>(preset - 1)];
    if (!stored.stored)
        return;
    camera.stopAll();
    camera.pan.setPosition(stored.pan);
    camera.tilt.setPosition(stored.tilt);
    camera.zoom.setPosition(stored.zoom);
    camera.focus.setPosition(stored.focus);
}

} // namespace

void SectorTourState::startTour(CameraState& camera, int tour, TimePoint now)
{
    camera.runningTour = tour;
    m_tour = tour;
    m_step = -1;
    m_nextStepAt = now;
    advanceTour(camera, now);
}

void SectorTourState::advanceTour(CameraState& camera, TimePoint now)
{
    if (camera.runningTour != m_tour || m_tour < 0 || m_tour >= TourCount) {
        m_tour = -1; // left by hand, or stopped
        return;
    }
    const Tour& tour = tours[static_cast<std::size_t>(m_tour)];
    std::chrono::seconds round{0};
    for (const TourStep& step : tour.steps)
        round += counts(step) ? std::chrono::seconds(step.dwell) : std::chrono::seconds(0);
    if (round.count() == 0)
        return;
    // A long silence on the line: whole rounds end where they began.
    if (now - m_nextStepAt > round)
        m_nextStepAt += round * ((now - m_nextStepAt) / round);
    while (now >= m_nextStepAt) {
        do {
            m_step = (m_step + 1) % Tour::StepCount;
        } while (!counts(tour.steps[static_cast<std::size_t>(m_step)]));
        const TourStep& step = tour.steps[static_cast<std::size_t>(m_step)];
        goToPreset(camera, step.preset);
        m_nextStepAt += std::chrono::seconds(step.dwell);
    }
}

} // namespace tarn::sim
