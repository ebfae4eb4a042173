#pragma once

#include "link/CameraLink.h"
#include "link/DialogDoor.h"
#include "link/NtcipKeeper.h"

namespace tarn::test {

// The main window's door as a dialog sees it, over a link, a prompter and
// timers of the test's own: no pad, and NTCIP mode never in play.
struct DoorOverLink final : DialogDoor, NtcipKeeper {
    DoorOverLink(CameraLink& link, Prompter& prompter, Timers& timers)
        : m_link(link), m_prompter(prompter), m_timers(timers)
    {
    }
    CameraLink& link() override { return m_link; }
    Prompter& prompter() override { return m_prompter; }
    Timers& timers() override { return m_timers; }
    PadSetup padSetup() const override { return {}; }
    NtcipKeeper& ntcip() override { return *this; }
    int ntcipState() const override { return 0; }
    void setNtcipState(int) override {}
    void setNvramCleared() override {}

    CameraLink& m_link;
    Prompter& m_prompter;
    Timers& m_timers;
};

} // namespace tarn::test
