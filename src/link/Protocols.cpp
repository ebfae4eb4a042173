#include "link/Protocols.h"

#include "core/Messages.h"

#include <array>

namespace tarn {

namespace {

constexpr AddressRefusal above(int limit, std::string_view message)
{
    return {limit + 1, INT_MAX, message};
}
constexpr AddressRefusal nothing{};

using namespace Messages;

// Javelin allows 8191 while its message names 999, and Pelco P lets 255 and
// up through as the broadcast address: cameras in the field are set up that
// way, so both stay.
constexpr std::array<ProtocolInfo, Protocol::Count> protocols = {{
    {"Undefined", nothing, nothing, 1, 8191, 4, true},
    {"Tarn", above(8191, AddressRange), above(8191, AddressRange), 1, 8191, 4, false},
    {"Pelco D", above(254, AddressRange254), above(254, AddressRange), 1, 254, 3, false},
    {"Pelco P", {33, 254, AddressRange32Broadcast}, {33, 254, AddressRange}, 0, 32, 2, false},
    {"Javelin", above(8191, AddressRange999), above(8191, AddressRange), 1, 8191, 4, false},
    {"Philips/Bosch", above(16384, AddressRange16384), above(16384, AddressRange16384), 1, 16384,
     5, false},
    {"Vicon", above(255, AddressRange255), above(255, AddressRange255), 1, 255, 3, false},
    {"Ultrak", above(255, AddressRange255), above(255, AddressRange255), 1, 255, 3, false},
    {"AD", above(99, AddressRange99), above(99, AddressRange99), 1, 99, 2, false},
    {"Fast Field Device", nothing, nothing, 1, 8191, 4, true},
    {"D12", nothing, nothing, 1, 8191, 4, true},
}};

} // namespace

const ProtocolInfo* protocolInfo(int index)
{
    if (index < 0 || index >= Protocol::Count)
        return nullptr;
    return &protocols[static_cast<std::size_t>(index)];
}

std::optional<std::string_view> sendCommandRefusal(int protocolIndex, int address)
{
    const ProtocolInfo* info = protocolInfo(protocolIndex);
    if (info && info->sendCommand.refuses(address))
        return info->sendCommand.message;
    return std::nullopt;
}

std::optional<std::string_view> sendCameraCommandRefusal(int protocolIndex, int address)
{
    const ProtocolInfo* info = protocolInfo(protocolIndex);
    if (info && info->sendCameraCommand.refuses(address))
        return info->sendCameraCommand.message;
    return std::nullopt;
}

} // namespace tarn
