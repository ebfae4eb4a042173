#include "sim/Camera.h"

#include "sim/CommandGroups.h"
#include "sim/PassThroughCommands.h"
#include "sim/ReplyFrames.h"
#include "sim/StatusTexts.h"
#include "sim/WireBytes.h"

namespace tarn::sim {

namespace {
constexpr std::string_view BadChecksum = "bad checksum";
constexpr std::string_view IgnoredInNtcip = "ignored in NTCIP mode";
constexpr std::string_view NotInNtcip = "not in NTCIP mode";
constexpr std::string_view Taken = "taken, no answer";
} // namespace

Camera::Camera(const CameraState::Identity& identity)
    : m_state(identity)
{
    addStatusCommands(m_commands, m_state);
    addMotionCommands(m_commands, m_state);
    addPresetCommands(m_commands, m_state);
    addCameraIdCommands(m_commands, m_state);
    addSetupCommands(m_commands, m_state);
    addDspCommands(m_commands, m_state);
    addMaintenanceCommands(m_commands, m_state);
    addSectorTourCommands(m_commands, m_state);
    addThermalCommands(m_commands, m_state);
    addAccessoryCommands(m_commands, m_state);
    addAzimuthCommands(m_commands, m_state);
    addScreenPrivacyCommands(m_commands, m_state);
}

Camera::Response Camera::respond(const ReceivedFrame& frame, TimePoint now)
{
    m_state.advanceTo(now);
    if (!frame.intact)
        return {std::nullopt, BadChecksum};
    switch (frame.kind) {
    case ReceivedFrame::Kind::Tarn: return respondToTarn(frame);
    case ReceivedFrame::Kind::Link: return respondToLink(frame);
    case ReceivedFrame::Kind::PassThrough:
        if (!addressedBy(frame))
            return {std::nullopt, OtherCamera};
        return {passThroughAnswer(m_state, frame.frame()), {}};
    }
    return {};
}

bool Camera::addressedBy(const ReceivedFrame& frame) const
{
    switch (frame.kind) {
    case ReceivedFrame::Kind::Tarn: return frame.broadcast || frame.address == m_state.identity.address;
    case ReceivedFrame::Kind::PassThrough: return frame.address == m_state.identity.address;
    // Every dome in NTCIP mode gives its address away through the link frame.
    case ReceivedFrame::Kind::Link: return true;
    }
    return false;
}

Camera::Response Camera::respondToTarn(const ReceivedFrame& frame)
{
    if (!addressedBy(frame))
        return {std::nullopt, OtherCamera};
    // In NTCIP mode the address is only given away through the link frame.
    if (m_state.ntcip && frame.text.starts_with("A?"))
        return {std::nullopt, IgnoredInNtcip};
    const CommandResult result = m_commands.dispatch(frame.text);
    switch (result.kind) {
    case CommandResult::Kind::Ack: return {ReplyFrames::acknowledgement(), {}};
    case CommandResult::Kind::Reply: return {ReplyFrames::tarn(m_state, result.text), {}};
    case CommandResult::Kind::Silence: break;
    }
    return {std::nullopt, Taken};
}

Camera::Response Camera::respondToLink(const ReceivedFrame& frame)
{
    if (frame.linkLetter == Wire::LinkLetterAddress) {
        if (!m_state.ntcip)
            return {std::nullopt, NotInNtcip};
        return {ReplyFrames::tarn(m_state, StatusTexts::address(m_state)), {}};
    }
    // 'D': the console has the address and takes over; nothing to say.
    return {std::nullopt, Taken};
}

} // namespace tarn::sim
