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

namespace tarn {

int ConsoleApp::run(const CommandLine& commandLine)
{
    QApplication::setOrganizationName(QStringLiteral("Tarn"));
    QApplication::setApplicationName(QStringLiteral("tarn-console"));

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
    MainControlDialog dialog(control);

    bool stopRequested = false;
    UnixSignalWatcher signalWatcher;
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
    if (!stopRequested)
        dialog.exec();
    return 0;
}

} // namespace tarn
