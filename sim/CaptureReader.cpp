#include "sim/CaptureReader.h"

#include <algorithm>
#include <string_view>

namespace tarn::sim {

namespace {

constexpr std::string_view Magic = "TARNCAP1";
constexpr std::size_t HeaderSize = 28;
// time, round trip, six one-byte fields, the two counts
constexpr std::size_t FixedRecordPart = 26;

// Little-endian reads that stop at the end instead of passing it.
class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool has(std::size_t count) const { return m_bytes.size() >= count; }
    std::size_t left() const { return m_bytes.size(); }

    std::uint64_t number(std::size_t width)
    {
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = value << 8 | m_bytes[i];
        m_bytes = m_bytes.subspan(width);
        return value;
    }

    std::span<const std::uint8_t> take(std::size_t count)
    {
        const auto part = m_bytes.first(count);
        m_bytes = m_bytes.subspan(count);
        return part;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

std::optional<CapturedEntry> readRecord(std::span<const std::uint8_t> body)
{
    Cursor cursor(body);
    if (!cursor.has(FixedRecordPart))
        return std::nullopt;
    CapturedEntry entry;
    entry.timeUs = static_cast<std::int64_t>(cursor.number(8));
    cursor.number(8); // round trip
    entry.direction = static_cast<std::uint8_t>(cursor.number(1));
    cursor.number(1); // link
    entry.kind = static_cast<std::uint8_t>(cursor.number(1));
    entry.verdict = static_cast<std::uint8_t>(cursor.number(1));
    cursor.number(1); // routed to
    entry.flags = static_cast<std::uint8_t>(cursor.number(1));
    const auto byteCount = static_cast<std::size_t>(cursor.number(2));
    if (!cursor.has(byteCount + 2))
        return std::nullopt;
    const auto bytes = cursor.take(byteCount);
    entry.bytes.assign(bytes.begin(), bytes.end());
    const auto noteLength = static_cast<std::size_t>(cursor.number(2));
    if (!cursor.has(noteLength))
        return std::nullopt;
    return entry;
}

} // namespace

std::optional<Capture> readCapture(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < HeaderSize || !std::equal(Magic.begin(), Magic.end(), bytes.begin()))
        return std::nullopt;
    Cursor cursor(bytes.subspan(HeaderSize));
    Capture capture;
    while (cursor.left() > 0) {
        if (!cursor.has(2)) {
            capture.damaged = true;
            break;
        }
        const auto length = static_cast<std::size_t>(cursor.number(2));
        if (!cursor.has(length)) {
            capture.damaged = true;
            break;
        }
        auto entry = readRecord(cursor.take(length));
        if (!entry) {
            capture.damaged = true;
            break;
        }
        capture.entries.push_back(std::move(*entry));
    }
    return capture;
}

} // namespace tarn::sim
