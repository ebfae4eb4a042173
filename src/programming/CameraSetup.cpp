#include "programming/CameraSetup.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "link/Protocols.h"
#include "platform/Prompter.h"
#include "programming/SetupReply.h"

#include <algorithm>

namespace tarn {

namespace {

// The list index whose camera protocol carries the Javelin options.
constexpr int JavelinProtocol = Protocol::Javelin;
// The receiver list has Javelin at index 3.
constexpr int ReceiverJavelin = 3;

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string withDigit(std::string_view command, int digit)
{
    std::string text(command);
    text.push_back(static_cast<char>('0' + digit));
    return text;
}

} // namespace

CameraSetup::CameraSetup(CameraLink& link, Prompter& prompter, SetupValues values,
                         std::vector<SerialPortEntry> ports)
    : DialogReceiver(link, prompter, ReceiverSlot::Setup)
    , m_deferred(link)
    , m_values(std::move(values))
    , m_ports(std::move(ports))
{
    // Setting up the controls must not program the camera.
    m_deferred.setSuppressed(true);
}

CameraSetup::~CameraSetup()
{
    m_link.timers().stopAll(*this);
}

bool CameraSetup::makersCamera() const
{
    return CameraType::isMakers(m_values.cameraType);
}

void CameraSetup::send(std::string_view command)
{
    m_deferred.send(command);
}

void CameraSetup::open()
{
    if (m_values.background < 0 || m_values.background >= static_cast<int>(SetupLists::Backgrounds.size()))
        m_values.background = 0;

    m_enabling = SetupEnabling{};
    if (makersCamera()) {
        m_enabling.maxSpeeds = false;
        m_enabling.flip = false;
        m_enabling.direction = m_enabling.otherSetup = true;
        m_enabling.cameraProtocol = m_enabling.video = true;
        m_enabling.lensMaintenance = false;
        applyCameraTypeRules();
        m_enabling.firmwareEdit = m_enabling.firmwareGet = true;
        m_enabling.elevationEdit = m_enabling.elevationSet = true;
        setModuleTypeForCamera();
    }

    // The configured port is selected by its COM number: on Linux the list's
    // order changes as adapters come and go, so the remembered position may
    // name another port.
    m_portListIndex = -1;
    for (std::size_t i = 0; i < m_ports.size(); ++i) {
        if (m_ports[i].comNumber == m_values.portNumber) {
            m_portListIndex = static_cast<int>(i);
            break;
        }
    }

    if (m_values.linkMode == 0 || m_values.linkMode == 1) {
        m_enabling.serialControls = m_values.linkMode == 0;
        m_enabling.networkControls = m_values.linkMode == 1;
    }

    m_deferred.setSuppressed(false);
    send("RS");
}

void CameraSetup::applyCameraTypeRules()
{
    if (CameraType::hasJavelinOptions(m_values.cameraType))
        m_enabling.cameraJavelin = true;
    if (CameraType::hasFlip(m_values.cameraType))
        m_enabling.flip = true;
}

void CameraSetup::setModuleTypeForCamera()
{
    m_values.moduleType = ModuleType::of(m_values.cameraType);
}

const SerialPortEntry* CameraSetup::chosenPort() const
{
    if (m_portListIndex < 0 || m_portListIndex >= static_cast<int>(m_ports.size()))
        return nullptr;
    return &m_ports[static_cast<std::size_t>(m_portListIndex)];
}

void CameraSetup::selectPort(int listIndex)
{
    if (listIndex < 0 || listIndex >= static_cast<int>(m_ports.size()))
        return;
    m_portListIndex = listIndex;
    m_values.portIndex = listIndex;
    m_values.portNumber = m_ports[static_cast<std::size_t>(listIndex)].comNumber;
}

void CameraSetup::selectBaud(int index)
{
    if (index >= 0 && index < static_cast<int>(SetupLists::Bauds.size()))
        m_values.baudIndex = index;
}

std::string CameraSetup::baudCommand(int baudIndex, int cameraType)
{
    static constexpr std::array<std::string_view, 7> Rates = {"9600", "4800", "2400", "1200",
                                                              "0600", "0300", "192K"};
    const bool makers = CameraType::isMakers(cameraType);
    const std::size_t rate = baudIndex >= 0 && baudIndex < static_cast<int>(Rates.size())
        ? static_cast<std::size_t>(baudIndex)
        : 0;
    // 19200 has no lower-case form.
    const std::string_view prefix = makers || rate == 6 ? "Bs" : "bs";
    return std::string(prefix) + std::string(Rates[rate]);
}

void CameraSetup::setBaud()
{
    send(baudCommand(m_values.baudIndex, m_values.cameraType));
}

void CameraSetup::choosePanTiltType(int type)
{
    if (type < 0 || type > 2)
        return;
    m_values.ptType = type;
    // A fixed-speed unit has no maximum speeds.
    m_enabling.maxSpeeds = type != 0;
    send(withDigit("s", type));
}

void CameraSetup::setMaxSpeeds(int pan, int tilt)
{
    m_values.maxPanSpeed = std::clamp(pan, 0, 63);
    m_values.maxTiltSpeed = std::clamp(tilt, 0, 63);
}

void CameraSetup::chooseDirection(int index)
{
    if (index < 0 || index >= static_cast<int>(SetupLists::Directions.size()))
        return;
    m_values.ptDirection = index;
    send(withDigit("S", index));
}

void CameraSetup::toggleFlip()
{
    m_values.flip = !m_values.flip;
    send(m_values.flip ? "fE" : "fD");
}

void CameraSetup::chooseVideoStandard(int index)
{
    if (index != 0 && index != 1)
        return;
    m_values.videoStandard = index;
    send(withDigit("cv", index));
}

void CameraSetup::chooseCameraType(int index)
{
    if (index < 0 || index >= static_cast<int>(SetupLists::CameraTypes.size()))
        return;
    m_values.cameraType = index;
    m_enabling.video = false;
    m_enabling.firmwareEdit = m_enabling.cameraProtocol = m_enabling.setBaud = true;
    m_enabling.firmwareGet = m_enabling.elevationEdit = m_enabling.elevationSet = false;
    m_enabling.panTiltType = true;
    if (!makersCamera())
        return;
    m_enabling.maxSpeeds = m_enabling.direction = m_enabling.otherSetup = m_enabling.video = true;
    m_enabling.flip = m_enabling.lensMaintenance = false;
    applyCameraTypeRules();
    m_enabling.firmwareGet = m_enabling.elevationEdit = m_enabling.elevationSet = true;
    setModuleTypeForCamera();
}

void CameraSetup::chooseCameraProtocol(int index)
{
    // The empty last entry stands for "none known": there is nothing to program.
    if (index < 0 || index >= Protocol::Count)
        return;
    if (!m_prompter.askYesNo(Messages::ChangeCameraProtocol, {}, MessageIcon::Error, DefaultButton::Second))
        return; // the list shows the protocol it showed before
    for (const int timer : {AfterPanTiltType, AfterSerialNumber, AfterFirmware, CameraIdQuery})
        m_link.timers().stop(*this, timer);
    m_values.cameraProtocol = index;
    if (index == Protocol::Undefined)
        return;
    // Baud and elevation are the maker's own commands.
    m_enabling.setBaud = m_enabling.elevationSet = index == Protocol::Tarn;
    send(withDigit("cP", index));
    m_enabling.cameraJavelin = index == JavelinProtocol;
    m_enabling.receiverJavelin = m_values.receiverProtocol == ReceiverJavelin;
}

void CameraSetup::getFirmware()
{
    send("RS");
}

void CameraSetup::editElevation(std::string_view text)
{
    m_values.elevation = std::string(text);
}

void CameraSetup::refuse(std::string_view message, Field field)
{
    m_fieldToClear = field;
    if (field == Field::Elevation)
        m_values.elevation.clear();
    else if (field == Field::SerialNumber)
        m_values.serialNumber.clear();
    m_prompter.showMessage(message, {}, MessageIcon::None);
    changed();
}

void CameraSetup::setElevation()
{
    m_fieldToClear = Field::None;
    const std::string& text = m_values.elevation;
    if (text.empty()) {
        refuse(Messages::InvalidElevation, Field::Elevation);
        return;
    }
    // Digits only: "12a" must never go out as "E12a".
    if (text.size() > 5 || !allDigits(text) || std::stoi(text) > HighestElevation) {
        refuse(Messages::InvalidElevation, Field::None);
        return;
    }
    send("E" + text);
}

void CameraSetup::editSerialNumber(std::string_view text)
{
    m_values.serialNumber = std::string(text);
}

void CameraSetup::setSerialNumber()
{
    m_fieldToClear = Field::None;
    const std::string& text = m_values.serialNumber;
    if (text.empty()) {
        refuse(Messages::InvalidSerialNumber, Field::SerialNumber);
        return;
    }
    if (text.size() > SetupReply::SerialNumberLength || !allDigits(text)) {
        refuse(Messages::InvalidSerialNumber, Field::None);
        return;
    }
    send("mS" + std::string(SetupReply::SerialNumberLength - text.size(), '0') + text);
}

void CameraSetup::toggleCameraJavelinContinuous()
{
    m_values.cameraJavelinContinuous = !m_values.cameraJavelinContinuous;
    send(m_values.cameraJavelinContinuous ? "Jc1" : "Jc0");
}

void CameraSetup::toggleCameraJavelinAddress()
{
    m_values.cameraJavelinAddress = !m_values.cameraJavelinAddress;
    send(m_values.cameraJavelinAddress ? "Jb1" : "Jb0");
}

void CameraSetup::enableBootLoader()
{
    if (m_prompter.askYesNo(Messages::EnableBootLoader, {}, MessageIcon::Error, DefaultButton::Second))
        send("cb");
}

void CameraSetup::chooseBackground(int index)
{
    if (index >= 0 && index < static_cast<int>(SetupLists::Backgrounds.size()))
        m_values.background = index;
}

void CameraSetup::startReadBack(int timer)
{
    m_link.timers().start(*this, timer, ReadBackDelayMs);
}

void CameraSetup::replyReceived(std::span<const std::uint8_t> frame)
{
    const SetupReply reply = SetupReply::parse(frame, m_link.state().protocolIndex);
    using Kind = SetupReply::Kind;
    switch (reply.kind) {
    case Kind::Firmware:
        m_firmware = reply.text;
        m_link.state().versionReceived = true;
        startReadBack(AfterFirmware);
        break;
    case Kind::SerialNumber:
        m_values.serialNumber = reply.text;
        startReadBack(AfterSerialNumber);
        break;
    case Kind::PanTiltType:
        if (reply.value >= 0)
            m_values.ptType = reply.value;
        startReadBack(AfterPanTiltType);
        break;
    case Kind::Direction:
        if (reply.value >= 0)
            m_values.ptDirection = reply.value;
        startReadBack(AfterDirection);
        break;
    case Kind::JavelinContinuous:
        if (reply.value >= 0)
            m_values.cameraJavelinContinuous = reply.value == 1;
        startReadBack(AfterJavelinContinuous);
        break;
    case Kind::JavelinAddress:
        if (reply.value >= 0)
            m_values.cameraJavelinAddress = reply.value == 1;
        break;
    case Kind::Ntcip:
        if (reply.value >= 0)
            m_values.ntcip = reply.value == 1;
        break;
    case Kind::Other: return;
    }
    changed();
}

void CameraSetup::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    switch (id) {
    case AfterFirmware: send("mSs"); break;
    case AfterSerialNumber: send("sS"); break;
    case AfterPanTiltType: send("SS"); break;
    case AfterDirection: send("JcS"); break;
    case AfterJavelinContinuous: send("JbS"); break;
    case CameraIdQuery: send("hS"); break;
    case NtcipQuery: send("mND"); break;
    default: break;
    }
}

} // namespace tarn
