#include "app/ConsoleApp.h"

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "app/UnixSignalWatcher.h"
#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "link/ComPortMap.h"
#include "link/PortServerLink.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/QtProfileStore.h"
#include "platform/QtPrompter.h"
#include "platform/QtTimers.h"

#include <QApplication>
#include <QTimer>

namespace tarn {

int ConsoleApp::run(const CommandLine& commandLine)
{
    QApplication::setOrganizationName(QStringLiteral("Tarn"));
    QApplication::setApplicationName(QStringLiteral("tarn-console"));

    // First of all, so a stop asked for during start-up is not lost: the
    // signal waits in the watcher until the window can take it.
    UnixSignalWatcher signalWatcher;

    QtPrompter prompter;
    QtProfileStore profile(prompter);
    QtTimers timers;
    QtMainThreadPoster poster;
    QtPortServerSocketFactory sockets;
    Platform platform{timers, prompter, profile, poster, sockets};

    const Settings settings = Settings::load(profile);
    ComPortMap ports(profile);
    ports.writeDefaults();
    if (commandLine.portDevice)
        ports.overridePort(settings.port, *commandLine.portDevice);

    MainControl control(platform, settings,
                        [&ports](int port) { return ports.devicePath(port); });
    MainControlDialog dialog(control, platform);

    bool stopRequested = false;
    QObject::connect(&signalWatcher, &UnixSignalWatcher::stopRequested, &dialog, [&] {
        stopRequested = true;
        // A box open on top of the window is closed first, so the stop is not
        // held up by a question nobody will answer.
        for (int boxes = 0; boxes < 8; ++boxes) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == &dialog)
                break;
            modal->close();
        }
        dialog.reject();
    });

    dialog.initialise();
    if (commandLine.connect && !stopRequested)
        dialog.connectToPortServer(commandLine.connect->address,
                                   QString::fromStdString(commandLine.connect->port));
    if (commandLine.screenshot) {
        const QString path = QString::fromStdString(*commandLine.screenshot);
        // Long enough for the camera to be found and answer the first status request.
        QTimer::singleShot(3000, &dialog, [&dialog, path] {
            dialog.grab().save(path);
            dialog.reject();
        });
    }
    if (!stopRequested)
        dialog.exec();
    return 0;
}

} // namespace tarn
