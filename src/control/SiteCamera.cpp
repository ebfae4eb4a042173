#include "control/SiteCamera.h"

#include "control/SiteLink.h"
#include "core/Messages.h"

namespace tarn {

namespace {

// Control characters would break the file's lines, and text that is not
// UTF-8 cannot be shown as it was typed.
bool isPlainText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F)
            return false;
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned int point = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            point = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            point = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            point = c & 0x07u;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u)
                return false;
            point = (point << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and points past U+10FFFF.
        if ((length == 3 && point < 0x800) || (length == 4 && point < 0x10000) || point > 0x10FFFF
            || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace

std::string SiteCamera::label() const
{
    if (name.empty())
        return std::string(Messages::SiteUnnamedEntry);
    return Messages::format(Messages::SiteNamedEntry, name.c_str());
}

std::vector<std::string> SiteCamera::check(std::string_view entry) const
{
    using namespace Messages;
    const std::string who = entry.empty() ? label() : std::string(entry);
    std::vector<std::string> problems;
    const auto outside = [&](const char* key, int value, int lowest, int highest) {
        if (value < lowest || value > highest)
            problems.push_back(format(SiteValueOutside, who.c_str(), key, value, lowest, highest));
    };

    if (name.empty())
        problems.push_back(format(SiteNameMissing, who.c_str()));
    const struct {
        const char* key;
        const std::string& text;
    } texts[] = {{"Name", name}, {"Link", link}, {"Group", group}, {"Note", note}};
    for (const auto& text : texts)
        if (!isPlainText(text.text))
            problems.push_back(format(SiteTextUnreadable, who.c_str(), text.key));
    if (isPlainText(link) && SiteLink::parse(link).kind == SiteLink::Kind::Invalid)
        problems.push_back(format(SiteLinkUnknown, who.c_str(), link.c_str()));

    outside("Protocol", protocolIndex, 0, Protocol::Count - 1);
    outside("Baud index", baudIndex, 0, HighestBaudIndex);
    if (const ProtocolInfo* info = protocolInfo(protocolIndex);
        info && (address < info->entryMin || address > info->entryMax))
        problems.push_back(format(SiteAddressOutside, who.c_str(), address, info->entryMin,
                                  info->entryMax, std::string(info->listText).c_str()));
    outside("ReceiverType", receiverType, 0, HighestReceiverType);
    outside("CameraType", cameraType, 0, HighestCameraType);
    outside("PanTiltType", panTiltType, 0, HighestPanTiltType);
    return problems;
}

} // namespace tarn
