#include "app/HeadlessSweep.h"

#include "app/CommandLine.h"
#include "control/CommissioningSweep.h"
#include "control/LinkSweepLine.h"
#include "control/MainControl.h"
#include "control/SiteFile.h"
#include "control/SiteFromSweep.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "link/ComPortMap.h"
#include "link/PortServerLink.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/QtProfileStore.h"
#include "platform/QtTimers.h"
#include "platform/StreamPrompter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace tarn {
namespace {

void print(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout); // a script reads each dome as it is found
}

// Runs the event loop until `done` holds or `ms` have passed.
bool runUntil(const std::function<bool()>& done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

std::string portServerName(const CommandLine::PortServer& server)
{
    return std::to_string(server.address[0]) + '.' + std::to_string(server.address[1]) + '.'
        + std::to_string(server.address[2]) + '.' + std::to_string(server.address[3]) + ':' + server.port;
}

} // namespace

int HeadlessSweep::run(const CommandLine& commandLine)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarn"));
    QCoreApplication::setApplicationName(QStringLiteral("tarn-console"));

    StreamPrompter prompter(stderr);
    QtProfileStore profile(prompter);
    QtTimers timers;
    QtMainThreadPoster poster;
    QtPortServerSocketFactory sockets;
    Platform platform{timers, prompter, profile, poster, sockets};

    const Settings settings = Settings::load(profile);
    ComPortMap ports(profile);
    if (commandLine.portDevice)
        ports.overridePort(settings.port, *commandLine.portDevice);
    MainControl control(platform, settings, [&ports](int port) { return ports.devicePath(port); });
    control.initialiseWithoutSearch();

    const SweepOptions& options = *commandLine.sweep;
    SweepRequest request;
    request.baudIndexes = options.baudIndexes.empty() ? std::vector<int>{settings.baud} : options.baudIndexes;
    request.protocolIndexes = options.protocolIndexes.empty()
        ? std::vector<int>{control.link().state().protocolIndex}
        : options.protocolIndexes;
    request.firstAddress = options.firstAddress;
    request.lastAddress = options.lastAddress;

    // What the lines call the link: the device, or the port server.
    std::string shownLink;
    if (commandLine.connect) {
        shownLink = portServerName(*commandLine.connect);
        control.portServer().chooseNetwork();
        control.portServer().connect(commandLine.connect->address, commandLine.connect->port);
        if (!runUntil([&] { return control.link().canSend(); }, 5000)) {
            std::fputs(Messages::format(Messages::SweepLinkUnusable, shownLink.c_str()).c_str(), stderr);
            return 1;
        }
        request.links = {shownLink};
    } else {
        shownLink = *commandLine.portDevice;
        request.links = {"COM" + std::to_string(settings.port)};
    }

    LinkSweepLine line(control);
    CommissioningSweep sweep(line, timers, request, CameraLink::ResponseTimeoutMs);
    line.setSweep(&sweep);
    std::size_t printed = 0;
    sweep.setChanged([&] {
        for (; printed < sweep.found().size(); ++printed) {
            SweepFind find = sweep.found()[printed];
            find.link = shownLink;
            print(SweepReport::foundLine(find));
        }
    });
    const auto started = std::chrono::steady_clock::now();
    sweep.start();
    const int longest = CommissioningSweep::longestMs(request, CameraLink::ResponseTimeoutMs);
    runUntil([&] { return !sweep.running(); }, longest * 2 + 10'000);
    sweep.cancel();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    print(SweepReport::summaryLine(sweep.questionsAsked(), took.count()));
    if (options.siteOut) {
        SiteCamera defaults;
        defaults.receiverType = settings.rxType;
        defaults.cameraType = settings.camType;
        defaults.panTiltType = settings.ptType;
        std::vector<SiteCamera> cameras;
        for (SweepFind find : sweep.found()) {
            find.link = shownLink;
            cameras.push_back(siteCameraFromSweep(find, defaults));
        }
        if (const auto failure = SiteFile::save(*options.siteOut, cameras)) {
            std::fputs(failure->c_str(), stderr);
            std::fputc('\n', stderr);
            return 1;
        }
    }
    if (sweep.statusQuestionsAsked() == 0 && CommissioningSweep::questionCount(request) > 0) {
        std::fputs(Messages::format(Messages::SweepLinkUnusable, shownLink.c_str()).c_str(), stderr);
        return 1;
    }
    return 0;
}

} // namespace tarn
