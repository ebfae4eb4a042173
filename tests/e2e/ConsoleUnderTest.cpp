#include "ConsoleUnderTest.h"

#include "MainThreadLoop.h"

#include "platform/TimerIds.h"

namespace tarn::e2e {

namespace {
constexpr int ComPort = 1;
constexpr std::size_t WriteBufferSize = 128;
} // namespace

ConsoleUnderTest::ConsoleUnderTest()
    : m_link(m_timers, m_prompter, m_profile, m_events)
    , m_portServer(m_link, m_prompter, m_profile, m_sockets)
{
    m_link.state().busy = false;
    m_link.state().address = 1;
    m_link.state().linkMode = 0;
}

ConsoleUnderTest::~ConsoleUnderTest()
{
    m_link.setSerialTransport(nullptr);
    m_serial.reset();
}

bool ConsoleUnderTest::openSerial(const std::string& device, int baud)
{
    m_device = device;
    if (!m_serial)
        m_serial = std::make_unique<SerialPort>(m_poster, m_prompter, [this](int) { return m_device; });
    if (m_serial->open(this, ComPort, baud, 'N', 8, 1,
                       SerialEvent::CharReceived | SerialEvent::CtsChanged, WriteBufferSize)
        != 1)
        return false;
    m_link.setSerialTransport(m_serial.get());
    m_link.state().linkMode = 0;
    return m_serial->startThread();
}

bool ConsoleUnderTest::connectPortServer(const std::string& hostPort, bool headerPort)
{
    constexpr int HeaderPort = 1234;
    const std::size_t colon = hostPort.rfind(':');
    if (!hostPort.starts_with("127.0.0.1:") || colon == std::string::npos)
        return false;
    m_portServer.chooseNetwork();
    m_portServer.connect({127, 0, 0, 1}, hostPort.substr(colon + 1));
    if (!runUntil([this] { return m_portServer.controls().disconnect; }))
        return false;
    if (headerPort)
        m_link.state().portServerPort = HeaderPort;
    return true;
}

void ConsoleUnderTest::serialByteReceived(std::uint8_t byte, int port)
{
    m_link.serialByteReceived(byte, port);
}

bool ConsoleUnderTest::runUntil(const std::function<bool()>& done, std::chrono::milliseconds patience)
{
    return runMainThreadUntil(m_timers, m_poster, done, patience);
}

bool ConsoleUnderTest::settled()
{
    const CommandQueue& queue = m_link.queue();
    return queue.empty() && queue.queueReady && queue.dataReplyDone
           && !m_timers.isRunning(m_link, TimerId::ResponseTimeout);
}

int ConsoleUnderTest::responseTimeouts() const
{
    return m_timers.firedCount(TimerId::ResponseTimeout);
}

} // namespace tarn::e2e
