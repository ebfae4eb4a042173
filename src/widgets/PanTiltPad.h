#pragma once

#include "platform/Timers.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tarn {

// A rectangle in pad-window pixels; right and bottom are exclusive.
struct PadRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PadRect&) const = default;
};

struct PadPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PadPoint&) const = default;
};

// The pan/tilt pad's behaviour without any widget: turns pointer and arrow-key
// input in pad-window coordinates into the pan/tilt command texts and hands
// each one to the command sink at once (the caller queues it for the camera).
//
// Pan/tilt type 0 ("Fixed P/T") divides the pad into eight direction zones
// with fixed-speed commands ("PLTU" ... "PLTS"); types 1 and 2 send a speed
// proportional to the distance from the centre, as a direction letter plus a
// speed code byte ("r\x5FTS", "l\x2Fu\x13", ...). Releasing always sends
// "PSTS".
class PanTiltPad final : private TimerClient {
public:
    using CommandSink = std::function<void(std::string_view command)>;

    enum class ArrowKey { Left, Right, Up, Down };

    static constexpr int Margin = 12;
    static constexpr int DefaultCentreBand = 8;
    static constexpr int DefaultSpeedScale = 63;
    static constexpr int MaxSpeedScale = 0xFFFF;
    static constexpr int ZoneCount = 8;
    static constexpr std::string_view StopCommand = "PSTS";
    // The pad's own timer (its own client): a released arrow key stops the
    // camera only when no press of the same key follows within
    // KeyRepeatSettleMs. Some keyboards and remote desktops send auto-repeat
    // as release/press pairs not marked as repeats; without the wait a held
    // key would stop and restart the camera at the repeat rate.
    static constexpr int KeyReleaseTimer = 1;
    static constexpr int KeyRepeatSettleMs = 30;

    explicit PanTiltPad(CommandSink sink = {});
    ~PanTiltPad();
    PanTiltPad(const PanTiltPad&) = delete;
    PanTiltPad& operator=(const PanTiltPad&) = delete;

    void setCommandSink(CommandSink sink) { m_sink = std::move(sink); }
    // Without timers a key release takes effect at once.
    void setTimers(Timers* timers);

    // Sizes the pad window: each of width and height is made odd, the pad is
    // the window less a 12-pixel margin on every side, and the zones follow.
    // Speeds are reckoned from the pad's half sizes, so the edge gives the
    // full speed scale at any size.
    void setWindowSize(int width, int height);
    int windowWidth() const { return m_windowWidth; }
    int windowHeight() const { return m_windowHeight; }
    PadRect padRect() const { return m_pad; }
    int halfWidth() const { return m_pad.width() / 2; }
    int halfHeight() const { return m_pad.height() / 2; }
    PadPoint centre() const;

    // Half the width of the neutral bands between the zones.
    void setCentreBand(int halfWidth);
    int centreBand() const { return m_centreBand; }

    // 0 fixed-speed zones; 1 and 2 proportional speeds; any other value
    // falls back to the zones.
    void setPanTiltType(int type);
    int panTiltType() const { return m_type; }
    bool isProportional() const { return m_type == 1 || m_type == 2; }

    // The speeds reached at the pad's edge (the "PSpeed" and "TSpeed" settings).
    void setSpeeds(int panScale, int tiltScale);
    int panSpeedScale() const { return m_panScale; }
    int tiltSpeedScale() const { return m_tiltScale; }

    // Left button. A press outside the pad rectangle is ignored; while the
    // button is held the position is taken as confined to the pad.
    void press(int x, int y);
    void move(int x, int y);
    // Stops the camera wherever the pointer is, also after a press that did
    // not start a drag, and ends any arrow-key drive.
    void release();

    // Arrow keys on the focused pad drive it as a press at the pad's edge in
    // that direction (type 0) or at half the speed scale (types 1 and 2);
    // two keys at right angles combine. Auto-repeated events are ignored, and
    // so is a release followed by a press of the same key within
    // KeyRepeatSettleMs (with timers): a held key gives one start and one
    // stop. Releasing the last key sends "PSTS". Keys are ignored during a drag.
    void keyPress(ArrowKey key, bool autoRepeat = false);
    void keyRelease(ArrowKey key, bool autoRepeat = false);
    // The pad lost the keyboard focus: a held key will never report its
    // release here, so stop now.
    void releaseKeys();
    // Whatever drives the camera, pointer or keys, ends now with one "PSTS"
    // (nothing when nothing drives): for a hold cut short by a modal box,
    // a lost activation or a lost pointer grab.
    void stopDriving();

    // The left button is held on the pad.
    bool isDragging() const { return m_dragging; }
    // An arrow key is driving the camera.
    bool isKeyDriving() const { return m_keyPan != 0 || m_keyTilt != 0; }
    // The remembered zone of type 0 (0 none, 1 to 8), also for arrow keys.
    int zone() const { return m_zone; }
    // Where the drag lines start: the confined pointer position, or for the
    // arrow keys the point that stands for their direction.
    PadPoint cursor() const { return m_cursor; }

    // Zones 1 up-left, 2 up, 3 up-right, 4 right, 5 down-right, 6 down,
    // 7 down-left, 8 left; 0 for the centre square or outside the pad.
    PadRect zoneRect(int zone) const;
    int zoneAt(int x, int y) const;
    static std::string_view zoneCommand(int zone);

    // The byte that encodes speed s: 0..31 -> s + 0x10, 32..63 -> s + 0x20,
    // larger s unchanged, and never above 0x5F.
    static char speedCode(int speed);

private:
    void timerFired(int id) override;
    void forgetKeys();
    void send(std::string_view command);
    void buildZones();
    PadPoint confine(int x, int y) const;
    std::string proportionalCommand(PadPoint point, bool onPress) const;
    void driveKeys();

    CommandSink m_sink;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    PadRect m_pad;
    int m_centreBand = DefaultCentreBand;
    std::array<PadRect, ZoneCount> m_zones{};
    int m_type = 0;
    int m_panScale = DefaultSpeedScale;
    int m_tiltScale = DefaultSpeedScale;

    bool m_dragging = false;
    int m_zone = 0;
    PadPoint m_cursor;
    // The last proportional command of the drag: a move resends only when
    // it would say something different.
    std::string m_lastProportional;

    Timers* m_timers = nullptr;
    // Held arrow keys (by ArrowKey), those released but waiting for the
    // settle time, and the direction they last drove (-1, 0, +1 per axis).
    std::array<bool, 4> m_held{};
    std::array<bool, 4> m_releasing{};
    int m_keyPan = 0;
    int m_keyTilt = 0;
};

} // namespace tarn
