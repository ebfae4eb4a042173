#include "control/MainControl.h"

#include "app/Messages.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

namespace tarn {

MainControl::MainControl(Platform& platform, Settings settings,
                         std::function<std::string(int port)> devicePathFor)
    : m_platform(platform)
    , m_settings(settings)
    , m_link(platform.timers, platform.prompter, platform.profile, *this)
    , m_serialPort(platform.poster, platform.prompter, std::move(devicePathFor))
    , m_connection(m_link, platform.prompter, platform.profile, m_settings)
    , m_portServer(m_link, platform.prompter, platform.profile, platform.sockets)
    , m_panel(m_link, m_connection, platform.prompter, settings.ptType)
    , m_presets(m_link, platform.profile)
{
    LinkState& state = m_link.state();
    state.linkMode = settings.commPort;
    state.frameMode = settings.mode;
    state.cameraType = settings.rxType;
    state.moduleType = settings.camType;
    state.protocolIndex = settings.commProtocol;
    m_link.setSerialTransport(&m_serialPort);
    m_portServer.setProbeRequest([this] { m_connection.probeAfterConnect(); });
    m_panel.setTourInterrupted([this] { m_presets.tourInterrupted(); });
    for (std::size_t i = 0; i < m_runningTour.presets.size(); ++i)
        m_runningTour.presets[i] = m_settings.tour[i] == 1;
}

MainControl::~MainControl() = default;

void MainControl::initialise()
{
    m_link.queue().queueReady = true;
    m_link.queue().dataReplyDone = true;
    openSerialPort();
    m_portServer.initialise();
    // The address entry knows only the protocols with an address range of
    // their own; the others start as the maker's protocol.
    m_panel.initialise();
    m_link.state().busy = false;
    m_connection.start();
}

void MainControl::openSerialPort()
{
    const int opened = m_serialPort.open(this, m_settings.port, m_settings.baudRate(), 'N', 8, 1,
                                         SerialEvent::CharReceived | SerialEvent::CtsChanged,
                                         SerialWriteBufferSize);
    if (opened == 1) {
        m_serialPort.startThread();
        return;
    }
    // The console runs on without a port: the network link may still be used.
    m_platform.prompter.showMessage(Messages::format(Messages::PortDoesNotExist, m_settings.port),
                                    {}, MessageIcon::Warning);
}

int MainControl::exit()
{
    if (m_exited)
        return 0;
    m_exited = true;
    // While the camera takes its last command nothing else may go out: no
    // poll, no queued command, no step of the search.
    m_panel.stopPolling();
    m_link.stopPump();
    return m_connection.exitCommands();
}

void MainControl::serialByteReceived(std::uint8_t byte, int port)
{
    m_link.serialByteReceived(byte, port);
}

void MainControl::connectionReply(int address)
{
    m_connection.connectionReply();
    if (m_addressChanged)
        m_addressChanged(address);
}

void MainControl::addressLinkFrameRequested()
{
    m_connection.sendAddressLinkFrameSoon();
}

} // namespace tarn
