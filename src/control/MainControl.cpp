#include "control/MainControl.h"

#include "core/Messages.h"
#include "platform/Platform.h"
#include "core/ProfileStore.h"
#include "platform/Prompter.h"

#include <string>

namespace tarn {

MainControl::MainControl(Platform& platform, Settings settings,
                         std::function<std::string(int port)> devicePathFor)
    : m_platform(platform)
    , m_settings(settings)
    , m_traffic(m_trafficClock, SessionStart::now())
    , m_link(platform.timers, platform.prompter, platform.profile, *this)
    , m_serialPort(platform.poster, platform.prompter, devicePathFor)
    , m_portList(platform.profile, std::move(devicePathFor))
    , m_portWatch(m_serialPort, *this, platform.timers, platform.prompter)
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
    state.videoType = settings.videoType;
    m_link.setSerialTransport(&m_serialPort);
    // Recorded from the first event on: the port's opening.
    m_link.setTrafficObserver(&m_traffic);
    m_portWatch.setTrafficObserver(&m_traffic);
    m_portServer.setTrafficObserver(&m_traffic);
    m_portServer.setProbeRequest([this] { m_connection.probeAfterConnect(); });
    m_panel.setTourInterrupted([this] { m_presets.tourInterrupted(); });
    m_portWatch.setChanged([this] { linkChanged(true); });
    m_portServer.setLinkModeChanged([this] { linkChanged(false); });
    m_portServer.setStatusChanged([this](std::string_view text) {
        m_networkStatus = text;
        if (m_link.state().linkMode == 1 && !text.empty())
            m_link.monitor().showLinkState(text);
        updateLinkStatus();
        if (m_link.state().linkMode == 1 && !m_link.state().networkConnected)
            linkLost();
    });
    for (std::size_t i = 0; i < m_runningTour.presets.size(); ++i)
        m_runningTour.presets[i] = m_settings.tour[i] == 1;
}

MainControl::~MainControl() = default;

Prompter& MainControl::prompter()
{
    return m_platform.prompter;
}

Timers& MainControl::timers()
{
    return m_platform.timers;
}

PadSetup MainControl::padSetup() const
{
    return {m_settings.ptType, m_settings.panSpeed, m_settings.tiltSpeed, m_settings.ptImage};
}

void MainControl::initialise()
{
    if (!m_settings.repairs.empty()) {
        // Said once, before anything they would have spoilt.
        std::string lines;
        for (const std::string& repair : m_settings.repairs)
            lines += (lines.empty() ? "" : "\n") + repair;
        m_platform.prompter.showMessage(Messages::format(Messages::SettingsRepaired, lines.c_str()),
                                        Messages::SettingsErrorTitle, MessageIcon::Warning);
    }
    m_link.queue().queueReady = true;
    m_link.queue().dataReplyDone = true;
    openSerialPort(true);
    m_portServer.initialise();
    // The address entry knows only the protocols with an address range of
    // their own; the others start as the maker's protocol.
    m_panel.initialise();
    m_link.state().busy = false;
    m_connection.start();
}

void MainControl::initialiseWithoutSearch()
{
    m_link.queue().queueReady = true;
    m_link.queue().dataReplyDone = true;
    m_link.state().busy = false;
}

bool MainControl::reopenSerialPort()
{
    return openSerialPort(false);
}

bool MainControl::useSerialLine(int port, int baudIndex)
{
    if (port == m_settings.port && baudIndex == m_settings.baud && m_serialPort.isOpen())
        return true;
    m_settings.port = port;
    m_settings.baud = baudIndex;
    return openSerialPort(false);
}

bool MainControl::openSerialPort(bool atStart)
{
    SerialPortWatch::LineSettings line;
    line.port = m_settings.port;
    line.baud = m_settings.baudRate();
    line.eventMask = SerialEvent::CharReceived | SerialEvent::CtsChanged;
    line.writeBufferSize = SerialWriteBufferSize;
    // A port that is not there is told once and then waited for.
    return m_portWatch.open(line, atStart);
}

void MainControl::serialPortLost(int, const std::string& call, int error)
{
    m_portWatch.portLost(call, error);
}

void MainControl::linkChanged(bool showReconnected)
{
    if (m_link.state().linkMode == 0 && (m_portWatch.isAway() || (showReconnected && m_portWatch.reconnected())))
        m_link.monitor().showLinkState(m_portWatch.statusText());
    updateLinkPause();
    updateLinkStatus();
}

void MainControl::updateLinkPause()
{
    // Only the serial port comes back by itself; a dropped port server is
    // connected again by the user, and the queue then goes on.
    const bool paused = m_link.state().linkMode == 0 && m_portWatch.isAway();
    if (paused == m_linkPaused)
        return;
    m_linkPaused = paused;
    m_link.setQueuePaused(paused);
    m_panel.setPollingPaused(paused);
    m_connection.setPaused(paused);
    if (paused)
        linkLost();
}

void MainControl::linkLost()
{
    if (m_linkLost)
        m_linkLost();
}

void MainControl::updateLinkStatus()
{
    m_linkStatus = m_link.state().linkMode == 1 ? m_networkStatus : m_portWatch.statusText();
    if (m_linkStatusChanged)
        m_linkStatusChanged();
}

SetupValues MainControl::openingSetup()
{
    m_panel.stopPolling();
    const LinkState& state = m_link.state();
    SetupValues values;
    values.commMode = m_settings.mode;
    values.ptType = m_panel.ptType();
    values.maxPanSpeed = m_settings.panSpeed;
    values.maxTiltSpeed = m_settings.tiltSpeed;
    // The working value: the camera's status replies and Setup keep it.
    values.videoStandard = state.videoType;
    values.cameraProtocol = state.protocolIndex;
    values.cameraType = state.cameraType;
    values.moduleType = state.moduleType;
    values.baudIndex = m_settings.baud;
    values.networkPort = std::to_string(state.portServerPort);
    values.linkMode = state.linkMode;
    values.background = m_settings.ptImage;
    values.portIndex = m_settings.portIndex;
    values.portNumber = m_settings.port;
    return values;
}

std::vector<SerialPortEntry> MainControl::serialPorts() const
{
    return m_portList.list(m_settings.port);
}

void MainControl::acceptSetup(const SetupValues& values, const SerialPortEntry* chosenPort)
{
    ProfileStore& profile = m_platform.profile;
    const auto write = [&profile](std::string_view key, int value) {
        profile.writeInt(SettingsSection::Setup, key, value);
    };
    const auto writeChanged = [&write](std::string_view key, int& current, int value) {
        if (value == current)
            return false;
        current = value;
        write(key, value);
        return true;
    };
    LinkState& state = m_link.state();

    if (chosenPort)
        m_portList.assignNumber(*chosenPort);
    bool portChanged = writeChanged(SettingsKey::PortIndex, m_settings.portIndex, values.portIndex);
    portChanged |= writeChanged(SettingsKey::Port, m_settings.port, values.portNumber);
    portChanged |= writeChanged(SettingsKey::Baud, m_settings.baud, values.baudIndex);
    // The main window's own link radios may have changed it since start-up.
    m_settings.commPort = state.linkMode;
    const bool linkModeChanged = writeChanged(SettingsKey::CommPort, m_settings.commPort, values.linkMode);

    m_settings.mode = values.commMode;
    m_settings.ptImage = values.background;
    m_settings.rxType = values.cameraType;
    m_settings.camType = values.moduleType;
    m_settings.ptType = values.ptType;
    m_settings.panSpeed = m_settings.tiltSpeed = 63;
    write(SettingsKey::Mode, m_settings.mode);
    write(SettingsKey::PtImage, m_settings.ptImage);
    write(SettingsKey::RxType, m_settings.rxType);
    write(SettingsKey::CamType, m_settings.camType);
    write(SettingsKey::PtType, m_settings.ptType);
    write(SettingsKey::PanSpeed, m_settings.panSpeed);
    write(SettingsKey::TiltSpeed, m_settings.tiltSpeed);

    if (portChanged)
        reopenSerialPort();
    // As the link radios do: the socket goes with the network, and the pauses
    // and the link line follow the link now in use.
    if (linkModeChanged) {
        if (m_settings.commPort == 1)
            m_portServer.chooseNetwork();
        else
            m_portServer.chooseSerial();
    }

    state.linkMode = m_settings.commPort;
    state.frameMode = m_settings.mode;
    state.cameraType = m_settings.rxType;
    state.moduleType = m_settings.camType;
    m_panel.setPtType(m_settings.ptType);
    if (state.isMakersCamera()) {
        state.protocolIndex = values.cameraProtocol;
        m_settings.commProtocol = values.cameraProtocol;
        m_settings.videoType = values.videoStandard;
        state.videoType = values.videoStandard;
        write(SettingsKey::CommProtocol, values.cameraProtocol);
        write(SettingsKey::VideoType, values.videoStandard);
    }
    m_panel.applyCameraType();
}

void MainControl::setupClosed()
{
    m_presets.selectFirst();
    m_panel.setupClosed();
    m_connection.requestStatus(StatusAfterSetupMs);
}

int MainControl::exit()
{
    if (m_exited)
        return 0;
    m_exited = true;
    if (m_exitStarting)
        m_exitStarting();
    m_portWatch.stop();
    // While the camera takes its last command nothing else may go out: no
    // poll, no queued command, no step of the search. A lens button or the
    // pad still held is stopped first, or the camera would keep moving.
    m_panel.stopPolling();
    m_link.stopPump();
    m_panel.sendHeldStopsNow();
    const int waitMs = m_connection.exitCommands();
    // The camera's last command stays the last: a dialog still closing, or
    // its pump, sends nothing after it.
    m_link.state().busy = true;
    return waitMs;
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
