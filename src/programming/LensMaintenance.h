#pragma once

#include "link/DialogLogic.h"
#include "platform/Timers.h"

#include <functional>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
struct LensReply;

// The lens maintenance settings as the dialog shows them; -1 leaves a list
// unselected until the camera has told its value.
struct LensValues {
    int lensVoltage = -1;  // " 6VDC", " 9VDC", "12VDC"
    int lensMode = 0;      // LensFunction bits
    int phase = 0;         // line-lock phase 0..5
    bool crystal = false;  // crystal lock instead of line lock
    int video = -1;        // "NTSC", "PAL"
    int camera = -1;       // the camera module model list
    bool extender = false; // "2X"
    int infrared = -1;     // "Normal", "850nm", "880nm", "950nm"
};

// Bits of the lens-mode value, one per lens function check box.
enum LensFunction : int {
    ZoomFocusMotorised = 0x1, // "Zoom/Focus"
    MotorIris = 0x2,          // "Motor Iris"
    ZoomFocusFollowPots = 0x4, // "Z/F Follow Pots"
    IrisFollowPot = 0x8,      // "Iris Follow Pot"
};

// "Lens Maintenance" without widgets: the camera's lens drive and camera
// module. Commands go through the dialog's own pump; the camera's 'm' replies
// come here while the dialog is open and fill the values in the order status,
// "mXS", "mRS".
class LensMaintenance final : public DialogLogic, public TimerClient {
public:
    static constexpr int StatusQueryTimerId = 12;
    static constexpr int StatusQueryDelayMs = 5;
    static constexpr int PhaseMax = 5;

    LensMaintenance(CameraLink& link, Prompter& prompter);
    ~LensMaintenance();

    // The dialog opens: drops whatever is still queued, takes the camera's
    // 'm' replies and asks for the lens status 5 ms later.
    void open();

    void setAutoIrisLevel();     // "ma"
    void startCalibratingLens(); // "mc"
    void chooseLensType(int index);
    void setLensFunction(LensFunction function, bool on); // only the flag
    void setLensFunctions();                              // "Set"
    // The phase edit changed. Values outside 0..5 are refused.
    void phaseEdited(int phase);
    void setCrystal(bool on);
    void chooseVideo(int index);
    void chooseCamera(int index);
    void setExtender(bool on);
    void chooseInfrared(int index);
    void clearNvram();

    const LensValues& values() const { return m_values; }
    bool readingBack() const { return m_readingBack; }
    bool phaseControlsEnabled() const { return !m_values.crystal; }


    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    void send(std::string_view command);
    void applyStatus(const LensReply& reply);

    LensValues m_values;
    bool m_readingBack = false;
};

} // namespace tarn
