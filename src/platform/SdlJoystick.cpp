#include "platform/SdlJoystick.h"

#include "platform/TimerIds.h"

#include <SDL.h>

#include <algorithm>

namespace tarn {

namespace {

double scaled(Sint16 value)
{
    return std::clamp(static_cast<double>(value) / 32767.0, -1.0, 1.0);
}

} // namespace

SdlJoystick::SdlJoystick(Timers& timers)
    : m_timers(timers)
{
    // No SDL window ever has the focus, so without this a stick would be
    // read only while some SDL window is in front.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // The console has its own handling of SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_available = SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0;
    if (!m_available)
        return;
    // Only the state is read; queued motion events would pile up unread.
    for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN,
                        SDL_JOYBUTTONUP, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN,
                        SDL_CONTROLLERBUTTONUP})
        SDL_EventState(type, SDL_IGNORE);
    m_timers.start(*this, TimerId::StickPoll, PollMs);
}

SdlJoystick::~SdlJoystick()
{
    m_timers.stopAll(*this);
    if (!m_available)
        return;
    close();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    // The last user of SDL gives back what it kept besides (the hints).
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

void SdlJoystick::timerFired(int id)
{
    if (id == TimerId::StickPoll)
        poll();
}

void SdlJoystick::poll()
{
    if (!m_available)
        return;
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    bool plugged = false;
    if (m_joystick && !SDL_JoystickGetAttached(m_joystick)) {
        close();
        plugged = true;
    }
    if (!m_joystick && SDL_NumJoysticks() > 0)
        plugged = openFirst() || plugged;
    read();
    if (m_listener)
        m_listener->stickPolled(m_state, plugged);
}

bool SdlJoystick::openFirst()
{
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_IsGameController(index)) {
            m_controller = SDL_GameControllerOpen(index);
            if (m_controller) {
                m_joystick = SDL_GameControllerGetJoystick(m_controller);
                const char* name = SDL_GameControllerName(m_controller);
                m_state.name = name && *name ? name : "Game controller";
                return true;
            }
        }
        m_joystick = SDL_JoystickOpen(index);
        if (m_joystick) {
            const char* name = SDL_JoystickName(m_joystick);
            m_state.name = name && *name ? name : "Joystick";
            return true;
        }
    }
    return false;
}

void SdlJoystick::close()
{
    if (m_controller)
        SDL_GameControllerClose(m_controller);
    else if (m_joystick)
        SDL_JoystickClose(m_joystick);
    m_controller = nullptr;
    m_joystick = nullptr;
    m_state = {};
}

void SdlJoystick::read()
{
    if (m_controller) {
        m_state.axes.resize(SDL_CONTROLLER_AXIS_MAX);
        for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
            m_state.axes[static_cast<std::size_t>(a)] =
                scaled(SDL_GameControllerGetAxis(m_controller, static_cast<SDL_GameControllerAxis>(a)));
        m_state.buttons.resize(SDL_CONTROLLER_BUTTON_MAX);
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
            m_state.buttons[static_cast<std::size_t>(b)] =
                SDL_GameControllerGetButton(m_controller, static_cast<SDL_GameControllerButton>(b)) != 0;
        return;
    }
    if (!m_joystick)
        return;
    m_state.axes.resize(static_cast<std::size_t>(std::max(0, SDL_JoystickNumAxes(m_joystick))));
    for (std::size_t a = 0; a < m_state.axes.size(); ++a)
        m_state.axes[a] = scaled(SDL_JoystickGetAxis(m_joystick, static_cast<int>(a)));
    m_state.buttons.resize(static_cast<std::size_t>(std::max(0, SDL_JoystickNumButtons(m_joystick))));
    for (std::size_t b = 0; b < m_state.buttons.size(); ++b)
        m_state.buttons[b] = SDL_JoystickGetButton(m_joystick, static_cast<int>(b)) != 0;
}

} // namespace tarn
