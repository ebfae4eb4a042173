#pragma once

#include "sim/Answer.h"
#include "sim/CameraState.h"
#include "sim/CommandTable.h"
#include "sim/ReceivedFrame.h"
#include "sim/SimClock.h"

#include <optional>
#include <string_view>

namespace tarn::sim {

// The camera's brain: decides whether a frame is meant for it and what it
// answers. Knows nothing about the line or its timing.
class Camera {
public:
    // What became of one frame: the answer, or why there is none (for the log).
    struct Response {
        std::optional<Answer> answer;
        std::string_view note;
    };

    explicit Camera(const CameraState::Identity& identity);
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Why a frame got no answer from a camera it does not name.
    static constexpr std::string_view OtherCamera = "for another camera";

    // The handlers hold on to the state: a camera never moves.
    Response respond(const ReceivedFrame& frame, TimePoint now);
    // The frame names this camera, or every camera (a broadcast, a link frame).
    bool addressedBy(const ReceivedFrame& frame) const;

    CameraState& state() { return m_state; }
    const CameraState& state() const { return m_state; }

private:
    Response respondToTarn(const ReceivedFrame& frame);
    Response respondToLink(const ReceivedFrame& frame);

    CameraState m_state;
    CommandTable m_commands;
};

} // namespace tarn::sim
