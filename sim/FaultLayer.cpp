#include "sim/FaultLayer.h"

#include "sim/WireBytes.h"

#include <algorithm>
#include <span>

namespace tarn::sim {

FaultLayer::FaultLayer(const Faults& faults)
{
    setFaults(faults);
}

void FaultLayer::setFaults(const Faults& faults)
{
    m_faults = faults;
    m_random.seed(faults.garbageSeed);
}

bool FaultLayer::isNoise(std::uint8_t byte)
{
    switch (byte) {
    case Wire::Start:
    case Wire::PassThrough:
    case Wire::ExtendedAddress:
    case Wire::LinkEdge:
    case Wire::Stx:
    case Wire::Etx:
    case Wire::Ack:
    case Wire::Nak: return false;
    default: return true;
    }
}

Bytes FaultLayer::noise()
{
    std::uniform_int_distribution<std::size_t> length(1, LongestGarbage);
    std::uniform_int_distribution<int> value(0, 255);
    Bytes bytes(length(m_random));
    for (std::uint8_t& byte : bytes) {
        do {
            byte = static_cast<std::uint8_t>(value(m_random));
        } while (!isNoise(byte));
    }
    return bytes;
}

std::vector<TimedWrite> FaultLayer::shape(const Answer& answer)
{
    std::vector<TimedWrite> writes;
    if (m_faults.silent || (m_faults.dropAck && answer.kind == Answer::Kind::Ack))
        return writes;

    Bytes bytes = answer.bytes;
    std::string note;
    if (m_faults.badChecksum && answer.kind == Answer::Kind::Reply) {
        // Still 0x80..0x8F in a Tarn reply, so the console still sees the end.
        bytes[answer.checksumIndex] ^= 0x0F;
        note = "bad checksum";
    }

    const std::chrono::milliseconds start(m_faults.lateMs);
    if (m_faults.split && bytes.size() > 1) {
        const std::size_t pieceSize = (bytes.size() + SplitPieces - 1) / SplitPieces;
        for (std::size_t offset = 0; offset < bytes.size(); offset += pieceSize) {
            const std::span<const std::uint8_t> piece =
                std::span(bytes).subspan(offset, std::min(pieceSize, bytes.size() - offset));
            writes.push_back({start + SplitGap * static_cast<int>(writes.size()),
                              Bytes(piece.begin(), piece.end()), {}, {}});
        }
        note += note.empty() ? "" : ", ";
        note += "split in " + std::to_string(writes.size());
    } else {
        writes.push_back({start, bytes, {}, {}});
    }
    writes.front().logged = bytes;
    writes.front().note = note;

    if (m_faults.garbage) {
        Bytes extra = noise();
        writes.push_back({writes.back().delay, extra, extra, "garbage"});
    }
    return writes;
}

} // namespace tarn::sim
