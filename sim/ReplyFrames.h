#pragma once

#include "sim/Answer.h"

#include <string_view>

namespace tarn::sim {

class CameraState;

// The frames the camera answers with.
namespace ReplyFrames {

// The single byte 06.
Answer acknowledgement();
// F8, the camera's own address byte (or FE and its digits), the text and the
// checksum; in STX form 02, address, text, checksum, 03.
Answer tarn(const CameraState& state, std::string_view text);
// A Javelin frame: the given bytes from FF on, and the checksum that makes
// bytes 1..LEN+1 sum to zero. LEN (byte 1) must already be right.
Answer passThrough(Bytes frameWithoutChecksum);

} // namespace ReplyFrames
} // namespace tarn::sim
