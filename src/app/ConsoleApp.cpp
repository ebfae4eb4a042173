#include "app/ConsoleApp.h"

#include "app/CommandLine.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "app/StopRequest.h"
#include "app/UnixSignalWatcher.h"
#include "app/QtPlatform.h"
#include "config/ConfigDialog.h"
#include "config/ConfigTarget.h"
#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "link/ComPortMap.h"
#include "link/PortServerLink.h"
#include "link/TrafficTrace.h"
#include "platform/GuardedPrompter.h"
#include "platform/Platform.h"
#include "platform/QtPrompter.h"
#include "programming/ToursSectorsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QPushButton>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <cstdio>

namespace tarn {

namespace {

// The window the operator works in: a modal dialog, else a window a button
// opened beside the main window (`besides`, the traffic window), else the
// main window.
QWidget* topWindow(QWidget& mainWindow, const QPointer<QWidget>& besides = {})
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return besides && besides->isVisible() ? besides.data() : &mainWindow;
}

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            windows.append(widget);
    return windows;
}

// Presses the enabled button captioned `caption` in the topmost window, as
// the operator would. A button whose caption is not unique in its window
// (the main window has two "Set") is found by its accessible name.
void pressButton(QWidget& mainWindow, const std::string& caption, QPointer<QWidget>& opened)
{
    const QString wanted = QString::fromStdString(caption);
    const auto buttons = topWindow(mainWindow, opened)->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->isVisible() && button->isEnabled()
            && (button->text().remove(QLatin1Char('&')) == wanted || button->accessibleName() == wanted)) {
            // A modal dialog runs inside the click; a window that is not
            // modal is found among those that were not there before it.
            const QList<QWidget*> before = visibleWindows();
            button->click();
            for (QWidget* window : visibleWindows())
                if (!before.contains(window))
                    opened = window;
            return;
        }
    }
    std::fprintf(stderr, "%s\n", Messages::format(Messages::NoSuchButton, caption.c_str()).c_str());
}

// "Configuration...": the camera's configuration saved, compared and written.
void addConfigurationButton(MainControlDialog& window, MainControl& control, Prompter& prompter)
{
    auto* button = new QPushButton(QString::fromUtf8(Messages::ConfigButton.data(),
                                                     static_cast<qsizetype>(Messages::ConfigButton.size())), &window);
    button->setObjectName(QStringLiteral("configButton"));
    button->setToolTip(QString::fromUtf8(Messages::ConfigButtonTip.data(),
                                         static_cast<qsizetype>(Messages::ConfigButtonTip.size())));
    window.addToolButton(button);
    QObject::connect(button, &QPushButton::clicked, &window, [&window, &control, &prompter] {
        const auto newJob = [&control] {
            const std::string date =
                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
            const SiteCamera camera = control.currentCamera();
            return std::make_unique<ConfigJob>(ConfigTarget::context(control, ToursSectorsDialog::defaultDomeFilePath()),
                                               ConfigTarget::header(control, camera.link, date));
        };
        ConfigDialog dialog(control, prompter, newJob, &window);
        dialog.exec();
    });
}

} // namespace

int ConsoleApp::run(const CommandLine& commandLine)
{
    QApplication::setOrganizationName(QStringLiteral("Tarn"));
    QApplication::setApplicationName(QStringLiteral("tarn-console"));

    // First of all, so a stop asked for during start-up is not lost: it is
    // taken from the first box on (a settings file that cannot be read or
    // written shows one before the main window exists), and a signal that
    // comes before any event loop runs waits in the watcher until one does.
    UnixSignalWatcher signalWatcher;
    QtPrompter boxes;
    GuardedPrompter prompter(boxes);
    StopRequest stop(prompter);
    QObject::connect(&signalWatcher, &UnixSignalWatcher::stopRequested, &signalWatcher, [&stop] { stop.request(); });

    QtPlatform qt(prompter);
    qt.timers().setSpeedUp(commandLine.speedUp);
    Platform& platform = qt.platform();
    ProfileStore& profile = qt.profile();

    const Settings settings = Settings::load(profile);
    ComPortMap ports(profile);
    ports.writeDefaults();
    if (commandLine.portDevice)
        ports.overridePort(settings.port, *commandLine.portDevice);
    // Nothing has gone to the camera yet: there is no exit path to run.
    if (stop.requested())
        return 0;

    MainControl control(platform, settings,
                        [&ports](int port) { return ports.devicePath(port); });
    // Before anything goes over the line. Declared after the record it
    // listens to, so it goes first.
    TrafficTrace trace;
    if (commandLine.trace) {
        if (const auto failure = trace.start(*commandLine.trace, control.traffic())) {
            std::fputs(Messages::format(Messages::TraceCannotOpen, commandLine.trace->c_str(), failure->c_str()).c_str(),
                       stderr);
            return 2;
        }
        // Told once, after the send or receive that found it.
        trace.setFailed([&prompter, &trace](const std::string& reason) {
            const std::string text = Messages::format(Messages::TraceWriteFailed, trace.path().c_str(), reason.c_str());
            QTimer::singleShot(0, qApp, [&prompter, text] {
                prompter.showMessage(text, Messages::TrafficErrorTitle, MessageIcon::Warning);
            });
        });
    }
    MainControlDialog dialog(control, platform);
    boxes.setHomeWindow(&dialog);
    addConfigurationButton(dialog, control, prompter);
    // From the first exit step on, nothing waits for the operator.
    control.setExitStarting([&stop] { stop.exitStarting(); });
    stop.setMainWindow(dialog);
    const auto closeUnattended = [&stop] { stop.closeUnattended(); };

    dialog.initialise();
    if (commandLine.site && !stop.requested())
        dialog.openSite(*commandLine.site);
    if (commandLine.connect && !stop.requested())
        dialog.connectToPortServer(commandLine.connect->address,
                                   QString::fromStdString(commandLine.connect->port));
    // Long enough for the camera to be found and answer the first status request.
    int settledMs = 3000;
    QPointer<QWidget> opened; // a window a press opened beside the main window
    for (const std::string& button : commandLine.openDialog) {
        // Each press happens in the window the one before opened; a modal
        // dialog runs its own loop inside the press, so the later presses are
        // timed from here.
        QTimer::singleShot(settledMs, &dialog,
                           [&dialog, button, &opened] { pressButton(dialog, button, opened); });
        settledMs += 1500;
    }
    if (commandLine.screenshot) {
        const QString path = QString::fromStdString(*commandLine.screenshot);
        QTimer::singleShot(settledMs, &dialog, [&dialog, path, &opened, &closeUnattended] {
            topWindow(dialog, opened)->grab().save(path);
            closeUnattended();
        });
    }
    if (!stop.requested()) {
        // Not modal itself: the Traffic window beside it must take input
        // while the main window's dialogs are open.
        QEventLoop running;
        QObject::connect(&dialog, &QDialog::finished, &running, &QEventLoop::quit);
        dialog.show();
        running.exec();
    }
    return 0;
}

} // namespace tarn
