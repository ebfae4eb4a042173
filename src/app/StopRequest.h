#pragma once

#include <QPointer>

#include <chrono>

class QDialog;

namespace tarn {

class GuardedPrompter;

// A stop asked for without the operator (SIGTERM, SIGINT, the end of a
// screenshot run), at any moment of the console's life: from then on nothing
// waits for the operator, every box open is closed, and the main window's
// exit path runs as soon as that window exists. Start-up asks requested()
// after each step that may have shown a box, and goes no further.
class StopRequest {
public:
    // The exit ends within this whatever holds it (the settings are already
    // on disk: each is written when it changes).
    static constexpr auto Deadline = std::chrono::milliseconds(1900);

    explicit StopRequest(GuardedPrompter& prompter);

    // Asked twice, the operator does not want to wait for the camera.
    void request();
    // Closing without the operator: the same, but never the second-time exit.
    void closeUnattended();
    bool requested() const { return m_requested; }

    // The main window exists; a stop runs its exit path from now on.
    void setMainWindow(QDialog& window) { m_mainWindow = &window; }
    // The exit path begins: from here on nothing may wait for the operator.
    void exitStarting();

private:
    void armDeadline();

    GuardedPrompter& m_prompter;
    QPointer<QDialog> m_mainWindow;
    bool m_requested = false;
    bool m_deadlineArmed = false;
};

} // namespace tarn
