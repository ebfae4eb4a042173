#pragma once

// The real main window over the real console core, for Qt tests, and the
// few moves those tests make on it.

#include "core/Settings.h"
#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/HandBuiltFrames.h"
#include "support/PseudoTerminal.h"
#include "support/QtWidgetDriving.h"
#include "support/QueuedCommands.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::test {

// The platform as a Qt test gives it: timers on the virtual clock, scripted
// prompts, settings in memory, sockets that connect nowhere.
struct QtTestPlatform {
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QtMainThreadPoster poster;
    FakePortServer sockets;
    Platform platform{clock, prompter, profile, poster, sockets};
};

// The settings of an AlderHD receiver with the given camera module.
inline Settings alderHdSettings(int camType)
{
    Settings settings;
    settings.rxType = 0; // AlderHD
    settings.camType = camType;
    return settings;
}

// `text` as the camera at address 1 answers it, byte by byte on serial port 1.
inline void replyOnSerial(CameraLink& link, std::string_view text)
{
    for (const std::uint8_t byte : handBuiltFrame(1, text))
        link.serialByteReceived(byte, 1);
}

// The main window, shown, over a core whose serial port is a pseudo-terminal
// nobody answers on.
class MainWindowHarness : public QtTestPlatform {
protected:
    // Each window gets a line of its own: a test may pull it.
    std::unique_ptr<PseudoTerminal> line = std::make_unique<PseudoTerminal>();
    std::unique_ptr<MainControl> control;
    std::unique_ptr<MainControlDialog> mainWindow;

    // Builds the core and the window for `settings` and shows the window.
    // Call from init() under QVERIFY.
    bool openMainWindow(const Settings& settings)
    {
        control = std::make_unique<MainControl>(platform, settings, [this](int) { return line->slavePath(); });
        mainWindow = std::make_unique<MainControlDialog>(*control, platform);
        mainWindow->initialise();
        mainWindow->show();
        return QTest::qWaitForWindowExposed(mainWindow.get());
    }
    // Keeps what the clicks queue in the queue, for the test to read.
    void holdTheQueue() { control->link().state().busy = true; }

    // For cleanup(): the window and the core go, the prompts are forgotten.
    void closeMainWindow()
    {
        mainWindow.reset();
        control.reset();
        prompter.clear();
        line = std::make_unique<PseudoTerminal>();
    }

    // Everything queued since the last look, oldest first.
    std::vector<std::string> queued() { return takeQueued(control->link().queue()); }

    template <typename T>
    T* child(const char* name) const
    {
        return test::child<T>(mainWindow.get(), name);
    }
    template <typename T>
    static T* child(const QObject* parent, const char* name)
    {
        return test::child<T>(parent, name);
    }
};

} // namespace tarn::test
