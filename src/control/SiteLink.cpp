#include "control/SiteLink.h"

#include "link/ComPortMap.h"

#include <charconv>

namespace tarn {

namespace {

// A whole decimal number within [lowest, highest], nothing before or after.
bool readNumber(std::string_view text, int lowest, int highest, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && value >= lowest
        && value <= highest;
}

bool readIpv4(std::string_view host, std::array<std::uint8_t, 4>& address)
{
    if (host == "localhost")
        host = "127.0.0.1";
    for (std::size_t i = 0; i < address.size(); ++i) {
        const std::size_t dot = i + 1 < address.size() ? host.find('.') : host.size();
        if (dot == std::string_view::npos || dot > 3)
            return false;
        int octet = 0;
        if (!readNumber(host.substr(0, dot), 0, 255, octet))
            return false;
        address[i] = static_cast<std::uint8_t>(octet);
        host.remove_prefix(dot == host.size() ? dot : dot + 1);
    }
    return true;
}

} // namespace

SiteLink SiteLink::parse(std::string_view text)
{
    SiteLink link;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (text.size() > 3 && upper(text[0]) == 'C' && upper(text[1]) == 'O' && upper(text[2]) == 'M') {
        int number = 0;
        if (readNumber(text.substr(3), 1, ComPortMap::HighestPort, number)) {
            link.kind = Kind::ComPort;
            link.comNumber = number;
        }
        return link;
    }
    if (text.starts_with('/')) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return link;
        link.device = std::string(text);
        link.kind = Kind::Device;
        return link;
    }
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return link;
    std::array<std::uint8_t, 4> address{};
    int port = 0;
    if (readIpv4(text.substr(0, colon), address) && readNumber(text.substr(colon + 1), 1, 65535, port)) {
        link.kind = Kind::PortServer;
        link.address = address;
        link.port = port;
    }
    return link;
}

} // namespace tarn
