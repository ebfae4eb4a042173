#include "link/SerialPort.h"

#include "core/Messages.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr int Com = 17; // above 16, where a byte-wide port field would break
constexpr auto Patience = 3s; // only reached when something is broken

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

Bytes range(int from, int to)
{
    Bytes bytes;
    for (int value = from; value <= to; ++value)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

// The camera's end of the line: a pty master read and written directly. On
// Linux tcgetattr() on the master reports the settings of the slave.
class PtyMaster {
public:
    PtyMaster() : m_fd(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        char name[128] = {};
        if (m_fd < 0 || ::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0
            || ::ptsname_r(m_fd, name, sizeof name) != 0)
            return;
        m_slavePath = name;
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    }
    ~PtyMaster() { close(); }
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;

    bool ok() const { return m_fd >= 0 && !m_slavePath.empty(); }
    const std::string& slavePath() const { return m_slavePath; }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    bool send(const Bytes& bytes)
    {
        const auto deadline = Clock::now() + Patience;
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<std::size_t>(n);
            else if (!waitFor(POLLOUT, msLeft(deadline)))
                return false;
        }
        return true;
    }
    // In packet mode the master also learns when the slave flushes its input.
    // Switching it on forgets flushes that happened before.
    void usePacketMode(bool on)
    {
        int flag = on ? 1 : 0;
        ASSERT_EQ(0, ::ioctl(m_fd, TIOCPKT, &flag));
        m_packets = on;
    }
    // Reads `count` bytes and, if asked, until the slave has flushed its input.
    Bytes receive(std::size_t count, bool andInputFlush = false)
    {
        const auto deadline = Clock::now() + Patience;
        Bytes bytes;
        bool flushed = false;
        while ((bytes.size() < count || (andInputFlush && !flushed))
               && waitFor(POLLIN, msLeft(deadline))) {
            std::uint8_t chunk[1024];
            const ssize_t n = ::read(m_fd, chunk, m_packets ? sizeof chunk : std::min(sizeof chunk, count - bytes.size()));
            if (n <= 0 && errno != EAGAIN)
                break;
            const std::size_t header = m_packets ? 1 : 0;
            if (n > 0 && m_packets && chunk[0] != TIOCPKT_DATA)
                flushed = flushed || (chunk[0] & TIOCPKT_FLUSHREAD);
            else if (n > 0)
                bytes.insert(bytes.end(), chunk + header, chunk + n);
        }
        return bytes;
    }
    bool waitFor(short events, int timeoutMs) const
    {
        pollfd fd{m_fd, events, 0};
        return ::poll(&fd, 1, timeoutMs) == 1 && (fd.revents & events) != 0;
    }
    termios lineSettings() const
    {
        termios tio{};
        EXPECT_EQ(0, ::tcgetattr(m_fd, &tio));
        return tio;
    }
    void setLineSettings(const termios& tio) { ASSERT_EQ(0, ::tcsetattr(m_fd, TCSANOW, &tio)); }

private:
    int m_fd;
    bool m_packets = false;
    std::string m_slavePath;
};

struct Delivery {
    std::uint8_t byte;
    int port;
    bool operator==(const Delivery&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Delivery& d)
    {
        return out << std::hex << int(d.byte) << '@' << std::dec << d.port;
    }
};

class RecordingOwner final : public SerialPortOwner {
public:
    void serialByteReceived(std::uint8_t byte, int port) override { received.push_back({byte, port}); }
    void serialPortLost(int port, const std::string& call, int error) override
    {
        lost.push_back(call + " " + std::to_string(error) + " @" + std::to_string(port));
    }
    std::vector<Delivery> received;
    std::vector<std::string> lost;
};

std::vector<Delivery> fromCom(const Bytes& bytes)
{
    std::vector<Delivery> deliveries;
    for (const std::uint8_t byte : bytes)
        deliveries.push_back({byte, Com});
    return deliveries;
}

// Can hold the worker inside its next post(): it has then read a chunk and
// not yet turned to the write requests, which makes the purges observable.
class GatedPoster final : public MainThreadPoster {
public:
    void post(std::function<void()> work) override
    {
        {
            std::unique_lock lock(m_mutex);
            m_held = m_closed;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_closed; });
            m_held = false;
        }
        m_queue.post(std::move(work));
    }
    void close()
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    bool waitUntilHolding()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, Patience, [this] { return m_held; });
    }
    void open()
    {
        {
            std::lock_guard lock(m_mutex);
            m_closed = false;
        }
        m_changed.notify_all();
    }
    int waitAndRun(std::chrono::milliseconds timeout) { return m_queue.waitAndRun(timeout); }
    int runPending() { return m_queue.runPending(); }

private:
    QueuedPoster m_queue;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false;
    bool m_held = false;
};

double cpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(far.ok());
        devicePath = far.slavePath();
    }

    int openPort(int baud = 9600, int stopBits = 1)
    {
        return port->open(&owner, Com, baud, 'N', 8, stopBits,
                          SerialEvent::CharReceived | SerialEvent::CtsChanged, 64);
    }
    void start(int baud = 9600)
    {
        ASSERT_EQ(1, openPort(baud));
        ASSERT_TRUE(port->startThread());
    }
    // Runs the deliveries on this, the main, thread until enough arrived.
    void pumpUntil(const std::function<bool()>& enough)
    {
        const auto deadline = Clock::now() + Patience;
        while (!enough() && Clock::now() < deadline)
            poster.waitAndRun(std::chrono::milliseconds(msLeft(deadline)));
    }
    void pumpUntilReceived(std::size_t count)
    {
        pumpUntil([&] { return owner.received.size() >= count; });
    }
    void expectBytesBothWays(const Bytes& bytes, PtyMaster& line)
    {
        const std::size_t before = owner.received.size();
        ASSERT_TRUE(line.send(bytes));
        pumpUntilReceived(before + bytes.size());
        EXPECT_EQ(fromCom(bytes), std::vector(owner.received.begin() + before, owner.received.end()));
        port->write(bytes);
        EXPECT_EQ(bytes, line.receive(bytes.size()));
    }

    std::unique_ptr<SerialPort> makePort()
    {
        return std::make_unique<SerialPort>(
            poster, prompter, [this](int com) { return com == Com ? devicePath : "/nonexistent"; });
    }

    GatedPoster poster;
    ScriptedPrompter prompter;
    RecordingOwner owner;
    PtyMaster far;
    std::string devicePath;
    std::unique_ptr<SerialPort> port = makePort();
};

TEST_F(SerialPortTest, EveryByteValueCrossesTheLineUnchangedOnceInOrder)
{
    start();
    expectBytesBothWays(range(0x00, 0xFF), far);
    // A duplicate or a late delivery would land before the marker.
    ASSERT_TRUE(far.send({0x5A}));
    pumpUntilReceived(257);
    Bytes expected = range(0x00, 0xFF);
    expected.push_back(0x5A);
    EXPECT_EQ(fromCom(expected), owner.received);
    EXPECT_FALSE(far.waitFor(POLLIN, 0)) << "the port sent more than it was asked to";
}

TEST_F(SerialPortTest, OpenMakesACookedLineRaw)
{
    termios cooked = far.lineSettings();
    cooked.c_iflag |= IXON | IXOFF | IXANY | ISTRIP | ICRNL | INLCR | IGNCR | BRKINT | PARMRK;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ECHO | ECHONL | ICANON | ISIG | IEXTEN;
    cooked.c_cflag = (cooked.c_cflag | CRTSCTS) & ~CLOCAL;
    far.setLineSettings(cooked);

    ASSERT_EQ(1, openPort());
    const termios tio = far.lineSettings();
    EXPECT_EQ(0u, tio.c_iflag & (IXON | IXOFF | IXANY | ISTRIP | ICRNL | INLCR | IGNCR | BRKINT | PARMRK));
    EXPECT_EQ(0u, tio.c_oflag & OPOST);
    EXPECT_EQ(0u, tio.c_lflag & (ECHO | ECHONL | ICANON | ISIG | IEXTEN));
    EXPECT_EQ(CLOCAL | CREAD, tio.c_cflag & (CLOCAL | CREAD | CRTSCTS));
    EXPECT_EQ(1, tio.c_cc[VMIN]);
    EXPECT_EQ(0, tio.c_cc[VTIME]);
}

// Parity and character size cannot be checked here: a pty forces CS8 and no parity.
TEST_F(SerialPortTest, OpenSetsTheAskedSpeedAndStopBits)
{
    const struct {
        int baud;
        speed_t speed;
        int stopBits;
    } cases[] = {{300, B300, 1},       {600, B600, 2},       {1200, B1200, 1},     {2400, B2400, 1},
                 {4800, B4800, 2},     {9600, B9600, 1},     {19200, B19200, 1},   {38400, B38400, 1},
                 {57600, B57600, 1},   {115200, B115200, 2}, {12345, B9600, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        ASSERT_EQ(1, openPort(c.baud, c.stopBits)); // reopens the same device each time
        const termios tio = far.lineSettings();
        EXPECT_EQ(c.speed, cfgetospeed(&tio));
        EXPECT_EQ(c.speed, cfgetispeed(&tio));
        EXPECT_EQ(c.stopBits == 2, (tio.c_cflag & CSTOPB) != 0);
    }
    EXPECT_TRUE(prompter.shown().empty());
}

// The worker is held just after reading byte 0xA1; meanwhile the request is
// queued and the camera sends 0xB1.. that nobody has read. Once let go, the
// worker must purge before writing, so 0xB1.. is never delivered. The master
// in packet mode sees the purge itself, so 0xC1 is sent only after it and
// must arrive right behind 0xA1, also when the request is empty.
TEST_F(SerialPortTest, EveryWriteRequestFirstDropsTheUnreadReplies)
{
    for (const Bytes& request : {Bytes{0x55, 0xAA, 0x01}, Bytes{}}) {
        SCOPED_TRACE(request.size());
        owner.received.clear();
        start();
        far.usePacketMode(true);
        poster.close();
        ASSERT_TRUE(far.send({0xA1}));
        ASSERT_TRUE(poster.waitUntilHolding());
        port->write(request);
        ASSERT_TRUE(far.send({0xB1, 0xB2, 0xB3}));
        poster.open();

        EXPECT_EQ(request, far.receive(request.size(), true));
        ASSERT_TRUE(far.send({0xC1}));
        pumpUntilReceived(2);
        EXPECT_EQ(fromCom({0xA1, 0xC1}), owner.received);
        EXPECT_FALSE(far.waitFor(POLLIN, 0));
        far.usePacketMode(false);
    }
}

// The worker is held inside a delivery while another thread reopens the
// port: the device must stay open until that worker has ended. The window
// only has to be long enough for a wrongly ordered close to show.
TEST_F(SerialPortTest, BackToBackWritesAllGoOutWholeAndInOrder)
{
    // The link frame and the status request follow each other within a few
    // milliseconds; neither may lose its tail to the other.
    start();
    const Bytes linkFrame = {0x7E, 0x01, 0x00, 0x07, 0x44, 0x7E};
    const Bytes status = {0xF8, 0x07, 'L', '?', 0x8C};
    const Bytes probe = {0xF8, 0xFF, 'A', '?', 0x81};
    port->write(linkFrame);
    port->write(status);
    port->write(probe);
    Bytes expected = linkFrame;
    expected.insert(expected.end(), status.begin(), status.end());
    expected.insert(expected.end(), probe.begin(), probe.end());
    EXPECT_EQ(expected, far.receive(expected.size()));
}

TEST_F(SerialPortTest, ReopenAtAnotherSpeedStopsTheWorkerFirstAndCarriesOn)
{
    start(9600);
    expectBytesBothWays({0x01, 0x02}, far);
    poster.close();
    ASSERT_TRUE(far.send({0x21}));
    ASSERT_TRUE(poster.waitUntilHolding());

    std::thread reopening([this] { EXPECT_EQ(1, openPort(115200)); });
    EXPECT_FALSE(far.waitFor(POLLHUP, 200)) << "device closed under a running worker";
    poster.open();
    reopening.join();
    EXPECT_FALSE(port->isThreadAlive());
    pumpUntilReceived(3);
    const termios tio = far.lineSettings();
    EXPECT_EQ(B115200, cfgetospeed(&tio));
    ASSERT_TRUE(port->startThread());
    expectBytesBothWays({0x11, 0x13, 0x0D, 0x0A}, far);
    poster.runPending();
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(SerialPortTest, MissingDeviceFailsQuietlyAndReleasesTheOldOne)
{
    start();
    devicePath = "/nonexistent/ttyX";
    EXPECT_EQ(0, openPort());
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(port->isThreadAlive());
    EXPECT_FALSE(port->startThread());
    port->write(Bytes{0x01});
    EXPECT_TRUE(far.waitFor(POLLHUP, 0)) << "the previous device was not closed";
    poster.runPending();
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(SerialPortTest, ConfigurationFailureIsShownOnTheMainThreadAndOpenGoesOn)
{
    devicePath = "/dev/null";
    EXPECT_EQ(1, openPort());
    EXPECT_TRUE(prompter.shown().empty()) << "shown from outside the main thread's queue";
    poster.runPending();
    ASSERT_EQ(1u, prompter.shown().size());
    EXPECT_EQ(Messages::format(Messages::SerialCallFailed, "tcgetattr()", std::strerror(ENOTTY), Com)
                  + "/dev/null\n",
              prompter.shown()[0].text);
    EXPECT_EQ(Messages::ApplicationErrorTitle, prompter.shown()[0].title);
    EXPECT_EQ(MessageIcon::Error, prompter.shown()[0].icon);
}

// Writes go on being asked for (polls, queued commands) while the device is
// away: none may be tried or reported, and the worker must not spin.
TEST_F(SerialPortTest, LostDeviceIsToldOnceThenTakesNoWritesAndCanBeOpenedAgain)
{
    start();
    far.close();
    pumpUntil([&] { return !owner.lost.empty(); });
    ASSERT_EQ(owner.lost.size(), 1u);
    EXPECT_TRUE(owner.lost[0].ends_with("@17")) << owner.lost[0];
    EXPECT_TRUE(port->isLost());
    EXPECT_FALSE(port->canSend());

    const double cpuBefore = cpuSeconds();
    const auto windowEnd = Clock::now() + 300ms;
    while (Clock::now() < windowEnd) {
        port->write(Bytes{0xF8, 0x01, 'L', '?', 0x8C});
        poster.waitAndRun(20ms);
    }
    EXPECT_LT(cpuSeconds() - cpuBefore, 0.1);
    EXPECT_EQ(owner.lost.size(), 1u);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_FALSE(port->isThreadAlive());

    port->close();
    EXPECT_FALSE(port->isOpen());
    PtyMaster replacement;
    ASSERT_TRUE(replacement.ok());
    devicePath = replacement.slavePath();
    start();
    EXPECT_FALSE(port->isLost());
    expectBytesBothWays({0x7F, 0x03, 0x00}, replacement);
}

TEST_F(SerialPortTest, OpenSaysWhyItFailed)
{
    start();
    auto second = makePort(); // another console on the same device
    EXPECT_EQ(0, second->open(&owner, Com, 9600, 'N', 8, 1, SerialEvent::CharReceived, 64));
    EXPECT_EQ(EBUSY, second->openError());
    EXPECT_EQ(devicePath, second->devicePath());
    EXPECT_EQ(0, second->open(&owner, 3, 9600, 'N', 8, 1, SerialEvent::CharReceived, 64));
    EXPECT_EQ(ENOENT, second->openError());
    EXPECT_EQ("/nonexistent", second->devicePath());
    second.reset();
    expectBytesBothWays({0x01}, far); // the first console keeps its line
    EXPECT_EQ(0, port->openError());
}

// Shutdown must win over a busy line: the 1 s write time-out is not waited
// out, and deliveries still queued afterwards touch only the owner.
TEST_F(SerialPortTest, DestructionEndsTheWorkerPromptlyWhileTheLineIsBusy)
{
    for (const bool writesPending : {false, true}) {
        SCOPED_TRACE(writesPending ? "writes pending" : "bytes arriving");
        port = makePort();
        owner.received.clear();
        start();
        const Bytes incoming = range(0, 255);
        if (writesPending) {
            for (int i = 0; i < 8; ++i)
                port->write(Bytes(16 * 1024, 0x42)); // more than the pty holds; nobody reads
            ASSERT_TRUE(far.waitFor(POLLIN, msLeft(Clock::now() + Patience)));
        } else {
            for (int i = 0; i < 64; ++i) // more than the pty holds: the worker must be reading
                ASSERT_TRUE(far.send(incoming));
        }

        const auto before = Clock::now();
        port.reset();
        EXPECT_LT(Clock::now() - before, 900ms);
        poster.runPending();
        for (std::size_t i = 0; i < owner.received.size(); ++i)
            ASSERT_EQ((Delivery{incoming[i % 256], Com}), owner.received[i]);
    }
}

} // namespace
} // namespace tarn
