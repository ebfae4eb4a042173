#include "link/SerialPortList.h"

#include "core/Messages.h"
#include "link/ComPortMap.h"
#include "core/ProfileStore.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>

namespace tarn {

namespace fs = std::filesystem;

namespace {

// sysfs attribute files are short; a longer line is not a name.
constexpr std::size_t LongestAttribute = 64;
// From a tty's "device" link up to the USB device that carries the strings:
// port, interface, device.
constexpr int UsbLevelsUp = 4;

std::string baseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// "ttyUSB12" with prefix "ttyUSB" gives 12; anything else nothing.
std::optional<int> numberAfter(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || name.size() == prefix.size())
        return std::nullopt;
    int number = 0;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc{} || stop != end)
        return std::nullopt;
    return number;
}

// The built-in UART nodes: the kernel makes ttyS0..ttySn whether or not a
// UART answers at those addresses.
bool isBuiltInUart(std::string_view name)
{
    return numberAfter(name, "ttyS").has_value();
}

// The first line of a sysfs attribute, printable characters only.
std::string readAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    std::string text;
    for (const char c : line) {
        if (text.size() == LongestAttribute)
            break;
        if (c >= 0x20 && c <= 0x7E)
            text.push_back(c);
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

struct DeviceName {
    std::string prefix;
    int number;
    std::string path;
    bool operator<(const DeviceName& other) const
    {
        return std::tie(prefix, number) < std::tie(other.prefix, other.number);
    }
};

} // namespace

std::string SerialPortEntry::label() const
{
    std::string text = Messages::format(Messages::PortListEntry, comNumber, device.c_str());
    if (!present) {
        text += "  ";
        text += Messages::PortNotPresent;
    } else if (!description.empty()) {
        text += "  " + description;
    }
    return text;
}

SerialPortList::SerialPortList(ProfileStore& profile, std::function<std::string(int)> devicePathFor,
                               std::string root)
    : m_profile(profile)
    , m_devicePathFor(std::move(devicePathFor))
    , m_root(std::move(root))
{
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
    if (m_root == "/")
        m_root.clear();
    if (!m_root.empty()) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(m_root, error);
        if (!error)
            m_root = canonical.string();
    }
}

std::string SerialPortList::onDisk(const std::string& device) const
{
    return m_root + device;
}

std::string SerialPortList::realDevice(const std::string& device) const
{
    std::error_code error;
    // realpath(): symbolic links are read, the device itself is not opened.
    const std::string real = fs::canonical(onDisk(device), error).string();
    if (error)
        return {};
    if (!m_root.empty()) {
        if (!real.starts_with(m_root + "/"))
            return {};
        return real.substr(m_root.size());
    }
    return real;
}

bool SerialPortList::present(const std::string& device) const
{
    if (device.empty() || device.front() != '/')
        return false;
    std::error_code error;
    if (!fs::exists(onDisk(device), error))
        return false;
    const std::string name = baseName(realDevice(device));
    if (!isBuiltInUart(name))
        return true;
    // sysfs "type" is the UART type; 0 means nothing answered at that address.
    const std::string type = readAttribute(onDisk("/sys/class/tty/" + name + "/type"));
    return !type.empty() && type != "0";
}

std::string SerialPortList::describe(const std::string& device) const
{
    const std::string name = baseName(realDevice(device));
    if (name.empty())
        return {};
    std::error_code error;
    fs::path dir = fs::canonical(onDisk("/sys/class/tty/" + name + "/device"), error);
    if (error)
        return {};
    const std::string sysRoot = m_root + "/sys/";
    for (int level = 0; level < UsbLevelsUp && dir.string().starts_with(sysRoot); ++level) {
        const std::string product = readAttribute(dir / "product");
        if (!product.empty()) {
            const std::string maker = readAttribute(dir / "manufacturer");
            if (maker.empty() || product.starts_with(maker))
                return product;
            return maker + " " + product;
        }
        dir = dir.parent_path();
    }
    return {};
}

bool SerialPortList::comNumberFree(int port) const
{
    return !m_profile.readString(ComPortMap::PortsSection, ComPortMap::keyFor(port)).has_value();
}

std::vector<SerialPortEntry> SerialPortList::list(int configuredPort) const
{
    std::vector<SerialPortEntry> entries;
    std::set<std::string> seen;
    std::set<int> used;
    for (int port = 1; port <= ComPortMap::HighestPort; ++port) {
        const std::string device = m_devicePathFor(port);
        if (device.empty())
            continue;
        // A device the table gives a number that is overridden for this run
        // (--port-device) is not offered again under a new number.
        if (const auto stored = m_profile.readString(ComPortMap::PortsSection, ComPortMap::keyFor(port));
            stored && *stored != device && present(*stored))
            seen.insert(realDevice(*stored));
        if (present(device)) {
            entries.push_back({port, device, describe(device), true, true});
            seen.insert(realDevice(device));
            used.insert(port);
        } else if (port == configuredPort) {
            entries.push_back({port, device, {}, true, false});
            used.insert(port);
        }
    }

    // Devices without a number: the stable by-id names first, so an adapter
    // found both ways is listed under the name that survives a replug.
    std::vector<std::string> candidates;
    std::error_code error;
    std::vector<std::string> byId;
    for (const auto& item : fs::directory_iterator(onDisk("/dev/serial/by-id"), error))
        byId.push_back("/dev/serial/by-id/" + item.path().filename().string());
    std::sort(byId.begin(), byId.end());
    candidates.insert(candidates.end(), byId.begin(), byId.end());

    std::vector<DeviceName> nodes;
    for (const auto& item : fs::directory_iterator(onDisk("/dev"), error)) {
        const std::string name = item.path().filename().string();
        for (const std::string_view prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
            if (const auto number = numberAfter(name, prefix)) {
                nodes.push_back({std::string(prefix), *number, "/dev/" + name});
                break;
            }
        }
    }
    std::sort(nodes.begin(), nodes.end());
    for (const DeviceName& node : nodes)
        candidates.push_back(node.path);

    int nextNumber = 1;
    for (const std::string& device : candidates) {
        if (!present(device))
            continue;
        const std::string real = realDevice(device);
        if (!seen.insert(real).second)
            continue;
        while (nextNumber <= ComPortMap::HighestPort
               && (used.contains(nextNumber) || !comNumberFree(nextNumber)))
            ++nextNumber;
        if (nextNumber > ComPortMap::HighestPort)
            break; // every COM number is taken
        entries.push_back({nextNumber, device, describe(device), false, true});
        used.insert(nextNumber);
    }
    return entries;
}

void SerialPortList::assignNumber(const SerialPortEntry& entry)
{
    if (entry.numbered)
        return;
    m_profile.writeString(ComPortMap::PortsSection, ComPortMap::keyFor(entry.comNumber), entry.device);
}

} // namespace tarn
