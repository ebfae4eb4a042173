#include "app/StopRequest.h"

#include "core/Messages.h"
#include "platform/GuardedPrompter.h"

#include <QApplication>
#include <QDialog>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace tarn {

namespace {

// However many boxes and dialogs are stacked above `keep` (none before the
// main window exists): each is ended (a message box has no other way out) and
// its event loop returns once the stop has run.
void closeBoxesAbove(const QWidget* keep)
{
    constexpr int Enough = 1000; // a window that will not go must not hold the stop
    for (int boxes = 0; boxes < Enough; ++boxes) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == keep)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        if (modal->isVisible())
            modal->hide();
    }
}

} // namespace

StopRequest::StopRequest(GuardedPrompter& prompter)
    : m_prompter(prompter)
{
}

void StopRequest::request()
{
    if (m_requested)
        std::_Exit(1);
    closeUnattended();
}

void StopRequest::closeUnattended()
{
    m_requested = true;
    exitStarting();
    closeBoxesAbove(m_mainWindow.data());
    if (m_mainWindow)
        m_mainWindow->reject();
}

void StopRequest::exitStarting()
{
    m_prompter.beginClosing();
    armDeadline();
}

void StopRequest::armDeadline()
{
    if (m_deadlineArmed)
        return;
    m_deadlineArmed = true;
    std::thread([] {
        std::this_thread::sleep_for(Deadline);
        std::fwrite(Messages::ExitTookTooLong.data(), 1, Messages::ExitTookTooLong.size(), stderr);
        std::_Exit(1);
    }).detach();
}

} // namespace tarn
