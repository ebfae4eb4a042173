#include "app/HeadlessConfig.h"

#include "app/CommandLine.h"
#include "app/EventLoopWait.h"
#include "app/QtPlatform.h"
#include "config/ConfigCompare.h"
#include "config/ConfigFile.h"
#include "config/ConfigJob.h"
#include "config/ConfigTarget.h"
#include "control/MainControl.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "link/ComPortMap.h"
#include "link/PortServerLink.h"
#include "platform/Platform.h"
#include "platform/StreamPrompter.h"
#include "programming/ToursSectorsDialog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace tarn {
namespace {

void print(std::FILE* stream, const std::string& line)
{
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// Prints one line per difference; Equal or Different.
int printDifferences(const ConfigSnapshot& first, const ConfigSnapshot& second)
{
    const std::vector<ConfigDifference> differences = ConfigCompare::differences(first, second);
    for (const ConfigDifference& difference : differences)
        print(stdout, ConfigCompare::line(difference));
    return differences.empty() ? HeadlessConfig::Equal : HeadlessConfig::Different;
}

std::optional<ConfigSnapshot> loadOrSay(const std::string& path)
{
    ConfigFile::Parsed parsed = ConfigFile::load(path);
    if (!parsed.snapshot)
        print(stderr, Messages::format(Messages::ConfigFileRefused, path.c_str(), parsed.problem.c_str()));
    return std::move(parsed.snapshot);
}

std::string portServerName(const CommandLine::PortServer& server)
{
    return std::to_string(server.address[0]) + '.' + std::to_string(server.address[1]) + '.'
        + std::to_string(server.address[2]) + '.' + std::to_string(server.address[3]) + ':' + server.port;
}

} // namespace

int HeadlessConfig::run(const CommandLine& commandLine)
{
    const CommandLine::ConfigRequest& request = *commandLine.config;
    using Kind = CommandLine::ConfigRequest::Kind;

    // Files first: a file that does not read sends nothing.
    std::optional<ConfigSnapshot> file;
    if (request.kind != Kind::Save) {
        file = loadOrSay(request.file);
        if (!file)
            return BadInput;
    }
    if (request.with) {
        const auto second = loadOrSay(*request.with);
        return second ? printDifferences(*file, *second) : BadInput;
    }

    QCoreApplication::setOrganizationName(QStringLiteral("Tarn"));
    QCoreApplication::setApplicationName(QStringLiteral("tarn-console"));
    StreamPrompter prompter(stderr, request.yes ? StreamPrompter::Answer::Yes : StreamPrompter::Answer::No);
    QtPlatform qt(prompter);
    Platform& platform = qt.platform();
    ProfileStore& profile = qt.profile();

    const Settings settings = Settings::load(profile);
    ComPortMap ports(profile);
    if (commandLine.portDevice)
        ports.overridePort(settings.port, *commandLine.portDevice);
    MainControl control(platform, settings, [&ports](int port) { return ports.devicePath(port); });
    control.initialiseWithoutSearch();

    std::string shownLink;
    if (commandLine.connect) {
        shownLink = portServerName(*commandLine.connect);
        control.portServer().chooseNetwork();
        control.portServer().connect(commandLine.connect->address, commandLine.connect->port);
    } else {
        shownLink = *commandLine.portDevice;
        control.reopenSerialPort();
    }
    if (!runEventsUntil([&] { return control.link().canSend(); }, 5000)) {
        print(stderr, Messages::format(Messages::ConfigLinkUnusable, shownLink.c_str()));
        return CameraSilent;
    }
    control.link().state().address = commandLine.address.value_or(1);

    SnapshotContext context = ConfigTarget::context(control, ToursSectorsDialog::defaultDomeFilePath());
    const std::string date =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    const SnapshotHeader header = ConfigTarget::header(control, shownLink, date);
    ConfigJob job(context, header);

    if (request.kind == Kind::Write) {
        // No section can be unticked here: a picture section for another
        // camera module refuses the whole write, as it would in the window.
        std::vector<std::string> chosen;
        for (const ConfigJob::Choice& choice : job.choicesFor(*file))
            chosen.push_back(choice.section);
        const ConfigJob::WriteStart start = job.write(*file, chosen);
        if (start.kind == ConfigJob::WriteStart::Kind::Refused) {
            print(stderr, Messages::format(Messages::ConfigFileRefused, request.file.c_str(), start.reason.c_str()));
            return BadInput;
        }
        if (start.kind == ConfigJob::WriteStart::Kind::NotConfirmed)
            return Different;
    } else {
        job.read();
    }
    // Every question is bounded by its time-out; this bound is only a backstop.
    runEventsUntil([&] { return !job.running(); }, 2 * 60 * 60 * 1000);
    job.cancel();
    if (job.cameraSilent()) {
        print(stderr, Messages::format(Messages::ConfigCameraSilent, header.address, shownLink.c_str()));
        return CameraSilent;
    }

    switch (request.kind) {
    case Kind::Save:
        if (const auto failure = ConfigFile::save(request.file, job.snapshot())) {
            print(stderr, *failure);
            return BadInput;
        }
        return Equal;
    case Kind::Compare:
        return printDifferences(*file, job.snapshot());
    case Kind::Write:
        for (const ConfigDifference& difference : job.notTaken())
            print(stdout, ConfigCompare::line(difference));
        return job.notTaken().empty() ? Equal : Different;
    }
    return Equal;
}

} // namespace tarn
