#pragma once

#include "sim/Answer.h"

#include <cstdint>
#include <span>

namespace tarn::sim {

class CameraState;

// A Javelin frame meant for this camera, FF 06 07 OP AH AL ARG CK: the
// status request (OP 3) is answered with a status frame, everything else
// (reset, motion, presets, lens toggles) is carried out and acknowledged.
Answer passThroughAnswer(CameraState& state, std::span<const std::uint8_t> frame);

// The status frame: FF LEN 07 03 AH AL motion tour ... status CK, LEN 8 or
// (Birch models) 10; the status byte (frame byte LEN) has bit 3 manual iris,
// bit 4 manual focus, bit 6 camera power.
Answer javelinStatusFrame(const CameraState& state);

} // namespace tarn::sim
