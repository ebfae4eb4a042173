#include "link/TrafficCapture.h"

#include "link/TrafficDecoder.h"

#include <algorithm>
#include <limits>

namespace tarn::TrafficCapture {

namespace {

constexpr std::size_t FixedRecordPart = 26;
constexpr std::size_t LongestRecord = std::numeric_limits<std::uint16_t>::max();

template <typename T>
void put(std::vector<std::uint8_t>& out, T value)
{
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

// Reads little-endian numbers without ever passing the end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t left() const { return m_bytes.size(); }

    template <typename T>
    std::optional<T> take()
    {
        if (m_bytes.size() < sizeof(T))
            return std::nullopt;
        std::make_unsigned_t<T> bits = 0;
        for (std::size_t i = sizeof(T); i-- > 0;)
            bits = static_cast<decltype(bits)>((bits << 8) | m_bytes[i]);
        m_bytes = m_bytes.subspan(sizeof(T));
        return static_cast<T>(bits);
    }

    std::optional<std::span<const std::uint8_t>> take(std::size_t count)
    {
        if (m_bytes.size() < count)
            return std::nullopt;
        const auto part = m_bytes.first(count);
        m_bytes = m_bytes.subspan(count);
        return part;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

template <typename Enum>
bool toEnum(std::uint8_t value, Enum& out, std::size_t count)
{
    if (value >= count)
        return false;
    out = static_cast<Enum>(value);
    return true;
}

std::optional<TrafficEntry> readRecord(std::span<const std::uint8_t> body)
{
    Reader reader(body);
    TrafficEntry entry;
    const auto time = reader.take<std::int64_t>();
    const auto roundTrip = reader.take<std::int64_t>();
    const auto fields = reader.take(6);
    if (!time || !roundTrip || !fields)
        return std::nullopt;
    entry.timeUs = *time;
    entry.roundTripUs = *roundTrip < 0 ? -1 : *roundTrip;
    const auto& f = *fields;
    if (!toEnum(f[0], entry.direction, 3) || !toEnum(f[1], entry.transport, 3)
        || !toEnum(f[2], entry.kind, static_cast<std::size_t>(TrafficKind::Count))
        || !toEnum(f[3], entry.verdict, static_cast<std::size_t>(TrafficVerdict::Count))
        || !toEnum(f[4], entry.routedTo, static_cast<std::size_t>(ReplyDestination::Count)))
        return std::nullopt;
    entry.flags = f[5];
    const auto byteCount = reader.take<std::uint16_t>();
    const auto bytes = byteCount ? reader.take(*byteCount) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    entry.bytes.assign(bytes->begin(), bytes->end());
    const auto noteLength = reader.take<std::uint16_t>();
    const auto note = noteLength ? reader.take(*noteLength) : std::nullopt;
    if (!note)
        return std::nullopt;
    entry.note.assign(note->begin(), note->end());
    TrafficDecoder::decodeInto(entry);
    return entry;
}

} // namespace

std::vector<std::uint8_t> header(const SessionStart& start, std::uint64_t earlierEntries)
{
    std::vector<std::uint8_t> out(Magic.begin(), Magic.end());
    put(out, start.unixMicroseconds);
    put(out, start.utcOffsetSeconds);
    put(out, earlierEntries);
    return out;
}

void appendRecord(std::vector<std::uint8_t>& out, const TrafficEntry& entry)
{
    // Bytes from the line are short; a note that would not fit is cut.
    const std::size_t byteCount = std::min(entry.bytes.size(), LongestRecord - FixedRecordPart);
    const std::size_t noteLength = std::min(entry.note.size(), LongestRecord - FixedRecordPart - byteCount);
    put(out, static_cast<std::uint16_t>(FixedRecordPart + byteCount + noteLength));
    put(out, entry.timeUs);
    put(out, entry.roundTripUs);
    for (const auto value : {static_cast<std::uint8_t>(entry.direction), static_cast<std::uint8_t>(entry.transport),
                             static_cast<std::uint8_t>(entry.kind), static_cast<std::uint8_t>(entry.verdict),
                             static_cast<std::uint8_t>(entry.routedTo), entry.flags})
        out.push_back(value);
    put(out, static_cast<std::uint16_t>(byteCount));
    out.insert(out.end(), entry.bytes.begin(), entry.bytes.begin() + static_cast<std::ptrdiff_t>(byteCount));
    put(out, static_cast<std::uint16_t>(noteLength));
    out.insert(out.end(), entry.note.begin(), entry.note.begin() + static_cast<std::ptrdiff_t>(noteLength));
}

std::vector<std::uint8_t> whole(const TrafficRecord& record)
{
    std::vector<std::uint8_t> out = header(record.sessionStart(), record.firstSequence());
    for (std::size_t i = 0; i < record.size(); ++i)
        appendRecord(out, record.at(i));
    return out;
}

std::optional<Loaded> load(std::span<const std::uint8_t> bytes)
{
    Reader reader(bytes);
    const auto magic = reader.take(Magic.size());
    if (!magic || !std::equal(magic->begin(), magic->end(), Magic.begin()))
        return std::nullopt;
    const auto start = reader.take<std::int64_t>();
    const auto offset = reader.take<std::int32_t>();
    const auto earlier = reader.take<std::uint64_t>();
    if (!start || !offset || !earlier)
        return std::nullopt;

    Loaded loaded;
    loaded.start = {*start, *offset};
    loaded.earlierEntries = *earlier;
    while (reader.left() > 0) {
        const auto length = reader.take<std::uint16_t>();
        const auto body = length && *length >= FixedRecordPart ? reader.take(*length) : std::nullopt;
        std::optional<TrafficEntry> entry = body ? readRecord(*body) : std::nullopt;
        if (!entry) {
            loaded.damaged = true;
            break;
        }
        entry->sequence = loaded.earlierEntries + loaded.entries.size();
        loaded.entries.push_back(std::move(*entry));
    }
    return loaded;
}

} // namespace tarn::TrafficCapture
