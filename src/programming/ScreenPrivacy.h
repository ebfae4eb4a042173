#pragma once

#include "link/DialogLogic.h"
#include "platform/Timers.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
struct ScreenPrivacyReply;

// What the Screen Privacy Zone Setup dialog's controls show. -1 is nothing
// to show: no zone chosen, no mode selected, a value the camera's answer did
// not give in range.
struct ScreenPrivacyValues {
    int zone = -1;           // list position 0..7 (zones 1..8)
    int mode = -1;           // 0 "Off", 1 "Programming", 2 "Live"
    int horizontalSize = 0;  // 0..127
    int verticalSize = 0;
    int redColour = 0;       // "R-Y Color" 0..15
    int blueColour = 0;      // "B-Y Color"
    int shade = 0;           // "Shade Level"
    std::string pan;         // up to 4 digits
    std::string tilt;
};

// The Screen Privacy Zone Setup dialog without widgets: the masked screen
// areas the camera module draws over the picture. The operator aims the
// camera with the pad, the zoom buttons or typed positions, and sets each
// zone's mode, size and colour. Everything goes out through the dialog's own
// pump (5 ms, one command per answer or 2000 ms). The dialog takes the
// camera's replies from construction to destruction; before each command
// whose answer it wants it marks the privacy reply as wanted, so the answer
// comes here and not to the picture dialog underneath.
class ScreenPrivacy final : public DialogLogic, public TimerClient {
public:
    static constexpr int ZoneCount = 8;
    static constexpr int HighestSize = 127;
    static constexpr int HighestColour = 15;
    static constexpr std::size_t PositionLength = 4;

    static constexpr int ZoneQueryTimerId = 1;
    static constexpr int PositionQueryTimerId = 2;
    static constexpr int ZoneQueryDelayMs = 1000;
    static constexpr int PositionQueryDelayMs = 5;

    enum class Size { Horizontal, Vertical };
    enum class Colour { Red, Blue, Shade };
    // The edit to put the focus into after a refused "Goto".
    enum class Edit { None, Pan, Tilt };

    // Nothing is queued until open().
    ScreenPrivacy(CameraLink& link, Prompter& prompter);
    ~ScreenPrivacy();


    // The controls are ready: "c*NA", and a second later the camera is asked
    // for its zone's settings.
    void open();

    void chooseZone(int index);
    void setMode(int mode);
    // Each change of the edits; values outside their ranges send nothing.
    void setSize(Size size, int value);
    void setColour(Colour colour, int value);

    // "P/T ?"
    void queryPosition();
    // "Goto": both edits need four decimal digits.
    void gotoPosition();
    void setPanText(std::string_view text) { m_values.pan = text; }
    void setTiltText(std::string_view text) { m_values.tilt = text; }

    // "ZI" / "ZO" held, and let go.
    void zoomPressed(bool zoomIn);
    void zoomReleased();
    // A command of the embedded pan/tilt pad.
    void padCommand(std::string_view command);

    const ScreenPrivacyValues& values() const { return m_values; }
    bool zoneChosen() const { return m_values.zone >= 0; }
    Edit invalidEdit() const { return m_invalidEdit; }

    // The zoom commands: the variable-speed forms unless the pan/tilt type is
    // 0 ("Fixed P/T"), the fast ones "cZ2"/"cz2" when `fast`.
    static std::string zoomCommand(bool zoomIn, int panTiltType, bool fast);

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    void queue(std::string_view command);
    void queueWithZone(std::string_view prefix, std::string_view rest);
    char zoneCharacter() const;
    void apply(const ScreenPrivacyReply& reply);

    ScreenPrivacyValues m_values;
    Edit m_invalidEdit = Edit::None;
    // The dialog's own zoom form: no control of it changes these.
    int m_zoomPanTiltType = 1;
    bool m_fastZoom = false;
};

} // namespace tarn
