#include "programming/OtherMaintenance.h"

#include "link/NtcipKeeper.h"
#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"
#include "programming/MaintenanceReply.h"
#include "programming/ServicePassword.h"

namespace tarn {

namespace {

constexpr int HeaterQueryDelayMs = 500;
constexpr int FreezeQueryDelayMs = 1000;
constexpr int ModeIndicatorDelayMs = 500;
constexpr int HeaterRequeryDelayMs = 5000;
constexpr int FirstTemperatureQueryMs = 10;
constexpr int FirstPressureQueryMs = 500;
constexpr int RecordedTemperatureStartMs = 1000;
constexpr int RecordedPressureStartMs = 2000;
// The camera keeps its trigger levels in this one command; the typed level
// only has to be a plausible one.
constexpr std::string_view HeaterSetCommand = "mt4060e01";

} // namespace

OtherMaintenance::OtherMaintenance(CameraLink& link, Prompter& prompter,
                                   NtcipKeeper& ntcip, int cameraType,
                                   PasswordAsker askPassword, LocalTimeSource now)
    : DialogLogic(link, prompter, ReceiverSlot::OtherMaintenance)
    , m_ntcip(ntcip)
    , m_cameraType(cameraType)
    , m_askPassword(std::move(askPassword))
    , m_now(std::move(now))
    , m_logs{LogState{TextLog(m_now)}, LogState{TextLog(m_now)}}
{
}

OtherMaintenance::~OtherMaintenance()
{
    m_link.timers().stopAll(*this);
}

void OtherMaintenance::open()
{
    Timers& timers = m_link.timers();
    timers.start(*this, HeaterQueryTimerId, HeaterQueryDelayMs);
    timers.start(*this, FreezeQueryTimerId, FreezeQueryDelayMs);
    timers.start(*this, ModeIndicatorTimerId, ModeIndicatorDelayMs);
}

bool OtherMaintenance::ntcipMode() const
{
    return m_ntcip.ntcipState() == 1;
}

void OtherMaintenance::send(std::string_view command)
{
    m_pump.append(command);
}

void OtherMaintenance::sendWithPassword(std::string_view command)
{
    if (!m_askPassword)
        return;
    const std::optional<std::string> entered = m_askPassword();
    if (!entered)
        return;
    if (!ServicePassword::accepts(*entered)) {
        m_prompter.showMessage(Messages::WrongPassword, {}, MessageIcon::Warning);
        return;
    }
    send(command);
}

void OtherMaintenance::setHeater()
{
    const std::optional<int> level =
        askNumberEdit(m_prompter, m_values.heaterLevel, HeaterLevelMin, HeaterLevelMax, Messages::HeaterLevelRange);
    if (!level)
        return;
    send(HeaterSetCommand);
}

void OtherMaintenance::getHeater()
{
    send("mtS");
}

void OtherMaintenance::setFreezeVideo(bool on)
{
    m_values.freezeVideo = on;
    send(on ? "mf1" : "mf0");
}

void OtherMaintenance::getFreeze()
{
    send("mfS");
}

void OtherMaintenance::setVirtualHome()
{
    sendWithPassword("mVs");
}

void OtherMaintenance::getVirtualHome()
{
    send("mVg");
}

void OtherMaintenance::clearVirtualHome()
{
    sendWithPassword("mVc");
}

void OtherMaintenance::clearNvram()
{
    if (!m_prompter.askYesNo(Messages::ClearNvramQuestion, {}, MessageIcon::Error, DefaultButton::Second))
        return;
    // The erased camera comes back out of NTCIP mode; the exit path must not
    // put it back in.
    m_ntcip.setNvramCleared();
    send("rrRRRR");
}

void OtherMaintenance::storeCalWords()
{
    sendWithPassword("mcs");
}

void OtherMaintenance::clearCalWords()
{
    sendWithPassword("mcc");
}

void OtherMaintenance::getBarrelPressure()
{
    m_link.timers().start(*this, TemperaturePollTimerId, FirstTemperatureQueryMs);
    m_link.timers().start(*this, PressurePollTimerId, FirstPressureQueryMs);
}

void OtherMaintenance::getBarrelTemperature()
{
    send("mTS");
}

void OtherMaintenance::testBarrel()
{
    send("mTt");
}

void OtherMaintenance::wipe()
{
    send("L3");
}

void OtherMaintenance::browseLogFile(Log log)
{
    LogState& state = logOf(log);
    if (state.on)
        return; // the file being recorded stays the same until "Stop Record"
    if (auto chosen = m_prompter.chooseFile(FileChoice::Save, Messages::LogFileFilter,
                                            state.file.fileName())) {
        state.file.setFileName(std::move(*chosen));
        changed();
    }
}

void OtherMaintenance::editLogFileName(Log log, std::string name)
{
    if (!logOf(log).on)
        logOf(log).file.setFileName(std::move(name));
}

int OtherMaintenance::pollTimerOf(Log log) const
{
    return log == Log::Temperature ? TemperaturePollTimerId : PressurePollTimerId;
}

void OtherMaintenance::startRecording(Log log)
{
    LogState& state = logOf(log);
    if (state.on)
        return;
    const std::string& name = state.file.fileName();
    if (name.empty()) {
        m_prompter.showMessage(Messages::SpecifyRecordFile, {}, MessageIcon::Warning);
        changed();
        return;
    }
    if (!m_prompter.askOkCancel(Messages::format(Messages::RecordFileOverwritten, name.c_str()), {},
                                MessageIcon::Question)) {
        changed();
        return;
    }
    state.file.setTitle(std::string(log == Log::Temperature ? Messages::TemperatureLogTitle
                                                            : Messages::PressureLogTitle));
    if (!state.file.create() || !state.file.start(true, false)) {
        logFailed(log);
        return;
    }
    state.on = true;
    if (log == Log::Temperature) {
        m_link.timers().start(*this, TemperaturePollTimerId, RecordedTemperatureStartMs);
    } else {
        send("mTS");
        m_link.timers().start(*this, PressurePollTimerId, RecordedPressureStartMs);
    }
    changed();
}

void OtherMaintenance::stopRecording(Log log)
{
    logOf(log).on = false;
    m_link.timers().stop(*this, pollTimerOf(log));
    changed();
}

void OtherMaintenance::writeToLog(Log log, const std::string& line)
{
    LogState& state = logOf(log);
    if (state.on && !state.file.writeLine(line))
        logFailed(log);
}

void OtherMaintenance::logFailed(Log log)
{
    // Said once: the recording stops, so no line is lost without the
    // technician knowing.
    LogState& state = logOf(log);
    const std::string name = state.file.fileName();
    const std::string reason = state.file.failure();
    state.on = false;
    state.file.start(false, false);
    m_link.timers().stop(*this, pollTimerOf(log));
    m_prompter.showMessage(Messages::format(Messages::CannotWriteLog, name.c_str(), reason.c_str()),
                           Messages::LogErrorTitle, MessageIcon::Error);
    changed();
}

void OtherMaintenance::chooseNtcipMode(bool on)
{
    m_ntcip.setNtcipState(on ? 1 : 0);
    changed();
}

void OtherMaintenance::timerFired(int id)
{
    Timers& timers = m_link.timers();
    switch (id) {
    case HeaterQueryTimerId:
    case HeaterRequeryTimerId:
        timers.stop(*this, id);
        send("mtS");
        break;
    case FreezeQueryTimerId:
        timers.stop(*this, id);
        send("mfS");
        break;
    case ModeIndicatorTimerId:
        timers.stop(*this, id);
        m_indicatorShown = true;
        timers.start(*this, HeaterRequeryTimerId, HeaterRequeryDelayMs);
        changed();
        break;
    case TemperaturePollTimerId:
        timers.start(*this, id, TemperaturePollMs);
        send("mTS");
        break;
    case PressurePollTimerId: {
        timers.start(*this, id, PressurePollMs);
        timers.start(*this, PressureLeadTimerId, PressureLeadMs);
        const std::tm now = m_now();
        send("mPSd" + DateTimeText::date(now) + "  " + DateTimeText::clockTime(now));
        break;
    }
    case PressureLeadTimerId:
        timers.stop(*this, id);
        send("mTS");
        break;
    default: timers.stop(*this, id); break;
    }
}

void OtherMaintenance::replyReceived(std::span<const std::uint8_t> frame)
{
    const MaintenanceReply reply = MaintenanceReply::parse(frame, m_link.state().protocolIndex);
    switch (reply.kind) {
    case MaintenanceReply::Kind::None: return;
    case MaintenanceReply::Kind::Temperature: applyTemperature(reply); break;
    case MaintenanceReply::Kind::Pressure: applyPressure(reply); break;
    case MaintenanceReply::Kind::Freeze: m_values.freezeVideo = reply.freeze; break;
    case MaintenanceReply::Kind::Heater: m_values.heaterLevel = reply.heaterLevel; break;
    case MaintenanceReply::Kind::VirtualHome:
        m_values.homePan = reply.homePan;
        m_values.homeTilt = reply.homeTilt;
        break;
    }
    changed();
}

void OtherMaintenance::applyTemperature(const MaintenanceReply& reply)
{
    if (reply.front)
        m_values.frontTemperature = *reply.front;
    if (reply.back)
        m_values.backTemperature = *reply.back;
    if (reply.high)
        m_values.highTemperature = *reply.high;
    if (reply.low)
        m_values.lowTemperature = *reply.low;
    writeToLog(Log::Temperature, Messages::format(Messages::TemperatureLogLine,
                                                  m_values.frontTemperature.c_str(),
                                                  m_values.backTemperature.c_str()));
}

void OtherMaintenance::applyPressure(const MaintenanceReply& reply)
{
    m_values.currentPressure = reply.currentPressure;
    if (reply.lastReadPressure)
        m_values.lastReadPressure = *reply.lastReadPressure;
    if (reply.calibration)
        m_values.calibration = *reply.calibration;
    if (reply.barrelSerial)
        m_values.barrelSerial = *reply.barrelSerial;
    writeToLog(Log::Pressure, Messages::format(Messages::PressureLogLine,
                                               m_values.currentPressure.c_str(),
                                               m_values.frontTemperature.c_str(),
                                               m_values.calibration.c_str()));
}

} // namespace tarn
