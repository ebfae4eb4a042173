#include "link/ComPortMap.h"

#include "core/ProfileStore.h"

namespace tarn {

std::string ComPortMap::keyFor(int port)
{
    return "COM" + std::to_string(port);
}

ComPortMap::ComPortMap(ProfileStore& profile)
    : m_profile(profile)
{
}

void ComPortMap::writeDefaults()
{
    for (int port = FirstWrittenPort; port <= LastWrittenPort; ++port) {
        if (!m_profile.readString(PortsSection, keyFor(port)))
            m_profile.writeString(PortsSection, keyFor(port), defaultDevicePath(port));
    }
}

void ComPortMap::overridePort(int port, std::string path)
{
    m_override = std::make_pair(port, std::move(path));
}

std::string ComPortMap::devicePath(int port) const
{
    if (m_override && m_override->first == port)
        return m_override->second;
    if (auto stored = m_profile.readString(PortsSection, keyFor(port)); stored && !stored->empty())
        return *stored;
    return defaultDevicePath(port);
}

std::string ComPortMap::defaultDevicePath(int port)
{
    if (port < 1 || port > HighestPort)
        return {};
    if (port <= 4)
        return "/dev/ttyS" + std::to_string(port - 1);
    if (port <= 12)
        return "/dev/ttyUSB" + std::to_string(port - 5);
    if (port <= 20)
        return "/dev/ttyACM" + std::to_string(port - 13);
    return "/dev/ttyUSB" + std::to_string(port - 13);
}

} // namespace tarn
