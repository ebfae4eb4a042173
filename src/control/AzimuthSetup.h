#pragma once

#include "link/DialogLogic.h"

#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
struct AzimuthReply;

// The buttons of Azimuth Setup that send a command, the auto response
// radios included.
enum class AzimuthButton {
    NorthSet,
    NorthClear,
    NorthEightZones,
    NorthSixteenZones,
    AzElEnable,
    AzElDisable,
    AzElPermanent,
    AzElTimeOut,
    DirectionEnable,
    DirectionDisable,
    DirectionPermanent,
    DirectionTimeOut,
    GroupedWithIds,
    SeparatedFromIds,
    AutoResponseEnable,
    AutoResponseDisable,
    GetControlSetup,
    GetCurrentPtzfl,
};

// "Azimuth Setup" without widgets: the camera's north direction, its
// direction read-outs and its automatic status responses. Every button
// queues one command for the dialog's own pump (timers 10 and 11, up to 2 s
// for each answer); the 'U' replies come here while it exists.
class AzimuthSetup final : public DialogLogic {
public:
    static constexpr int LowestDelay = 100;
    static constexpr int HighestDelay = 999;
    static constexpr int NoAutoResponse = -1;

    AzimuthSetup(CameraLink& link, Prompter& prompter);

    // Set while the dialog initialises: nothing is queued then.
    bool busy() const { return m_pump.initialising(); }
    // Milliseconds, 100..999 once read.
    int delay() const { return m_delay; }
    // 0 "Enable", 1 "Disable", NoAutoResponse before either is known.
    int autoResponse() const { return m_autoResponse; }
    const std::string& controlSetupText() const { return m_controlSetupText; }

    void press(AzimuthButton button);
    // "Set Delay Time" with the delay field's text: checked for a whole
    // number of 100..999 (the prompt and nothing queued otherwise), then
    // "UT%03d". Returns false when refused.
    bool setDelayTime(std::string_view text);

    static std::string_view command(AzimuthButton button);

    void replyReceived(std::span<const std::uint8_t> frame) override;

private:
    void apply(const AzimuthReply& reply);

    int m_delay = LowestDelay;
    int m_autoResponse = NoAutoResponse;
    std::string m_controlSetupText;
};

} // namespace tarn
