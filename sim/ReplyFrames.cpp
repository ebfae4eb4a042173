#include "sim/ReplyFrames.h"

#include "sim/CameraState.h"
#include "sim/Checksum.h"
#include "sim/TextFields.h"
#include "sim/WireBytes.h"

#include <span>

namespace tarn::sim::ReplyFrames {

Answer acknowledgement()
{
    return {Answer::Kind::Ack, {Wire::Ack}, 0};
}

Answer tarn(const CameraState& state, std::string_view text)
{
    Answer answer{Answer::Kind::Reply, {}, 0};
    Bytes& bytes = answer.bytes;
    bytes.push_back(state.stxReplies ? Wire::Stx : Wire::Start);
    const int address = state.identity.address;
    if (address >= 1 && address <= Wire::HighestShortAddress) {
        bytes.push_back(static_cast<std::uint8_t>(address));
    } else {
        bytes.push_back(Wire::ExtendedAddress);
        const std::string digits = TextFields::decimal(address, state.addressDigits());
        bytes.insert(bytes.end(), digits.begin(), digits.end());
    }
    bytes.insert(bytes.end(), text.begin(), text.end());
    answer.checksumIndex = bytes.size();
    bytes.push_back(tarnChecksum(std::span(bytes).subspan(1)));
    if (state.stxReplies)
        bytes.push_back(Wire::Etx);
    return answer;
}

Answer passThrough(Bytes frameWithoutChecksum)
{
    Answer answer{Answer::Kind::Reply, std::move(frameWithoutChecksum), 0};
    answer.checksumIndex = answer.bytes.size();
    answer.bytes.push_back(passThroughChecksum(std::span(answer.bytes).subspan(1)));
    return answer;
}

} // namespace tarn::sim::ReplyFrames
