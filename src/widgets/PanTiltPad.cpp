#include "widgets/PanTiltPad.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tarn {

namespace {

constexpr std::array<std::string_view, PanTiltPad::ZoneCount + 1> ZoneCommands = {
    "", "PLTU", "PSTU", "PRTU", "PRTS", "PRTD", "PSTD", "PLTD", "PLTS"};

// The zone that lies in direction (pan, tilt), each -1, 0 or +1.
int zoneInDirection(int pan, int tilt)
{
    constexpr int zones[3][3] = {{1, 2, 3}, {8, 0, 4}, {7, 6, 5}};
    return zones[tilt + 1][pan + 1];
}

// The slowest code a press may give: a technician who presses just outside
// the dead band wants to see the camera move.
constexpr char SlowestPressCode = 0x13;
// Tilt speed 0 during a drag (a low tilt scale near the centre line) is sent
// as 0x11; pan speed 0 keeps its plain code 0x10.
constexpr char SlowestTiltMoveCode = 0x11;

} // namespace

PanTiltPad::PanTiltPad(CommandSink sink)
    : m_sink(std::move(sink))
{
    setWindowSize(123, 123);
}

PanTiltPad::~PanTiltPad()
{
    if (m_timers)
        m_timers->stopAll(*this);
}

void PanTiltPad::setTimers(Timers* timers)
{
    if (m_timers)
        m_timers->stopAll(*this);
    m_timers = timers;
    // A release that was waiting for the old timers takes effect now.
    if (std::find(m_releasing.begin(), m_releasing.end(), true) != m_releasing.end())
        timerFired(KeyReleaseTimer);
}

void PanTiltPad::setWindowSize(int width, int height)
{
    // Odd sizes give the pad a true centre pixel; the floor keeps a pad of at
    // least one pixel inside the margins.
    constexpr int smallest = 2 * Margin + 1;
    m_windowWidth = std::max(width % 2 == 0 ? width + 1 : width, smallest);
    m_windowHeight = std::max(height % 2 == 0 ? height + 1 : height, smallest);
    m_pad = {Margin, Margin, m_windowWidth - Margin, m_windowHeight - Margin};
    buildZones();
}

PadPoint PanTiltPad::centre() const
{
    return {(m_pad.left + m_pad.right) / 2, (m_pad.top + m_pad.bottom) / 2};
}

void PanTiltPad::setCentreBand(int halfWidth)
{
    m_centreBand = std::max(halfWidth, 0);
    buildZones();
}

void PanTiltPad::setPanTiltType(int type)
{
    m_type = (type == 1 || type == 2) ? type : 0;
}

void PanTiltPad::setSpeeds(int panScale, int tiltScale)
{
    // Any scale above MaxSpeedScale already gives the top code a pixel off
    // the centre; the bound keeps the speed arithmetic from overflowing on
    // a mistyped setting.
    m_panScale = std::clamp(panScale, 0, MaxSpeedScale);
    m_tiltScale = std::clamp(tiltScale, 0, MaxSpeedScale);
}

void PanTiltPad::buildZones()
{
    const auto [cx, cy] = centre();
    const int w = m_centreBand;
    const int l = m_pad.left, t = m_pad.top, r = m_pad.right, b = m_pad.bottom;
    m_zones = {{
        {l, t, cx - w, cy - w},
        {cx - w, t, cx + w, cy - w},
        {cx + w, t, r, cy - w},
        {cx + w, cy - w, r, cy + w},
        {cx + w, cy + w, r, b},
        {cx - w, cy + w, cx + w, b},
        {l, cy + w, cx - w, b},
        {l, cy - w, cx - w, cy + w},
    }};
}

PadRect PanTiltPad::zoneRect(int zone) const
{
    if (zone < 1 || zone > ZoneCount)
        return {};
    return m_zones[static_cast<std::size_t>(zone - 1)];
}

int PanTiltPad::zoneAt(int x, int y) const
{
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        if (zoneRect(zone).contains(x, y))
            return zone;
    }
    return 0;
}

std::string_view PanTiltPad::zoneCommand(int zone)
{
    if (zone < 1 || zone > ZoneCount)
        return {};
    return ZoneCommands[static_cast<std::size_t>(zone)];
}

char PanTiltPad::speedCode(int speed)
{
    // Two bands with a gap: speed codes never fall in 0x30..0x3F.
    int code = speed;
    if (speed >= 0 && speed <= 31)
        code = speed + 0x10;
    else if (speed >= 32 && speed <= 63)
        code = speed + 0x20;
    return static_cast<char>(std::min(code, 0x5F));
}

PadPoint PanTiltPad::confine(int x, int y) const
{
    return {std::clamp(x, m_pad.left, m_pad.right - 1), std::clamp(y, m_pad.top, m_pad.bottom - 1)};
}

std::string PanTiltPad::proportionalCommand(PadPoint point, bool onPress) const
{
    const PadPoint c = centre();
    const auto part = [onPress](int offset, int half, int scale, char towardsLess, char towardsMore,
                                std::string_view stop, char slowestMoveCode) {
        const int d = std::abs(offset);
        // A press lands less precisely than a drag passes the centre, so its
        // dead band is wider.
        if (onPress ? d < 3 : d == 0)
            return std::string(stop);
        // In 64 bits: the largest widget times the largest scale.
        const std::int64_t twiceHalf = 2 * std::int64_t{half};
        const std::int64_t exact = half > 0 ? (2 * std::int64_t{d} * scale + half) / twiceHalf : scale;
        const int speed = static_cast<int>(std::min<std::int64_t>(exact, MaxSpeedScale));
        char code = speedCode(speed);
        if (onPress && speed <= 2)
            code = SlowestPressCode;
        else if (!onPress && speed == 0)
            code = slowestMoveCode;
        return std::string{offset < 0 ? towardsLess : towardsMore, code};
    };
    return part(point.x - c.x, halfWidth(), m_panScale, 'l', 'r', "PS", speedCode(0))
         + part(point.y - c.y, halfHeight(), m_tiltScale, 'u', 'd', "TS", SlowestTiltMoveCode);
}

void PanTiltPad::send(std::string_view command)
{
    if (m_sink)
        m_sink(command);
}

void PanTiltPad::press(int x, int y)
{
    if (!m_pad.contains(x, y))
        return;
    // The pointer takes over from any held arrow key; its command supersedes.
    forgetKeys();
    m_keyPan = m_keyTilt = 0;

    m_dragging = true;
    m_cursor = {x, y};
    if (isProportional()) {
        m_lastProportional = proportionalCommand(m_cursor, true);
        send(m_lastProportional);
        return;
    }
    // A press in the centre square still starts the drag, so that moving out
    // of it picks a zone; it sends nothing by itself.
    m_zone = zoneAt(x, y);
    if (m_zone != 0)
        send(zoneCommand(m_zone));
}

void PanTiltPad::move(int x, int y)
{
    if (!m_dragging)
        return;
    m_cursor = confine(x, y);
    if (isProportional()) {
        std::string command = proportionalCommand(m_cursor, false);
        // Comparing the whole text, not only the codes, so that a jump across
        // the centre line at the same distance still reverses the camera.
        if (command != m_lastProportional) {
            m_lastProportional = std::move(command);
            send(m_lastProportional);
        }
        return;
    }
    const int zone = zoneAt(m_cursor.x, m_cursor.y);
    // The centre square keeps the remembered zone: passing through it on the
    // way back to the same zone must not resend.
    if (zone != 0 && zone != m_zone) {
        m_zone = zone;
        send(zoneCommand(zone));
    }
}

void PanTiltPad::release()
{
    m_dragging = false;
    m_zone = 0;
    m_lastProportional.clear();
    forgetKeys();
    m_keyPan = m_keyTilt = 0;
    send(StopCommand);
}

void PanTiltPad::forgetKeys()
{
    m_held = {};
    m_releasing = {};
    if (m_timers)
        m_timers->stop(*this, KeyReleaseTimer);
}

void PanTiltPad::keyPress(ArrowKey key, bool autoRepeat)
{
    if (autoRepeat || m_dragging)
        return;
    const auto k = static_cast<std::size_t>(key);
    if (m_releasing[k]) {
        // The release just before was half of an auto-repeat pair: the key
        // is still held and the camera keeps its drive.
        m_releasing[k] = false;
        return;
    }
    m_held[k] = true;
    driveKeys();
}

void PanTiltPad::keyRelease(ArrowKey key, bool autoRepeat)
{
    const auto k = static_cast<std::size_t>(key);
    if (autoRepeat || m_dragging || !m_held[k])
        return;
    if (!m_timers) {
        m_held[k] = false;
        driveKeys();
        return;
    }
    m_releasing[k] = true;
    m_timers->start(*this, KeyReleaseTimer, KeyRepeatSettleMs);
}

void PanTiltPad::timerFired(int id)
{
    if (id != KeyReleaseTimer)
        return;
    if (m_timers)
        m_timers->stop(*this, KeyReleaseTimer);
    for (std::size_t k = 0; k < m_held.size(); ++k) {
        if (m_releasing[k])
            m_held[k] = false;
    }
    m_releasing = {};
    driveKeys();
}

void PanTiltPad::releaseKeys()
{
    if (m_dragging)
        return;
    forgetKeys();
    driveKeys();
}

void PanTiltPad::stopDriving()
{
    if (m_dragging)
        release();
    else
        releaseKeys();
}

void PanTiltPad::driveKeys()
{
    // Opposite keys cancel each other.
    const auto held = [this](ArrowKey key) { return int(m_held[static_cast<std::size_t>(key)]); };
    const int pan = held(ArrowKey::Right) - held(ArrowKey::Left);
    const int tilt = held(ArrowKey::Down) - held(ArrowKey::Up);
    if (pan == m_keyPan && tilt == m_keyTilt)
        return;
    m_keyPan = pan;
    m_keyTilt = tilt;
    const PadPoint c = centre();
    if (pan == 0 && tilt == 0) {
        m_zone = 0;
        m_cursor = c;
        send(StopCommand);
        return;
    }
    if (!isProportional()) {
        m_cursor = {c.x + pan * halfWidth(), c.y + tilt * halfHeight()};
        m_zone = zoneInDirection(pan, tilt);
        send(zoneCommand(m_zone));
        return;
    }
    // Half the speed scale: quick enough to find a target, slow enough to stop on it.
    m_cursor = {c.x + pan * (halfWidth() / 2), c.y + tilt * (halfHeight() / 2)};
    const auto part = [](int direction, int scale, char towardsLess, char towardsMore,
                         std::string_view stop) {
        if (direction == 0)
            return std::string(stop);
        const int speed = (scale + 1) / 2;
        const char code = speed <= 2 ? SlowestPressCode : speedCode(speed);
        return std::string{direction < 0 ? towardsLess : towardsMore, code};
    };
    send(part(pan, m_panScale, 'l', 'r', "PS") + part(tilt, m_tiltScale, 'u', 'd', "TS"));
}

} // namespace tarn
