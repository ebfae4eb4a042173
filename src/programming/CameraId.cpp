#include "programming/CameraId.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "platform/Prompter.h"
#include "programming/CameraIdReply.h"
#include "programming/CameraIdText.h"

#include <algorithm>

namespace tarn {

namespace {

constexpr int FirstStepMs = 5;
constexpr int NextStepMs = 50;
constexpr int AlarmGetMs = 5;
constexpr char PresetOffset = 16;

// "Init. All IDs": what each step does happens, then the next step follows
// after its delay.
constexpr int IdTestDelaysMs[] = {5, 500, 500, 500, 100, 100};
constexpr int IdTestSteps = static_cast<int>(std::size(IdTestDelaysMs));

std::string_view withoutTrailingSpaces(std::string_view text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool validLine(int line)
{
    return line >= 1 && line <= CameraIdValues::LineCount;
}

} // namespace

CameraIdEnabling CameraIdEnabling::forCameraType(int cameraType)
{
    CameraIdEnabling enabling;
    enabling.idGeneratedInCamera = CameraType::generatesIdText(cameraType);
    switch (cameraType) {
    case CameraType::AlderSd:
        enabling.displayModes = true;
        enabling.alarmTexts = true;
        break;
    case CameraType::AlderHd:
    case CameraType::BirchSd:
    case CameraType::BirchHd:
    case CameraType::Cedar: enabling.alarmTexts = true; break;
    default: enabling.displayModes = true; break;
    }
    return enabling;
}

CameraId::CameraId(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::CameraId, {PumpTimerId, 5, HoldTimerId, 2000, false})
{
    m_pump.setInitialising(true);
    m_enabling = CameraIdEnabling::forCameraType(link.state().cameraType);
    m_pump.setInitialising(false);
    m_link.timers().start(*this, ReadBackTimerId, FirstStepMs);
}

CameraId::~CameraId()
{
    m_link.timers().stopAll(*this);
}

void CameraId::sendNow(std::string_view command)
{
    m_link.SendCommand(command);
}

void CameraId::queue(std::string_view command)
{
    m_pump.append(command);
}

std::string CameraId::lineCommand(int line, std::string_view text)
{
    std::string command = "dL";
    command.push_back(static_cast<char>('0' + line));
    command += CameraIdText::field(text);
    return command;
}

bool CameraId::editLine(int line, std::string_view text)
{
    if (!validLine(line))
        return false;
    if (CameraIdText::characterCount(text) > CameraIdText::LineLength) {
        m_prompter.showMessage(Messages::CameraIdTooLong, {}, MessageIcon::Warning);
        return false;
    }
    const auto index = static_cast<std::size_t>(line - 1);
    m_values.lines[index] = std::string(text);
    m_unsent[index] = true;
    m_blanked[index] = false;
    return true;
}

void CameraId::leaveLine(int line)
{
    if (!validLine(line))
        return;
    const auto index = static_cast<std::size_t>(line - 1);
    m_unsent[index] = false;
    if (m_blanked[index])
        return;
    sendNow(lineCommand(line, m_values.lines[index]));
}

void CameraId::close()
{
    for (int line = 1; line <= CameraIdValues::LineCount; ++line) {
        if (m_unsent[static_cast<std::size_t>(line - 1)])
            leaveLine(line);
    }
}

void CameraId::toggleIdEnabled()
{
    m_values.idEnabled = !m_values.idEnabled;
    m_values.idLineEnabled = {m_values.idEnabled, m_values.idEnabled};
    sendNow(m_values.idEnabled ? "dIE" : "dID");
    changed();
}

void CameraId::toggleDisplayAtTop()
{
    if (!m_enabling.alarmTexts)
        return;
    m_values.displayAtTop = !m_values.displayAtTop;
    sendNow(m_values.displayAtTop ? "dIT" : "dIB");
    changed();
}

void CameraId::toggleAlarmTextEnabled()
{
    if (!m_enabling.alarmTexts)
        return;
    m_values.alarmTextEnabled = !m_values.alarmTextEnabled;
    m_values.alarmLineEnabled.fill(m_values.alarmTextEnabled);
    sendNow(m_values.alarmTextEnabled ? "dAE" : "dAD");
    changed();
}

void CameraId::toggleAlarmLine(int index)
{
    // "LP - Enable" is always there; the other two go with the alarm texts.
    if (index < 0 || index > 2 || (index > 0 && !m_enabling.alarmTexts))
        return;
    bool& enabled = m_values.alarmLineEnabled[static_cast<std::size_t>(index)];
    enabled = !enabled;
    std::string command = enabled ? "dAe" : "dAd";
    command.push_back(static_cast<char>('1' + index));
    queue(command);
    changed();
}

void CameraId::chooseDisplayMode(int mode)
{
    if (mode < 0 || mode > 2 || !m_enabling.displayModes)
        return;
    m_values.displayMode = mode;
    std::string command = "dl5m";
    command.push_back(static_cast<char>('0' + mode));
    queue(command);
    changed();
}

void CameraId::setAlarmPresetValue(int alarm, int preset)
{
    if (alarm < 0 || alarm > 1)
        return;
    m_values.alarmPreset[static_cast<std::size_t>(alarm)] = std::clamp(preset, 0, HighestPreset);
}

void CameraId::sendAlarmPreset(int alarm)
{
    if (alarm < 0 || alarm > 1)
        return;
    std::string command = "h";
    command.push_back(static_cast<char>('1' + alarm));
    command.push_back(static_cast<char>(m_values.alarmPreset[static_cast<std::size_t>(alarm)] + PresetOffset));
    queue(command);
}

void CameraId::getAlarmPresets()
{
    m_link.timers().start(*this, AlarmGetTimerId, AlarmGetMs);
}

void CameraId::clearAllIds()
{
    // Only the camera's stored IDs hang on the answer: either way the dialog's
    // lines are blanked and blink and maintenance text are switched off.
    if (m_prompter.askYesNo(Messages::ClearAllIdsQuestion, {}, MessageIcon::Error, DefaultButton::Second))
        sendNow("dIC");
    m_values.idEnabled = false;
    m_values.displayAtTop = false;
    m_values.alarmBlink = false;
    m_values.alarmTextEnabled = false;
    m_values.lines = {std::string(16, ' '), std::string(16, ' '), std::string(12, ' '),
                      std::string(18, ' '), std::string(18, ' ')};
    m_unsent.fill(false);
    m_blanked.fill(true);
    queue("dAb");
    m_values.maintenanceTextEnabled = false;
    queue("dMD");
    changed();
}

void CameraId::initAllIds()
{
    m_idTestStep = 0;
    m_link.timers().start(*this, IdTestTimerId, IdTestDelaysMs[0]);
}

void CameraId::idTestStep()
{
    switch (m_idTestStep) {
    case 0:
        m_values.lines[0] = "ID TEST - LINE 1";
        m_unsent[0] = false;
        m_blanked[0] = false;
        queue("dL1ID TEST - LINE 1");
        break;
    case 1:
        m_values.lines[1] = "ID TEST - LINE 2";
        m_unsent[1] = false;
        m_blanked[1] = false;
        queue("dL2ID TEST - LINE 2");
        break;
    case 2:
        m_values.idEnabled = true;
        queue("dIE");
        break;
    case 3:
        m_values.displayAtTop = true;
        queue("dIT");
        break;
    default: break; // the two refreshes
    }
    changed();
    if (++m_idTestStep < IdTestSteps)
        m_link.timers().start(*this, IdTestTimerId, IdTestDelaysMs[m_idTestStep]);
    else
        m_link.timers().stop(*this, IdTestTimerId);
}

void CameraId::readBack()
{
    switch (m_step) {
    case ReadBackStep::Status: queue("cdSc"); break;
    case ReadBackStep::Line1: queue("cdSl1"); break;
    case ReadBackStep::Line2: queue("cdSl2"); break;
    case ReadBackStep::AlarmPresets: queue("h?"); break;
    case ReadBackStep::Done: break;
    }
}

void CameraId::timerFired(int id)
{
    switch (id) {
    case ReadBackTimerId:
        m_link.timers().stop(*this, id);
        readBack();
        break;
    case AlarmGetTimerId:
        m_link.timers().stop(*this, id);
        queue("h?");
        break;
    case IdTestTimerId: idTestStep(); break;
    default: break;
    }
}

void CameraId::replyReceived(std::span<const std::uint8_t> frame)
{
    // A reply cut short is ignored (the traffic record marks it short).
    const auto reply = CameraIdReply::parse(frame, m_link.state().protocolIndex);
    if (!reply || reply->kind == CameraIdReply::Kind::CutShort)
        return;
    apply(*reply);
    changed();
}

void CameraId::apply(const CameraIdReply& reply)
{
    switch (reply.kind) {
    case CameraIdReply::Kind::Status:
        m_values.displayAtTop = reply.status & CameraIdReply::DisplayAtTopBit;
        m_values.idEnabled = reply.status & CameraIdReply::IdEnabledBit;
        m_values.alarmLineEnabled[0] = reply.status & CameraIdReply::LpEnableBit;
        m_values.maintenanceTextEnabled = reply.status & CameraIdReply::MaintenanceTextBit;
        if (const auto mode = reply.displayMode())
            m_values.displayMode = *mode;
        afterAnswerTo(ReadBackStep::Status);
        break;
    case CameraIdReply::Kind::Line: {
        const auto index = static_cast<std::size_t>(reply.line - 1);
        // The camera pads to 24; the edit shows the text, so typing goes on after it.
        m_values.lines[index] = std::string(withoutTrailingSpaces(reply.text));
        m_unsent[index] = false;
        m_blanked[index] = false;
        if (reply.line == 1)
            afterAnswerTo(ReadBackStep::Line1);
        else if (reply.line == 2)
            afterAnswerTo(ReadBackStep::Line2);
        break;
    }
    case CameraIdReply::Kind::AlarmPresets:
        if (reply.alarm1Preset)
            m_values.alarmPreset[0] = *reply.alarm1Preset;
        if (reply.alarm2Preset)
            m_values.alarmPreset[1] = *reply.alarm2Preset;
        afterAnswerTo(ReadBackStep::AlarmPresets);
        break;
    case CameraIdReply::Kind::CutShort: break;
    }
}

void CameraId::afterAnswerTo(ReadBackStep answered)
{
    // Only the answer the read-back waits for moves it on; the same reply at
    // another time just updates the dialog.
    if (m_step != answered)
        return;
    m_step = static_cast<ReadBackStep>(static_cast<int>(m_step) + 1);
    if (m_step != ReadBackStep::Done)
        m_link.timers().start(*this, ReadBackTimerId, NextStepMs);
}

} // namespace tarn
