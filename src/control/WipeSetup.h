#pragma once

#include "control/AccessoryReply.h"
#include "control/AccessorySetup.h"

namespace tarn {

// "Wipe Setup" without widgets: the wiper's run time, its delay and the
// wiper module. "Set" sends both times as "mwr%04dd%02d"; a module choice
// goes out at once as "mwm0" or "mwm1"; "mw?" reads the settings back.
class WipeSetup final : public AccessorySetup {
public:
    static constexpr int HighestRunTime = 9999;
    static constexpr int HighestDelayTime = 99;
    enum class Field { None, RunTime, DelayTime };

    WipeSetup(CameraLink& link, Prompter& prompter);

    const WipeSettings& settings() const { return m_settings; }

    // What the operator typed; checked when "Set" reads it.
    void setRunTime(int seconds) { m_settings.runTime = seconds; }
    void setDelayTime(int seconds) { m_settings.delayTime = seconds; }
    // "Set": false (after the range prompt, with nothing queued) when a
    // field is out of its range; `invalidField` names it.
    bool set();
    Field invalidField() const { return m_invalidField; }
    // "Old Module" (0) / "New Module" (1).
    void chooseModule(int module);

protected:
    bool read(std::span<const std::uint8_t> frame, int protocolIndex) override;

private:
    WipeSettings m_settings;
    Field m_invalidField = Field::None;
};

} // namespace tarn
