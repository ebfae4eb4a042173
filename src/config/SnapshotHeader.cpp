#include "config/SnapshotHeader.h"

#include "core/CameraTypes.h"
#include "core/Version.h"
#include "programming/CameraSetup.h"

namespace tarn {
namespace {

template <typename List>
std::string entry(const List& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return std::to_string(index);
    return std::string(list[static_cast<std::size_t>(index)]);
}

} // namespace

void SnapshotHeader::fill(ConfigSnapshot& snapshot) const
{
    snapshot.setHeader("Format", std::to_string(ConfigSnapshot::FormatVersion));
    snapshot.setHeader("Date", date);
    snapshot.setHeader("Console", std::string("Tarn Console ") + ProgramVersion);
    snapshot.setHeader("Link", link);
    snapshot.setHeader(SnapshotHeaderField::Address, std::to_string(address));
    snapshot.setHeader("Protocol", entry(SetupLists::CameraProtocols, protocolIndex));
    snapshot.setHeader("Baud", std::to_string(baudRate));
    // The empty entry is a receiver of another make.
    const std::string camera = entry(CameraType::Names, receiverType);
    snapshot.setHeader(SnapshotHeaderField::CameraType, camera.empty() ? "other make" : camera);
    const bool noModule = moduleType < 0 || moduleType >= static_cast<int>(ModuleType::Names.size());
    snapshot.setHeader(SnapshotHeaderField::ModuleType, noModule ? "none" : entry(ModuleType::Names, moduleType));
    if (const ConfigSection* setup = snapshot.section("Setup")) {
        if (const std::string* firmware = setup->find("Firmware Version"); firmware && !firmware->empty())
            snapshot.setHeader("Firmware Version", *firmware);
    }
}

} // namespace tarn
