#include "app/HeadlessSweep.h"

#include "app/CommandLine.h"
#include "app/EventLoopWait.h"
#include "app/QtPlatform.h"
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
#include "platform/StreamPrompter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

namespace tarn {
namespace {

void print(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout); // a script reads each dome as it is found
}

void printError(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
}

} // namespace

int HeadlessSweep::run(const CommandLine& commandLine)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarn"));
    QCoreApplication::setApplicationName(QStringLiteral("tarn-console"));

    StreamPrompter prompter(stderr);
    QtPlatform qt(prompter);
    Platform& platform = qt.platform();
    ProfileStore& profile = qt.profile();
    Timers& timers = qt.timers();

    const Settings settings = Settings::load(profile);
    ComPortMap ports(profile);
    // Each device gets a COM number for this run: the first the configured
    // one (as --port-device does for the window), the others from the top
    // of the table down. What the lines call a link is its device.
    std::map<int, std::string> devices;
    std::map<std::string, std::string> shownLinks;
    SweepRequest request;
    int spare = ComPortMap::HighestPort;
    for (const CommandLine::SweepLink& given : commandLine.sweepLinks) {
        std::string link = given.link;
        if (!given.portServer) {
            const auto known = std::find_if(devices.begin(), devices.end(),
                                            [&](const auto& device) { return device.second == given.link; });
            int number = settings.port;
            if (known != devices.end()) {
                number = known->first;
            } else if (!devices.empty()) {
                while (spare == settings.port || devices.contains(spare))
                    --spare;
                number = spare;
            }
            devices[number] = given.link;
            link = "COM" + std::to_string(number);
        }
        if (std::find(request.links.begin(), request.links.end(), link) == request.links.end())
            request.links.push_back(link);
        shownLinks[link] = given.link;
    }
    const auto shown = [&shownLinks](const std::string& link) {
        const auto found = shownLinks.find(link);
        return found != shownLinks.end() ? found->second : link;
    };
    MainControl control(platform, settings, [&ports, &devices](int port) {
        const auto device = devices.find(port);
        return device != devices.end() ? device->second : ports.devicePath(port);
    });
    control.initialiseWithoutSearch();

    const SweepOptions& options = *commandLine.sweep;
    request.baudIndexes = options.baudIndexes.empty() ? std::vector<int>{settings.baud} : options.baudIndexes;
    request.protocolIndexes = options.protocolIndexes.empty()
        ? std::vector<int>{control.link().state().protocolIndex}
        : options.protocolIndexes;
    request.firstAddress = options.firstAddress;
    request.lastAddress = options.lastAddress;

    LinkSweepLine line(control);
    CommissioningSweep sweep(line, timers, request, CameraLink::ResponseTimeoutMs);
    line.setSweep(&sweep);
    std::size_t printed = 0;
    std::size_t told = 0;
    sweep.setChanged([&] {
        for (; printed < sweep.found().size(); ++printed) {
            SweepFind find = sweep.found()[printed];
            find.link = shown(find.link);
            print(SweepReport::foundLine(find));
        }
        // A link that could not be swept is told as it happens; the others go on.
        for (; told < sweep.problems().size(); ++told) {
            const SweepProblem& problem = sweep.problems()[told];
            printError(Messages::format(Messages::SweepLinkUnusable, shown(problem.link).c_str(), problem.why.c_str()));
        }
    });
    const auto started = std::chrono::steady_clock::now();
    sweep.start();
    const int longest = CommissioningSweep::longestMs(request, CameraLink::ResponseTimeoutMs);
    runEventsUntil([&] { return !sweep.running(); }, longest * 2 + 10'000);
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
            find.link = shown(find.link);
            cameras.push_back(siteCameraFromSweep(find, defaults));
        }
        if (const auto failure = SiteFile::save(*options.siteOut, cameras)) {
            std::fputs(failure->c_str(), stderr);
            std::fputc('\n', stderr);
            return 1;
        }
    }
    // A script must not take a sweep with a line missing for a whole one.
    if (!sweep.problems().empty())
        return 1;
    return 0;
}

} // namespace tarn
