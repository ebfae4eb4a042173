#include "link/TrafficFiles.h"

#include "core/Messages.h"
#include "link/TrafficCapture.h"
#include "link/TrafficTextLog.h"
#include "platform/LocalFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tarn::TrafficFiles {

namespace {
// A long trace is read whole; beyond this it is not a file the console wrote.
constexpr std::size_t LargestCapture = std::size_t{1} << 30;
} // namespace

Saved save(const TrafficRecord& record, const std::string& chosen)
{
    std::string base = chosen;
    for (const std::string_view ending : {".txt", ".tcap"}) {
        if (base.ends_with(ending)) {
            base.resize(base.size() - ending.size());
            break;
        }
    }
    Saved saved{base + ".txt", base + ".tcap", std::nullopt, {}};
    const std::string text = TrafficTextLog::whole(record);
    const auto textBytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (auto failure = LocalFile::writeAtomically(saved.logPath, textBytes)) {
        saved.failure = std::move(failure);
        saved.failedPath = saved.logPath;
        return saved;
    }
    if (auto failure = LocalFile::writeAtomically(saved.capturePath, TrafficCapture::whole(record))) {
        saved.failure = std::move(failure);
        saved.failedPath = saved.capturePath;
    }
    return saved;
}

Opened open(const std::string& path)
{
    Opened opened;
    errno = 0;
    const auto bytes = LocalFile::read(path, LargestCapture);
    if (!bytes) {
        opened.failure = std::system_category().message(errno != 0 ? errno : EIO);
        return opened;
    }
    auto loaded = TrafficCapture::load(*bytes);
    if (!loaded) {
        opened.failure = Messages::TrafficNotACapture;
        return opened;
    }
    opened.damaged = loaded->damaged;
    opened.entriesRead = loaded->entries.size();
    opened.record = std::make_unique<TrafficRecord>(
        loaded->start, loaded->earlierEntries, std::max(TrafficRecord::DefaultCapacity, loaded->entries.size()));
    for (TrafficEntry& entry : loaded->entries)
        opened.record->add(std::move(entry));
    return opened;
}

std::string suggestedName(const SessionStart& start)
{
    // "2024-05-01T14:00:00.000+02:00" -> "traffic-20240501-140000.txt"
    const std::string iso = TrafficTextLog::isoTime(start, 0);
    std::string name = "traffic-";
    for (std::size_t i = 0; i < 19; ++i) {
        const char c = iso[i];
        if (c >= '0' && c <= '9')
            name += c;
        else if (c == 'T')
            name += '-';
    }
    return name + ".txt";
}

} // namespace tarn::TrafficFiles
