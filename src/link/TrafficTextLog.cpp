#include "link/TrafficTextLog.h"

#include "core/Messages.h"
#include "link/TrafficDecoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tarn::TrafficTextLog {

namespace {

constexpr std::int64_t MicrosecondsPerSecond = 1000000;

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};

LocalTime localTime(const SessionStart& start, std::int64_t timeUs)
{
    using namespace std::chrono;
    // A capture from a file may hold any numbers: the time is kept within
    // the years 0001..9999 instead of overflowing.
    constexpr std::int64_t Earliest = -62135596800LL * MicrosecondsPerSecond;
    constexpr std::int64_t Latest = 253402300799LL * MicrosecondsPerSecond;
    std::int64_t local = 0;
    if (__builtin_add_overflow(start.unixMicroseconds, timeUs, &local)
        || __builtin_add_overflow(local, std::int64_t{start.utcOffsetSeconds} * MicrosecondsPerSecond, &local))
        local = (timeUs < 0) ? Earliest : Latest;
    local = std::clamp(local, Earliest, Latest);
    const auto instant = sys_time<microseconds>(microseconds(local));
    const auto day = floor<days>(instant);
    const year_month_day date(day);
    const hh_mm_ss<microseconds> clock(instant - day);
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count() / 1000)};
}

} // namespace

std::string isoTime(const SessionStart& start, std::int64_t timeUs)
{
    const LocalTime t = localTime(start, timeUs);
    const int offsetMinutes = start.utcOffsetSeconds / 60;
    const int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond, offsetMinutes < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return text;
}

std::string clockTime(const SessionStart& start, std::int64_t timeUs)
{
    const LocalTime t = localTime(start, timeUs);
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", t.hour, t.minute, t.second, t.millisecond);
    return text;
}

std::string addressText(const TrafficEntry& entry)
{
    switch (entry.addressForm) {
    case AddressForm::None: return {};
    case AddressForm::Broadcast: return std::string(Messages::TrafficBroadcast);
    case AddressForm::Extended:
        if (entry.address < 0)
            return std::string(Messages::TrafficExtendedUnread);
        return Messages::format(Messages::TrafficExtendedAddress, entry.addressDigits(), entry.address);
    case AddressForm::Short:
    case AddressForm::Word: return std::to_string(entry.address);
    }
    return {};
}

std::string roundTripText(std::int64_t roundTripUs)
{
    if (roundTripUs < 0)
        return {};
    // Tenths of a millisecond, rounded.
    const std::int64_t tenths = roundTripUs / 100 + (roundTripUs % 100 >= 50 ? 1 : 0);
    return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10);
}

std::string escapedNote(std::string_view note)
{
    std::string text;
    text.reserve(note.size());
    for (const char c : note) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 || byte == 0x7F || byte == '\\')
            text += TrafficDecoder::escaped(std::span(&byte, 1));
        else
            text += c;
    }
    return text;
}

std::string header(std::uint64_t earlierEntries)
{
    std::string text;
    text += Messages::TrafficLogFirstLine;
    text += '\n';
    text += Messages::TrafficLogColumns;
    text += '\n';
    if (earlierEntries > 0) {
        text += Messages::format(Messages::TrafficLogEarlier, static_cast<unsigned long long>(earlierEntries));
        text += '\n';
    }
    return text;
}

std::string line(const TrafficEntry& entry, const SessionStart& start)
{
    std::string text = isoTime(start, entry.timeUs);
    const auto column = [&text](std::string_view value) {
        text += '\t';
        text += value;
    };
    column(Messages::wordFor(Messages::TrafficDirections, entry.direction, "?"));
    column(addressText(entry));
    column(entry.text);
    column(TrafficDecoder::hex(entry.bytes));
    column(Messages::wordFor(Messages::TrafficVerdicts, entry.verdict, "?"));
    column(Messages::wordFor(Messages::TrafficKinds, entry.kind, "?"));
    column(Messages::wordFor(Messages::TrafficTransports, entry.transport, "?"));
    column(Messages::wordFor(Messages::TrafficDestinations, entry.routedTo, "?"));
    column(roundTripText(entry.roundTripUs));
    column(escapedNote(entry.note));
    text += '\n';
    return text;
}

std::string whole(const TrafficRecord& record)
{
    std::string text = header(record.firstSequence());
    for (std::size_t i = 0; i < record.size(); ++i)
        text += line(record.at(i), record.sessionStart());
    return text;
}

} // namespace tarn::TrafficTextLog
