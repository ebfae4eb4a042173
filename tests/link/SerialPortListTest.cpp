#include "link/SerialPortList.h"

#include "link/ComPortMap.h"
#include "platform/MemoryProfileStore.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tarn {
namespace {

namespace fs = std::filesystem;

// A /dev and /sys as a technician's laptop has them: a real UART at ttyS0, a
// ttyS1 node without one, an FTDI adapter (also under by-id), a modem-class
// dongle known only by its by-id name and node, and a pty.
class FakeSystem {
public:
    FakeSystem()
    {
        for (const char* node : {"dev/ttyS0", "dev/ttyS1", "dev/ttyUSB0", "dev/ttyACM9", "dev/pts/7"})
            write(node, "");
        link("../../ttyUSB0", "dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
        link("../../ttyACM9", "dev/serial/by-id/usb-Maker_Dongle-if00");
        write("sys/class/tty/ttyS0/type", "4\n");
        write("sys/class/tty/ttyS1/type", "0\n");
        write("sys/devices/usb1/1-1/manufacturer", "FTDI\n");
        write("sys/devices/usb1/1-1/product", "FT232R USB UART\n");
        fs::create_directories(root / "sys/devices/usb1/1-1/1-1:1.0/ttyUSB0");
        link("../../../devices/usb1/1-1/1-1:1.0/ttyUSB0", "sys/class/tty/ttyUSB0/device");
        write("sys/devices/usb1/1-2/manufacturer", "Maker\n");
        write("sys/devices/usb1/1-2/product", "Dongle\n");
        fs::create_directories(root / "sys/devices/usb1/1-2/1-2:1.0");
        link("../../../devices/usb1/1-2/1-2:1.0", "sys/class/tty/ttyACM9/device");
    }

    // The folder first: `root` is its path.
    test::TemporaryFolder folder;
    const fs::path& root = folder.path();

private:
    void write(const std::string& path, const std::string& text)
    {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }
    void link(const std::string& target, const std::string& path)
    {
        fs::create_directories((root / path).parent_path());
        fs::create_symlink(target, root / path);
    }
};

// Names of files opened in the watched folders (opening a folder to list it
// has no name).
class OpenWatch {
public:
    explicit OpenWatch(const std::vector<fs::path>& folders)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        for (const fs::path& folder : folders)
            ::inotify_add_watch(m_fd, folder.c_str(), IN_OPEN);
    }
    ~OpenWatch() { ::close(m_fd); }

    std::vector<std::string> openedFiles() const
    {
        std::vector<std::string> names;
        alignas(inotify_event) std::array<char, 4096> buffer;
        ssize_t length;
        while ((length = ::read(m_fd, buffer.data(), buffer.size())) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                if (event->len > 0)
                    names.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int m_fd;
};

class SerialPortListTest : public ::testing::Test {
protected:
    FakeSystem system;
    MemoryProfileStore profile;
    ComPortMap map{profile};

    SerialPortListTest()
    {
        map.writeDefaults();
        map.overridePort(3, "/dev/pts/7"); // --port-device for COM3
    }
    SerialPortList ports() { return SerialPortList(profile, [this](int port) { return map.devicePath(port); },
                                                   system.root.string()); }
    static std::vector<std::string> labels(const std::vector<SerialPortEntry>& entries)
    {
        std::vector<std::string> texts;
        for (const SerialPortEntry& entry : entries)
            texts.push_back(entry.label());
        return texts;
    }
};

TEST_F(SerialPortListTest, listsPresentDevicesWithoutOpeningAny)
{
    const OpenWatch watch({system.root / "dev", system.root / "dev/pts", system.root / "dev/serial/by-id"});
    const auto entries = ports().list(5);
    EXPECT_EQ(labels(entries), (std::vector<std::string>{
                                   "COM1  /dev/ttyS0",
                                   "COM3  /dev/pts/7",
                                   "COM5  /dev/ttyUSB0  FTDI FT232R USB UART",
                                   "COM21  /dev/serial/by-id/usb-Maker_Dongle-if00  Maker Dongle",
                               }));
    EXPECT_EQ(watch.openedFiles(), std::vector<std::string>{});
    EXPECT_FALSE(entries.back().numbered);
}

TEST_F(SerialPortListTest, deviceOfAnOverriddenComNumberIsNotOfferedUnderANewOne)
{
    profile.writeString("Ports", "COM3", "/dev/ttyACM9");
    EXPECT_EQ(labels(ports().list(5)), (std::vector<std::string>{
                                           "COM1  /dev/ttyS0",
                                           "COM3  /dev/pts/7",
                                           "COM5  /dev/ttyUSB0  FTDI FT232R USB UART",
                                       }));
    // Without --port-device, COM3 is the dongle.
    SerialPortList plain(profile, [this](int port) { return ComPortMap(profile).devicePath(port); },
                         system.root.string());
    EXPECT_EQ(labels(plain.list(5))[1], "COM3  /dev/ttyACM9  Maker Dongle");
}

TEST_F(SerialPortListTest, configuredPortStaysListedWhenItsDeviceIsGone)
{
    const auto entries = ports().list(12);
    const auto texts = labels(entries);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "COM12  /dev/ttyUSB7  (not present)"), texts.end());
}

TEST_F(SerialPortListTest, choosingADeviceWithoutANumberGivesItTheNextFreeOne)
{
    SerialPortList list = ports();
    const auto before = list.list(5);
    list.assignNumber(before.back());
    EXPECT_EQ(profile.readString("Ports", "COM21"), "/dev/serial/by-id/usb-Maker_Dongle-if00");
    const auto after = list.list(5);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(after.back().numbered);
    EXPECT_EQ(after.back().comNumber, 21);

    // A numbered entry writes nothing.
    const int writes = profile.writeCount();
    list.assignNumber(after.front());
    EXPECT_EQ(profile.writeCount(), writes);
}

} // namespace
} // namespace tarn
