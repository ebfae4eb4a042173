#include "programming/DomeFile.h"

#include "platform/LocalFile.h"

namespace tarn::DomeFile {

namespace {

constexpr std::uint8_t ShortLengthLimit = 0xFF;
constexpr std::uint16_t WideLengthLimit = 0xFFFE;
constexpr std::uint16_t LongLengthMark = 0xFFFF;

// Little-endian fields from a span that may end anywhere: once a read runs
// past the end, every later read fails too.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }

    std::uint32_t unsignedField(std::size_t size)
    {
        if (!take(size))
            return 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint32_t>(m_bytes[m_position - size + i]) << (8 * i);
        return value;
    }
    std::int16_t int16() { return static_cast<std::int16_t>(unsignedField(2)); }
    std::int32_t int32() { return static_cast<std::int32_t>(unsignedField(4)); }

    std::string string()
    {
        std::uint32_t length = unsignedField(1);
        if (length == ShortLengthLimit) {
            length = unsignedField(2);
            if (length == LongLengthMark)
                length = unsignedField(4);
            else if (length == WideLengthLimit)
                m_ok = false; // the mark of a wide-character string: not ours
        }
        // The length is checked against what is left before anything is
        // allocated, so an absurd length costs nothing.
        if (!m_ok || !take(length))
            return {};
        return std::string(reinterpret_cast<const char*>(m_bytes.data() + m_position - length), length);
    }

private:
    bool take(std::size_t size)
    {
        if (!m_ok || m_bytes.size() - m_position < size) {
            m_ok = false;
            return false;
        }
        m_position += size;
        return true;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_ok = true;
};

class Writer {
public:
    void field(std::uint32_t value, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void int16(std::int16_t value) { field(static_cast<std::uint16_t>(value), 2); }
    void int32(std::int32_t value) { field(static_cast<std::uint32_t>(value), 4); }

    void string(const std::string& text)
    {
        const std::size_t length = text.size();
        if (length < ShortLengthLimit) {
            field(static_cast<std::uint32_t>(length), 1);
        } else if (length < WideLengthLimit) {
            field(ShortLengthLimit, 1);
            field(static_cast<std::uint32_t>(length), 2);
        } else {
            field(ShortLengthLimit, 1);
            field(LongLengthMark, 2);
            field(static_cast<std::uint32_t>(length), 4);
        }
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }

    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Each record is read whole into a copy and kept only when intact.
template <typename Record, typename ReadFields>
bool readRecord(Reader& reader, Record& record, ReadFields readFields)
{
    Record copy = record;
    readFields(copy);
    if (!reader.ok())
        return false;
    record = std::move(copy);
    return true;
}

} // namespace

Contents parse(std::span<const std::uint8_t> bytes)
{
    Reader reader(bytes);
    const std::int32_t version = reader.int32();
    if (!reader.ok())
        return {LocalTables::withoutFile(), false};
    if (version != Version)
        return {LocalTables{}, false};

    Contents contents{LocalTables::withoutFile(), false};
    LocalTables& tables = contents.tables;
    for (CSector& sector : tables.sectors) {
        if (!readRecord(reader, sector, [&reader](CSector& s) {
                s.leftLimit = reader.int16();
                s.rightLimit = reader.int16();
                s.idText = reader.string();
                s.enabled = reader.int32();
            }))
            return contents;
    }
    for (CPriZone& zone : tables.zones) {
        if (!readRecord(reader, zone, [&reader](CPriZone& z) {
                z.leftLimit = reader.int16();
                z.rightLimit = reader.int16();
                z.enabled = reader.int32();
            }))
            return contents;
    }
    for (CCameraTour& tour : tables.tours) {
        if (!readRecord(reader, tour, [&reader](CCameraTour& t) {
                for (TourStep& step : t.steps) {
                    step.preset = reader.int32();
                    step.dwell = reader.int32();
                }
            }))
            return contents;
    }
    contents.read = true;
    return contents;
}

std::vector<std::uint8_t> serialise(const LocalTables& tables)
{
    Writer writer;
    writer.int32(Version);
    for (const CSector& sector : tables.sectors) {
        writer.int16(sector.leftLimit);
        writer.int16(sector.rightLimit);
        writer.string(sector.idText);
        writer.int32(sector.enabled);
    }
    for (const CPriZone& zone : tables.zones) {
        writer.int16(zone.leftLimit);
        writer.int16(zone.rightLimit);
        writer.int32(zone.enabled);
    }
    for (const CCameraTour& tour : tables.tours) {
        for (const TourStep& step : tour.steps) {
            writer.int32(step.preset);
            writer.int32(step.dwell);
        }
    }
    return writer.take();
}

Contents load(const std::string& path)
{
    const auto bytes = LocalFile::read(path, LargestRead);
    if (!bytes)
        return {LocalTables::withoutFile(), false};
    return parse(*bytes);
}

std::optional<std::string> save(const std::string& path, const LocalTables& tables)
{
    return LocalFile::writeAtomically(path, serialise(tables));
}

} // namespace tarn::DomeFile
