// Auto focus: the focus type and minimum focus distance, the minimum-focus
// register loop, the push-to-focus register sequence, and the register
// replies ("R" reads, the focus registers among them) that drive them.

#include "imaging/AlderHdDsp.h"

#include "imaging/AlderHdDspWire.h"
#include "link/CameraLink.h"

namespace tarn {

using namespace AlderHdDspWire;

namespace {

constexpr std::string_view ReadMinFocus = ":RE1F700";
constexpr std::string_view ReadAutoFocusType = ":RF8E000";
constexpr std::string_view ReadFocusRegister = ":RFF0E00";
constexpr std::uint8_t FocusTriggerBit = 0x08;
constexpr int MinFocusRetryMs = 20000;

// Register F8E0 for each auto focus type, in list order.
constexpr std::string_view AutoFocusTypeValues[] = {"00", "01", "03", "05"};

std::optional<int> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

} // namespace

void AlderHdDsp::selectAutoFocusType(int index)
{
    if (!inList(index, AutoFocusTypeCount))
        return;
    m_controls.autoFocusType = index;
    if (isDogwood()) {
        send(std::string(":WF8E0").append(AutoFocusTypeValues[index]));
        start(Timer::AutoFocusTypeReadBack, 500);
    } else {
        // ":cF2" with its colon is what the cameras in the field take.
        static constexpr std::string_view commands[] = {"cF0", "cF1", ":cF2", "cF3"};
        send(commands[index]);
    }
    changed();
}

void AlderHdDsp::selectMinFocusDistance(int index)
{
    if (!inList(index, MinFocusDistanceCount))
        return;
    m_controls.minFocusDistance = index;
    start(index == 0 ? Timer::MinFocusNear : Timer::MinFocusFar, 50);
    changed();
}

void AlderHdDsp::pushToFocus()
{
    if (!m_enabling.pushToFocus)
        return;
    m_focusRunning = true;
    m_firstReadAwaited = true;
    start(Timer::FocusRead, 5);
}

void AlderHdDsp::getFocusStatus()
{
    if (isDogwood())
        start(Timer::MinFocusRead, 50);
    else
        send("cDS");
}

void AlderHdDsp::writeFocusRegister()
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string command = ":WFF0E";
    command += hex[m_focusRegister >> 4];
    command += hex[m_focusRegister & 0x0F];
    send(command);
}

void AlderHdDsp::focusTimerFired(int id)
{
    switch (id) {
    case Timer::FocusRead: send(ReadFocusRegister); break;
    case Timer::MinFocusFar: send(":WE1F7F2"); break;
    case Timer::MinFocusNear: send(":WE1F7F7"); break;
    case Timer::AutoFocusTypeRead:
    case Timer::AutoFocusTypeReadBack: send(ReadAutoFocusType); break;
    case Timer::FocusAreaReset: send(":WFCAC00"); break;
    case Timer::FocusTriggerOn:
        m_focusRegister |= FocusTriggerBit;
        writeFocusRegister();
        if (m_focusRunning)
            start(Timer::FocusStepA9, 500);
        break;
    case Timer::FocusStepA9:
        send(":WFCBBA9");
        if (m_focusRunning) {
            m_phaseA = true;
            start(Timer::FocusStepFE, 800);
        }
        break;
    case Timer::FocusStepFE:
        send(":WFCBBFE");
        if (!m_focusRunning)
            break;
        if (m_phaseA) {
            m_phaseA = false;
            start(Timer::FocusStepAA, 500);
        } else if (m_phaseB) {
            m_phaseB = false;
            start(Timer::FocusRead, 5);
            start(Timer::FocusTriggerOff, 500);
        }
        break;
    case Timer::FocusStepAA:
        send(":WFCBBAA");
        if (m_focusRunning) {
            m_phaseB = true;
            start(Timer::FocusStepFE, 800);
        }
        break;
    case Timer::FocusTriggerOff:
        m_focusRegister &= static_cast<std::uint8_t>(~FocusTriggerBit);
        writeFocusRegister();
        start(Timer::FocusRead, 1000);
        if (m_focusRunning) {
            m_focusRunning = false;
            start(Timer::FocusTriggerOn, 3500);
        }
        break;
    case Timer::MinFocusRead: send(ReadMinFocus); break;
    default: break;
    }
}

void AlderHdDsp::applyRegisterReply(const DspReply& reply)
{
    std::string rx = {':', reply.operation};
    if (reply.operation != 'R') {
        m_controls.rx = rx + reply.characters;
        return;
    }
    const std::string_view characters = reply.characters;
    const std::string_view address = characters.substr(0, 4);
    rx += address;
    m_controls.rx = rx;
    if (characters.size() < 6)
        return;
    const std::string_view value = characters.substr(4, 2);

    if (address == "E1F7") {
        // The minimum focus distance must be 3 m (F2): write it, reset the
        // focus area and look again in 20 s, until it holds.
        if (value != "F2") {
            start(Timer::MinFocusFar, 50);
            start(Timer::FocusAreaReset, 500);
            start(Timer::MinFocusRead, MinFocusRetryMs);
        } else {
            m_controls.minFocusDistance = 1;
            start(Timer::AutoFocusTypeRead, 500);
        }
    } else if (address == "F8E0") {
        m_enabling.pushToFocus = false;
        for (int type = 0; type < AutoFocusTypeCount; ++type) {
            if (value == AutoFocusTypeValues[type])
                m_controls.autoFocusType = type;
        }
        // Only PLS Type C focuses on request.
        m_enabling.pushToFocus = value == AutoFocusTypeValues[3];
    } else if (address == "FF0E") {
        const auto high = hexDigit(value[0]);
        const auto low = hexDigit(value[1]);
        // A garbled value is not taken: it would be written back to the camera.
        if (!high || !low)
            return;
        m_focusRegister = static_cast<std::uint8_t>(*high << 4 | *low);
        if (m_focusRunning && m_firstReadAwaited) {
            m_firstReadAwaited = false;
            start(Timer::FocusTriggerOn, 500);
        }
    } else {
        return;
    }
    m_controls.rx += value;
}

} // namespace tarn
