#pragma once

#include "control/AccessoryReply.h"
#include "control/AccessorySetup.h"

namespace tarn {

// "Wash Setup" without widgets: the wash time, the automatic wash frequency
// and the manual wash choice, all sent by "Set" as "mWW%02dm%1df%03d";
// "SetWashHome" sends "mWh"; "mW?" reads the settings back.
class WashSetup final : public AccessorySetup {
public:
    static constexpr int HighestWashTime = 99;
    static constexpr int LowestFrequency = 1;
    static constexpr int HighestFrequency = 10; // typed; the camera may report up to 168
    enum class Field { None, WashTime, Frequency };

    WashSetup(CameraLink& link, Prompter& prompter);

    const WashSettings& settings() const { return m_settings; }

    // What the operator typed or ticked; checked when "Set" reads it.
    void setWashTime(int seconds) { m_settings.washTime = seconds; }
    void setFrequency(int minutes) { m_settings.frequency = minutes; }
    void setManualWash(bool manual) { m_settings.manualWash = manual ? 1 : 0; }
    // "Set": false (after the range prompt, with nothing queued) when a
    // field is out of its range; `invalidField` names it.
    bool set();
    Field invalidField() const { return m_invalidField; }
    void setWashHome();

protected:
    bool read(std::span<const std::uint8_t> frame, int protocolIndex) override;

private:
    WashSettings m_settings;
    Field m_invalidField = Field::None;
};

} // namespace tarn
