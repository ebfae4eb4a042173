#include "imaging/AlderHdDsp.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"

#include <algorithm>

namespace tarn {

namespace {

// The dialog's timers; they stop themselves when they fire.
namespace Timer {
constexpr int Status = 12;              // "cDS" after opening
constexpr int WdrAfterEis = 20;         // WDR on, once EIS is off
constexpr int ShutterAfterEis = 21;     // a slow shutter, once EIS is off
constexpr int FocusRead = 30;           // read FF0E
constexpr int MinFocusFar = 31;         // E1F7 := F2 (3 m)
constexpr int MinFocusNear = 32;        // E1F7 := F7 (1 m)
constexpr int AutoFocusTypeRead = 33;   // read F8E0 after E1F7 read F2
constexpr int FocusAreaReset = 34;      // FCAC := 00
constexpr int FocusTriggerOn = 35;      // FF0E bit 3 set
constexpr int FocusTriggerOff = 36;     // FF0E bit 3 clear
constexpr int FocusStepA9 = 37;
constexpr int FocusStepAA = 38;
constexpr int FocusStepFE = 39;
constexpr int AutoFocusTypeReadBack = 40; // read F8E0 after writing it
constexpr int MinFocusRead = 41;        // read E1F7
} // namespace Timer

constexpr std::string_view ReadMinFocus = ":RE1F700";
constexpr std::string_view ReadAutoFocusType = ":RF8E000";
constexpr std::string_view ReadFocusRegister = ":RFF0E00";
constexpr std::uint8_t FocusTriggerBit = 0x08;
constexpr int MinFocusRetryMs = 20000;

// A level or gain goes on the wire as the byte 16 + the number, clear of the
// control bytes.
constexpr int ByteOffset = 16;
constexpr int LowestAgc = 1;
constexpr int HighestAgc = 40;
constexpr int LowestAperture = 1;
constexpr int HighestAperture = 31;

bool inList(int index, int count)
{
    return index >= 0 && index < count;
}

// The index character: '0' + index, so 10..15 are ':' to '?'.
char indexCharacter(int index)
{
    return static_cast<char>('0' + index);
}

// Only these reach the camera intact: a byte of 0x80 or more reads as a
// frame's checksum, a NUL cuts the command short.
bool printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

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

// The number a status digit stands for, when it names an entry of a list
// of `count`.
std::optional<int> listDigit(std::uint8_t value, int count)
{
    const int digit = value - '0';
    return inList(digit, count) ? std::optional<int>(digit) : std::nullopt;
}

} // namespace

AlderHdDsp::AlderHdDsp(CameraLink& link, Prompter& prompter)
    : m_link(link)
    , m_prompter(prompter)
    , m_pump(link, PicturePumpConfig)
{
}

AlderHdDsp::~AlderHdDsp()
{
    m_link.timers().stopAll(*this);
}

int AlderHdDsp::cameraModel() const
{
    return m_link.state().cameraType;
}

bool AlderHdDsp::isDogwood() const
{
    return cameraModel() == CameraType::DogwoodHd;
}

void AlderHdDsp::initialise()
{
    m_pump.setInitialising(true);
    m_enabling.trimButtons = m_controls.whiteBalance != 0;
    m_enabling.whiteBalanceRadios = true;
    m_enabling.shutter = true;

    const int model = cameraModel();
    if (CameraType::isHd(model)) {
        m_enabling.indoorOutdoor = false;
        m_enabling.digitalZoom = false;
        m_enabling.eisRadios = true;
        m_enabling.eisFrequency = true;
        m_controls.indoorOutdoor = -1;
        const bool focusControls = model != CameraType::BirchHd;
        m_enabling.passThroughSend = focusControls;
        m_enabling.pushToFocus = focusControls;
        m_enabling.getStatus = focusControls;
        m_enabling.focusCombos = focusControls;
    } else {
        m_enabling.whiteBalanceRadios = true;
        m_enabling.indoorOutdoor = true;
        m_enabling.eisRadios = true;
        m_enabling.eisFrequency = true;
        m_enabling.digitalZoom = true;
        m_controls.indoorOutdoor = -1;
    }

    // Push to Focus waits until register F8E0 reads 05.
    m_enabling.pushToFocus = false;
    m_pump.setInitialising(false);
    start(Timer::Status, 500);
    start(Timer::MinFocusRead, 1000);
    changed();
}

void AlderHdDsp::send(std::string_view command)
{
    m_pump.append(command);
}

void AlderHdDsp::sendIndexed(std::string_view prefix, int index)
{
    std::string command(prefix);
    command += indexCharacter(index);
    send(command);
}

void AlderHdDsp::start(int timer, int periodMs)
{
    m_link.timers().start(*this, timer, periodMs);
}

void AlderHdDsp::changed()
{
    if (m_changed)
        m_changed();
}

void AlderHdDsp::refuse(std::string_view message, Edit edit)
{
    m_invalidEdit = edit;
    m_prompter.showMessage(message, {}, MessageIcon::Warning);
}

bool AlderHdDsp::readControls()
{
    m_invalidEdit = Edit::None;
    struct Checked {
        const std::string& text;
        int lowest;
        int highest;
        std::string_view outOfRange;
        Edit edit;
    };
    const Checked edits[] = {
        {m_controls.maxAgc, LowestAgc, HighestAgc, Messages::EnterAnIntegerBetween1And40, Edit::MaxAgc},
        {m_controls.apertureHorizontal, LowestAperture, HighestAperture,
         Messages::EnterAnIntegerBetween1And31, Edit::ApertureHorizontal},
        {m_controls.apertureVertical, LowestAperture, HighestAperture,
         Messages::EnterAnIntegerBetween1And31, Edit::ApertureVertical},
    };
    for (const Checked& checked : edits) {
        const auto value = readFieldInteger(checked.text);
        if (!value) {
            refuse(Messages::EnterAnInteger, checked.edit);
            return false;
        }
        if (*value < checked.lowest || *value > checked.highest) {
            refuse(checked.outOfRange, checked.edit);
            return false;
        }
    }
    return true;
}

// Camera

void AlderHdDsp::requestStatus()
{
    send("cDS");
}

void AlderHdDsp::togglePoll()
{
    m_controls.poll = m_controls.poll ? 0 : 1;
    send(m_controls.poll ? "cn1" : "cn0");
    changed();
}

void AlderHdDsp::setBaud(int index)
{
    if (!inList(index, 4))
        return;
    m_controls.baud = index;
    sendIndexed("cC", index);
    changed();
}

void AlderHdDsp::initAllPresets()
{
    if (m_prompter.askYesNo(Messages::InitAllPresetsQuestion, {}, MessageIcon::Error, DefaultButton::First))
        send("cPi");
}

// Day/Night, IR illuminator, shutter

void AlderHdDsp::setDayNightMode(int index)
{
    if (!inList(index, 3))
        return;
    m_controls.dayNightMode = index;
    sendIndexed("cM", index);
    changed();
}

void AlderHdDsp::setIrMode(int index)
{
    if (!inList(index, 3))
        return;
    m_controls.irMode = index;
    sendIndexed("cR", index);
    // Mode 1 switches day/night itself.
    m_enabling.dayNightRadios = index != 1;
    changed();
}

void AlderHdDsp::selectShutter(int index)
{
    if (!inList(index, ShutterCount))
        return;
    m_controls.shutter = index;
    // The slow shutters (1/4 to 1/50) do not go with stabilisation: EIS
    // goes off first and the shutter follows 100 ms later.
    if (m_controls.eis == 1 && index >= 1 && index <= 5) {
        m_controls.eis = 0;
        send("cE0");
        start(Timer::ShutterAfterEis, 100);
    } else {
        sendIndexed("cS", index);
    }
    changed();
}

void AlderHdDsp::selectSlowLimit(int index)
{
    if (guarded() || !inList(index, SlowLimitCount))
        return;
    m_controls.slowLimit = index;
    sendIndexed("ck", index);
    changed();
}

// White balance

void AlderHdDsp::setWhiteBalance(int index)
{
    if (!inList(index, 3))
        return;
    m_controls.whiteBalance = index;
    sendIndexed("cW", index);
    m_enabling.trimButtons = index == 1;
    changed();
}

void AlderHdDsp::setIndoorOutdoor(int index)
{
    if (!inList(index, 2))
        return;
    m_controls.indoorOutdoor = index;
    sendIndexed("cw", index);
    changed();
}

void AlderHdDsp::trimPressed(Trim trim)
{
    static constexpr std::string_view commands[] = {"cWR", "cWr", "cWB", "cWb"};
    send(commands[static_cast<int>(trim)]);
}

void AlderHdDsp::trimReleased()
{
    send("cWQ");
}

// Aperture, gain

void AlderHdDsp::setApertureMode(int index)
{
    if (guarded() || !inList(index, 2))
        return;
    m_controls.apertureMode = index;
    sendIndexed("cA", index);
    m_enabling.apertureLevels = index == 1;
    changed();
}

void AlderHdDsp::setApertureHorizontal()
{
    if (guarded())
        return;
    const auto level = readFieldInteger(m_controls.apertureHorizontal);
    if (level && *level >= LowestAperture && *level <= HighestAperture)
        send(std::string("cAH") + static_cast<char>(ByteOffset + *level));
}

void AlderHdDsp::setApertureVertical()
{
    if (guarded())
        return;
    const auto level = readFieldInteger(m_controls.apertureVertical);
    if (level && *level >= LowestAperture && *level <= HighestAperture)
        send(std::string("cAV") + static_cast<char>(ByteOffset + *level));
}

void AlderHdDsp::setMaxAgc()
{
    if (guarded())
        return;
    m_invalidEdit = Edit::None;
    const auto gain = readFieldInteger(m_controls.maxAgc);
    if (!gain) {
        refuse(Messages::EnterAnInteger, Edit::MaxAgc);
        return;
    }
    // Gains past the labelled 40 dB still go out as the camera may take
    // them, but never as a NUL or a byte with bit 7 set.
    const int byte = ByteOffset + *gain;
    if (byte <= 0 || byte >= 0x80) {
        refuse(Messages::EnterAnIntegerBetween1And40, Edit::MaxAgc);
        return;
    }
    send(std::string("cG") + static_cast<char>(byte));
}

// Zoom

void AlderHdDsp::selectZoomMagnification(int index)
{
    if (guarded() || !inList(index, ZoomMagnificationCount))
        return;
    m_controls.zoomMagnification = index;
    send(std::string("cZm") + static_cast<char>(index + 1));
    changed();
}

void AlderHdDsp::setZoomPosition()
{
    if (!readControls())
        return;
    const std::string& text = m_controls.zoomPosition;
    if (text.empty() || text.size() > ZoomPositionLength || !printable(text)) {
        refuse(Messages::InvalidZoom, Edit::ZoomPosition);
        return;
    }
    std::string position(ZoomPositionLength - text.size(), '0');
    position += upperCase(text);
    m_controls.zoomPosition = position;
    changed();
    send("cV" + position);
}

void AlderHdDsp::getZoomPosition()
{
    send("cVS");
}

// WDR, BLC, EIS, digital zoom

void AlderHdDsp::setWdr(int index)
{
    if (!inList(index, 2))
        return;
    if (index == 0) {
        m_controls.wdr = 0;
        send("cY0");
    } else if (m_controls.eis == 1) {
        // WDR does not go with stabilisation: EIS goes off first.
        m_controls.eis = 0;
        send("cE0");
        start(Timer::WdrAfterEis, 500);
    } else {
        m_controls.wdr = 1;
        send("cY1");
    }
    changed();
}

void AlderHdDsp::setBlc(int index)
{
    if (guarded() || !inList(index, 2))
        return;
    m_controls.blc = index;
    sendIndexed("cB", index);
    changed();
}

void AlderHdDsp::setEis(int index)
{
    if (!inList(index, 2))
        return;
    if (index == 0)
        m_enabling.digitalZoom = true;
    m_controls.eis = index;
    sendIndexed("cE", index);
    changed();
}

void AlderHdDsp::selectEisFrequency(int index)
{
    if (!inList(index, EisFrequencyCount))
        return;
    m_controls.eisFrequency = index;
    sendIndexed("cEF", index);
    changed();
}

void AlderHdDsp::selectDigitalZoom(int index)
{
    if (!inList(index, DigitalZoomCount) || !readControls())
        return;
    m_controls.digitalZoom = index;
    sendIndexed("cD", index);
    changed();
}

void AlderHdDsp::powerUp(PowerUp action)
{
    static constexpr std::string_view commands[] = {"cm0", "cm1", "cmd"};
    send(commands[static_cast<int>(action)]);
}

// Auto focus

void AlderHdDsp::selectAutoFocusType(int index)
{
    if (!inList(index, AutoFocusTypeCount))
        return;
    m_controls.autoFocusType = index;
    if (isDogwood()) {
        static constexpr std::string_view registerWrites[] = {":WF8E000", ":WF8E001", ":WF8E003",
                                                              ":WF8E005"};
        send(registerWrites[index]);
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

// Pass-through

void AlderHdDsp::sendPassThrough()
{
    if (!readControls())
        return;
    const std::string& text = m_controls.tx;
    if (text.empty())
        return;
    if (text.size() > TxLength) {
        refuse(Messages::DspCommandTooLong, Edit::Tx);
        return;
    }
    if (!printable(text)) {
        refuse(Messages::DspCommandNotPrintable, Edit::Tx);
        return;
    }
    // A register write is ":W" + address + value (8), a read ":R" + address
    // + "00"; the wide forms need at least 10; a '/' command is 8 long.
    const char second = text.size() > 1 ? text[1] : '\0';
    const auto exactly = [&](std::size_t length) {
        if (text.size() > length) {
            refuse(Messages::DspCommandTooLong, Edit::Tx);
            return false;
        }
        if (text.size() < length) {
            refuse(Messages::DspCommandTooShort, Edit::Tx);
            return false;
        }
        return true;
    };
    if ((second == 'W' || second == 'R') && !exactly(8))
        return;
    if ((second == 'w' || second == 'r') && text.size() < 10) {
        refuse(Messages::DspCommandTooShort, Edit::Tx);
        return;
    }
    if (text.front() == '/' && !exactly(8))
        return;
    m_controls.tx = upperCase(text);
    send(m_controls.tx);
    changed();
}

void AlderHdDsp::toggleRx()
{
    m_controls.rxEnable = m_controls.rxEnable ? 0 : 1;
    send(m_controls.rxEnable ? ":E" : ":D");
    changed();
}

// Focus sequence and timers

void AlderHdDsp::writeFocusRegister()
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string command = ":WFF0E";
    command += hex[m_focusRegister >> 4];
    command += hex[m_focusRegister & 0x0F];
    send(command);
}

void AlderHdDsp::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    switch (id) {
    case Timer::Status: send("cDS"); break;
    case Timer::WdrAfterEis:
        m_controls.wdr = 1;
        changed();
        send("cY1");
        break;
    case Timer::ShutterAfterEis:
        changed();
        if (inList(m_controls.shutter, ShutterCount))
            sendIndexed("cS", m_controls.shutter);
        break;
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

// Replies

void AlderHdDsp::replyReceived(std::span<const std::uint8_t> frame)
{
    const DspReply reply = parseDspReply(frame, m_link.state().protocolIndex);
    switch (reply.kind) {
    case DspReply::Kind::Register: applyRegisterReply(reply); break;
    case DspReply::Kind::Status:
        for (const DspStatusField& field : reply.fields)
            applyStatusField(field);
        break;
    case DspReply::Kind::Nothing: return;
    }
    changed();
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
        static constexpr std::string_view values[] = {"00", "01", "03", "05"};
        for (int type = 0; type < AutoFocusTypeCount; ++type) {
            if (value == values[type])
                m_controls.autoFocusType = type;
        }
        // Only PLS Type C focuses on request.
        m_enabling.pushToFocus = value == "05";
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

void AlderHdDsp::applyStatusField(const DspStatusField& field)
{
    const std::uint8_t first = field.value[0];
    // Each letter's list: a digit that names no entry is ignored.
    const auto take = [first](int& stored, int count) {
        const auto digit = listDigit(first, count);
        if (digit)
            stored = *digit;
        return digit.has_value();
    };
    switch (field.letter) {
    case 'B': take(m_controls.blc, 2); break;
    case 'D': take(m_controls.digitalZoom, DigitalZoomCount); break;
    case 'E':
        if (first == '0') {
            m_enabling.digitalZoom = true;
            m_controls.eis = 0;
        } else if (first == '1') {
            m_controls.eis = 1;
            m_controls.digitalZoom = 0;
            m_enabling.digitalZoom = false;
        }
        break;
    case 'F': take(m_controls.eisFrequency, EisFrequencyCount); break;
    case 'G':
        if (first >= ByteOffset && first - ByteOffset <= HighestAgc)
            m_controls.maxAgc = std::to_string(first - ByteOffset);
        break;
    case 'M': take(m_controls.dayNightMode, 3); break;
    case 'R':
        if (take(m_controls.irMode, 3))
            m_enabling.dayNightRadios = m_controls.irMode != 1;
        break;
    case 'S': take(m_controls.shutter, ShutterCount); break;
    case 'V': {
        const std::string position(field.value.begin(), field.value.begin() + ZoomPositionLength);
        if (printable(position))
            m_controls.zoomPosition = position;
        break;
    }
    case 'W':
        if (take(m_controls.whiteBalance, 3))
            m_enabling.trimButtons = m_controls.whiteBalance == 1;
        break;
    case 'Y': take(m_controls.wdr, 2); break;
    case 'a': {
        if (take(m_controls.apertureMode, 2))
            m_enabling.apertureLevels = m_controls.apertureMode != 0;
        const int horizontal = field.value[1] - ByteOffset;
        const int vertical = field.value[2] - ByteOffset;
        const auto level = [](int value) { return value >= LowestAperture && value <= HighestAperture; };
        if (level(horizontal) && level(vertical)) {
            m_controls.apertureHorizontal = std::to_string(horizontal);
            m_controls.apertureVertical = std::to_string(vertical);
        }
        break;
    }
    case 'k': take(m_controls.slowLimit, SlowLimitCount); break;
    case 'p': take(m_controls.poll, 2); break;
    case 'w':
        // The AlderHD has no indoor/outdoor choice, whatever it reports.
        if (cameraModel() == CameraType::AlderHd || !take(m_controls.indoorOutdoor, 2))
            m_controls.indoorOutdoor = -1;
        break;
    case 'z':
        if (first >= 1 && first <= ZoomMagnificationCount)
            m_controls.zoomMagnification = first - 1;
        break;
    default: break; // 'l' and unknown letters: skipped
    }
}

} // namespace tarn
