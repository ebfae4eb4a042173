#include "programming/LensMaintenance.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"
#include "programming/LensReply.h"

#include <string>

namespace tarn {

namespace {

constexpr int LensTypeCount = 3;
constexpr int VideoCount = 2;
constexpr int CameraCount = 6;
constexpr int InfraredCount = 4;

std::string withCharacter(std::string_view prefix, char c)
{
    std::string text(prefix);
    text += c;
    return text;
}

char digit(int value)
{
    return static_cast<char>('0' + value);
}

} // namespace

LensMaintenance::LensMaintenance(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::LensMaintenance)
{
}

LensMaintenance::~LensMaintenance()
{
    m_link.timers().stopAll(*this);
}

void LensMaintenance::open()
{
    m_readingBack = true;
    m_values.phase = 0;
    // Whatever the Setup dialog still had queued is dropped: the lens status
    // query goes out first.
    m_link.queue().reset();
    m_link.timers().start(*this, StatusQueryTimerId, StatusQueryDelayMs);
}

void LensMaintenance::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    if (id == StatusQueryTimerId)
        send("m?");
}

void LensMaintenance::send(std::string_view command)
{
    m_pump.append(command);
}

void LensMaintenance::setAutoIrisLevel()
{
    send("ma");
}

void LensMaintenance::startCalibratingLens()
{
    send("mc");
}

void LensMaintenance::chooseLensType(int index)
{
    if (index < 0 || index >= LensTypeCount)
        return;
    m_values.lensVoltage = index;
    send(withCharacter("m", digit(index)));
}

void LensMaintenance::setLensFunction(LensFunction function, bool on)
{
    m_values.lensMode = on ? (m_values.lensMode | function) : (m_values.lensMode & ~function);
}

void LensMaintenance::setLensFunctions()
{
    send(withCharacter("ml", digit(m_values.lensMode & 0x0F)));
}

void LensMaintenance::phaseEdited(int phase)
{
    if (phase < 0 || phase > PhaseMax)
        return;
    m_values.phase = phase;
    // Until the camera has told its settings, what the edit shows is not yet
    // the camera's, so it is not sent.
    if (m_readingBack || m_values.crystal)
        return;
    send(withCharacter("Lp", digit(1 + phase)));
}

void LensMaintenance::setCrystal(bool on)
{
    m_values.crystal = on;
    send(on ? std::string("Lp0") : withCharacter("Lp", digit(1 + m_values.phase)));
}

void LensMaintenance::chooseVideo(int index)
{
    if (index < 0 || index >= VideoCount)
        return;
    m_values.video = index;
    send(withCharacter("mv", digit(index)));
}

void LensMaintenance::chooseCamera(int index)
{
    if (index < 0 || index >= CameraCount)
        return;
    m_values.camera = index;
    send(withCharacter("mc", digit(index)));
}

void LensMaintenance::setExtender(bool on)
{
    m_values.extender = on;
    send(withCharacter("mX", digit(on ? 1 : 0)));
}

void LensMaintenance::chooseInfrared(int index)
{
    if (index < 0 || index >= InfraredCount)
        return;
    m_values.infrared = index;
    send(withCharacter("mR", digit(index)));
}

void LensMaintenance::clearNvram()
{
    if (m_prompter.askYesNo(Messages::ClearNvramQuestion, {}, MessageIcon::Error, DefaultButton::Second))
        send("rrRRRR");
}

void LensMaintenance::replyReceived(std::span<const std::uint8_t> frame)
{
    const LensReply reply = LensReply::parse(frame, m_link.state().protocolIndex);
    switch (reply.kind) {
    case LensReply::Kind::None: return;
    case LensReply::Kind::Status:
        applyStatus(reply);
        send("mXS");
        break;
    case LensReply::Kind::Extender:
        m_values.extender = reply.value != 0;
        send("mRS");
        break;
    case LensReply::Kind::Infrared: m_values.infrared = reply.value; break;
    }
    changed();
}

void LensMaintenance::applyStatus(const LensReply& reply)
{
    m_values.lensVoltage = reply.lensVoltage;
    if (reply.lensMode)
        m_values.lensMode = *reply.lensMode;
    if (reply.video)
        m_values.video = *reply.video;
    if (reply.phaseByte) {
        m_values.crystal = *reply.phaseByte == 0;
        if (!m_values.crystal)
            m_values.phase = *reply.phaseByte - 1;
    }
    if (reply.camera)
        m_values.camera = *reply.camera;
    m_readingBack = false;
}

} // namespace tarn
