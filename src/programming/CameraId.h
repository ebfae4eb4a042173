#pragma once

#include "link/DialogLogic.h"
#include "platform/Timers.h"

#include <array>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
struct CameraIdReply;

// What the "Program Camera ID" dialog shows and holds, hidden controls
// included (they only keep values).
struct CameraIdValues {
    static constexpr int LineCount = 5;

    bool idEnabled = false;
    // Lines 1 and 2 are the ID, 3..5 the alarm texts; as typed (UTF-8) or as
    // read back from the camera.
    std::array<std::string, LineCount> lines{};
    bool idGeneratedInCamera = false;
    std::array<bool, 2> idLineEnabled{};
    bool alarmTextEnabled = false;
    bool alarmBlink = false;
    // "LP - Enable", alarm "Enable Line 2", "Enable Line 3".
    std::array<bool, 3> alarmLineEnabled{};
    bool maintenanceTextEnabled = false;
    bool displayAtTop = false;
    // ID line 5: 0 "AZ/EL/Zoom/LP", 1 "Compass/Zoom/LP", 2 "Maintenance (...)".
    int displayMode = 0;
    // 0..64, 0: no preset goes with the alarm.
    std::array<int, 2> alarmPreset{1, 1};
    bool ptzlAutoResponse = false;
    bool osdMenuOn = false;
    bool osdFreezeEntry = false;
};

// Which controls the camera type leaves usable.
struct CameraIdEnabling {
    bool idGeneratedInCamera = false;
    bool displayModes = false;
    // "Enable (All)", alarm "Enable Line 2" and "Enable Line 3", the "Line 4"
    // and "Line 5" edits and "Display at top".
    bool alarmTexts = false;

    static CameraIdEnabling forCameraType(int cameraType);
};

// The "Program Camera ID" dialog without widgets. It takes the camera's
// replies while it exists (registered with the router from construction to
// destruction) and reads the camera's settings back when it opens:
// "cdSc" -> "cdSl1" -> "cdSl2" -> "h?", each step after the answer to the one
// before. Line texts and the enables go out at once; the other commands are
// queued and drained by the dialog's own pump (timers 1 and 2).
class CameraId final : public DialogLogic, public TimerClient {
public:
    static constexpr int PumpTimerId = 1;
    static constexpr int HoldTimerId = 2;
    static constexpr int ReadBackTimerId = 3;
    static constexpr int AlarmGetTimerId = 4;
    static constexpr int IdTestTimerId = 5;
    static constexpr int HighestPreset = 64;

    enum class ReadBackStep { Status, Line1, Line2, AlarmPresets, Done };

    CameraId(CameraLink& link, Prompter& prompter);
    ~CameraId();

    const CameraIdValues& values() const { return m_values; }
    const CameraIdEnabling& enabling() const { return m_enabling; }
    ReadBackStep readBackStep() const { return m_step; }

    // Typing in line `line` (1..5) made `text`. Past 24 characters the text
    // is refused with the message, and false returned: the edit goes back.
    bool editLine(int line, std::string_view text);
    // The line's edit lost the focus: "dL", the digit and the 24-character field.
    void leaveLine(int line);

    void toggleIdEnabled();
    void toggleDisplayAtTop();
    void toggleAlarmTextEnabled();
    // 0 "LP - Enable", 1 alarm "Enable Line 2", 2 "Enable Line 3".
    void toggleAlarmLine(int index);
    void chooseDisplayMode(int mode);
    // `alarm` 0 or 1.
    void setAlarmPresetValue(int alarm, int preset);
    void sendAlarmPreset(int alarm);
    void getAlarmPresets();
    void clearAllIds();
    void initAllIds();
    // The dialog closes: a line typed but not yet sent (the window closed
    // while its edit had the focus) still goes.
    void close();

    // "dL" + digit + the 24-character field of `text`.
    static std::string lineCommand(int line, std::string_view text);

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    void sendNow(std::string_view command);
    void queue(std::string_view command);
    void readBack();
    void idTestStep();
    void apply(const CameraIdReply& reply);
    void afterAnswerTo(ReadBackStep answered);

    CameraIdValues m_values;
    CameraIdEnabling m_enabling;
    ReadBackStep m_step = ReadBackStep::Status;
    int m_idTestStep = 0;
    std::array<bool, CameraIdValues::LineCount> m_unsent{};
    // Blanked by "Clear All IDs" and not typed in since: leaving such a line
    // must not write blanks over IDs the operator chose to keep.
    std::array<bool, CameraIdValues::LineCount> m_blanked{};
};

} // namespace tarn
