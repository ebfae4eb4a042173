#include "imaging/AlderHdDsp.h"

#include "core/CameraTypes.h"
#include "core/Messages.h"
#include "imaging/AlderHdDspWire.h"
#include "link/CameraLink.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"

namespace tarn {

using namespace AlderHdDspWire;

AlderHdDsp::AlderHdDsp(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::Dsp, PicturePumpConfig)
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

bool AlderHdDsp::choose(const DspListSetting& setting, int index)
{
    if ((setting.waitsForOpening && guarded()) || !inList(index, setting.count))
        return false;
    m_controls.*setting.control = index;
    sendIndexed(setting.prefix, index);
    return true;
}

void AlderHdDsp::start(int timer, int periodMs)
{
    m_link.timers().start(*this, timer, periodMs);
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
        if (!askNumberEdit(m_prompter, checked.text, checked.lowest, checked.highest, checked.outOfRange)) {
            m_invalidEdit = checked.edit;
            return false;
        }
    }
    return true;
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
            sendIndexed(Lists::Shutter.prefix, m_controls.shutter);
        break;
    default: focusTimerFired(id); break;
    }
}

// Camera

void AlderHdDsp::requestStatus()
{
    send("cDS");
}

void AlderHdDsp::togglePoll()
{
    m_controls.poll = m_controls.poll ? 0 : 1;
    sendIndexed(Lists::Poll.prefix, m_controls.poll);
    changed();
}

void AlderHdDsp::setBaud(int index)
{
    if (!choose(Lists::Baud, index))
        return;
    changed();
}

void AlderHdDsp::initAllPresets()
{
    if (m_prompter.askYesNo(Messages::InitAllPresetsQuestion, {}, MessageIcon::Error, DefaultButton::First))
        send("cPi");
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

} // namespace tarn
