#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "core/Version.h"
#include "link/TrafficCapture.h"
#include "platform/LocalFile.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/QtTimers.h"
#include "platform/ScriptedPrompter.h"
#include "support/FakePortServer.h"
#include "support/PseudoTerminal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>

namespace tarn {

class StartupTest : public QObject {
    Q_OBJECT

private:
    // Starts the real program with a clean profile, on a pty standing in for
    // the camera's line, and waits until its initialisation has stored the
    // settings.
    struct RunningConsole {
        QTemporaryDir configHome;
        test::PseudoTerminal pty;
        QProcess process;
        QString settingsPath() const
        {
            return configHome.path() + QStringLiteral("/Tarn/tarn-console.conf");
        }
    };

    static bool startConsole(RunningConsole& console, const QStringList& extraArguments = {})
    {
        if (!console.pty.isValid())
            return false;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), console.configHome.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        console.process.setProcessEnvironment(environment);
        console.process.setProcessChannelMode(QProcess::ForwardedChannels);
        console.process.start(QStringLiteral(TARN_CONSOLE_PATH),
                              QStringList{QStringLiteral("--port-device"),
                                          QString::fromStdString(console.pty.slavePath())}
                                  + extraArguments);
        return console.process.waitForStarted(5000);
    }

    static bool settingsComplete(const QString& path)
    {
        QSettings stored(path, QSettings::IniFormat);
        return stored.contains(QStringLiteral("NTCIP/NTCIPExitNormal"))
            && stored.contains(QStringLiteral("Ports/COM20"));
    }

    static void verifyFirstRunSettings(const QString& path)
    {
        QSettings stored(path, QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Setup/Port")).toInt(), 1);
        QCOMPARE(stored.value(QStringLiteral("Setup/PTImage")).toInt(), 7);
        QCOMPARE(stored.value(QStringLiteral("Setup/Video Type")).toInt(), 1);
        QCOMPARE(stored.value(QStringLiteral("Setup/Video Freeze Status")).toInt(), 1);
        QCOMPARE(stored.value(QStringLiteral("TourSetup/Tour10")).toInt(), 0);
        QCOMPARE(stored.value(QStringLiteral("TourSetup/DwellTime")).toInt(), 5);
        QCOMPARE(stored.value(QStringLiteral("NTCIP/NTCIPExitNormal")).toInt(), 1);
        QCOMPARE(stored.value(QStringLiteral("Ports/COM5")).toString(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(!stored.contains(QStringLiteral("Setup/Comm. Protocol")));
    }

private slots:
    // Asked for help or the version, the program answers and ends at once,
    // with no window and no settings touched.
    void versionAndHelpAnswerAndEnd()
    {
        struct Row {
            QStringList arguments;
            int exitCode;
            QStringList inOutput;
        };
        const Row rows[] = {
            {{QStringLiteral("--version")}, 0,
             {QStringLiteral("tarn-console ") + QLatin1String(ProgramVersion) + u'\n'}},
            {{QStringLiteral("--help")}, 0,
             {QStringLiteral("--port-device <PATH>"), QStringLiteral("--connect <HOST:PORT>"),
              QStringLiteral("--trace <FILE>"), QStringLiteral("--screenshot <FILE>"),
              QStringLiteral("--open-dialog <BUTTONS>"), QStringLiteral("--help"), QStringLiteral("--version")}},
            {{QStringLiteral("--bogus")}, 2, {QStringLiteral("tarn-console: unknown option --bogus\n")}},
        };
        for (const Row& row : rows) {
            QTemporaryDir configHome;
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
            environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(TARN_CONSOLE_PATH), row.arguments);
            QVERIFY(process.waitForFinished(5000));
            QCOMPARE(process.exitCode(), row.exitCode);
            const QString output = QString::fromLocal8Bit(
                row.exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError());
            for (const QString& part : row.inOutput)
                QVERIFY2(output.contains(part), qPrintable(output));
            QVERIFY(!QFile::exists(configHome.path() + QStringLiteral("/Tarn/tarn-console.conf")));
        }
    }

    void missingPortShowsOneMessageAndTheWindowStillOpens()
    {
        QtTimers timers;
        ScriptedPrompter prompter;
        MemoryProfileStore profile;
        QtMainThreadPoster poster;
        test::FakePortServer sockets;
        Platform platform{timers, prompter, profile, poster, sockets};
        MainControl control(platform, Settings{}, [](int) { return std::string("/nonexistent/tty"); });
        MainControlDialog dialog(control, platform);

        dialog.initialise();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QCOMPARE(prompter.texts(), std::vector<std::string>{"Port COM1 does not exist!\n/nonexistent/tty"});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tarn - Kestra Zephon"));
        QVERIFY(!control.isBusy());

        dialog.close();
        QVERIFY(control.hasExited());
        QCOMPARE(prompter.shown().size(), std::size_t{1});
    }

    void sigtermEndsTheConsoleThroughItsExitPath()
    {
        RunningConsole console;
        QVERIFY(startConsole(console));
        QTRY_VERIFY_WITH_TIMEOUT(settingsComplete(console.settingsPath()), 10000);

        ::kill(static_cast<pid_t>(console.process.processId()), SIGTERM);
        QVERIFY(console.process.waitForFinished(5000));
        QCOMPARE(console.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.process.exitCode(), 0);
        verifyFirstRunSettings(console.settingsPath());
    }

    // The line dies under the console: its box is open when the stop comes,
    // and the exit's own command to the camera cannot go out either.
    void stopSignalEndsTheConsoleWithAnErrorBoxOpen_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void stopSignalEndsTheConsoleWithAnErrorBoxOpen()
    {
        QFETCH(int, signal);
        RunningConsole console;
        const QString trace = console.configHome.filePath(QStringLiteral("trace.txt"));
        QVERIFY(startConsole(console, {QStringLiteral("--trace"), trace}));
        const auto traced = [&trace](const char* what) {
            QFile file(trace);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains(what);
        };
        // The line goes only once the console has it open.
        QTRY_VERIFY_WITH_TIMEOUT(traced(") open"), 10000);
        console.pty.closeMaster();
        // The loss goes into the trace just before its box opens.
        QTRY_VERIFY_WITH_TIMEOUT(traced("lost"), 10000);
        QTest::qWait(300);

        ::kill(static_cast<pid_t>(console.process.processId()), signal);
        QVERIFY(console.process.waitForFinished(5000));
        QCOMPARE(console.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.process.exitCode(), 0); // ended by its exit path, not by the deadline
        QSettings stored(console.settingsPath(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("NTCIP/NTCIPExitNormal")).toInt(), 1);
    }

    // A settings file that cannot be read, or cannot be written, shows its
    // box before the main window exists; a stop then still ends the console
    // at once, by its own way out rather than the exit deadline.
    void stopSignalEndsTheConsoleWithAStartUpBoxOpen_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<int>("signal");
        QTest::newRow("unreadable, SIGTERM") << true << SIGTERM;
        QTest::newRow("unreadable, SIGINT") << true << SIGINT;
        QTest::newRow("unwritable, SIGTERM") << false << SIGTERM;
    }
    void stopSignalEndsTheConsoleWithAStartUpBoxOpen()
    {
        QFETCH(bool, unreadable);
        QFETCH(int, signal);
        RunningConsole console;
        const QString folder = console.configHome.filePath(QStringLiteral("Tarn"));
        if (unreadable) {
            QVERIFY(QDir().mkpath(folder));
            QFile file(console.settingsPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("\x01\x02garbage\n[Setup\nRxType=\x02\x03\n", 27));
        } else {
            // A plain file where the settings folder should be: no write can
            // succeed, whoever runs the test.
            QFile file(folder);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(startConsole(console));
        if (unreadable) // set aside just before its box opens
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(console.settingsPath() + QStringLiteral(".unreadable")), 10000);
        QTest::qWait(unreadable ? 300 : 1500);

        QElapsedTimer sinceStop;
        sinceStop.start();
        ::kill(static_cast<pid_t>(console.process.processId()), signal);
        QVERIFY(console.process.waitForFinished(5000));
        QVERIFY2(sinceStop.elapsed() < 2000, qPrintable(QString::number(sinceStop.elapsed())));
        QCOMPARE(console.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.process.exitCode(), 0); // not the exit deadline
    }

    void connectOptionReachesAPortServerAtStart()
    {
        QTemporaryDir work;
        const QString simLog = work.filePath(QStringLiteral("camsim.log"));
        QProcess simulator;
        simulator.start(QStringLiteral(TARN_CAMSIM_PATH),
                        {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--address"),
                         QStringLiteral("21"), QStringLiteral("--log"), simLog});
        QVERIFY(simulator.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(simulator.canReadLine(), 5000);
        const QString where = QString::fromLatin1(simulator.readLine()).trimmed();
        QVERIFY2(where.startsWith(QStringLiteral("tcp: ")), qPrintable(where));

        QProcess console;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), work.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QDir().mkpath(work.filePath(QStringLiteral("Tarn")));
        // A camera type without NTCIP and a port that exists, so no box waits for an answer.
        QFile settings(work.filePath(QStringLiteral("Tarn/tarn-console.conf")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Setup]\nRxType=3\n");
        settings.close();
        test::PseudoTerminal unusedLine;
        console.setProcessEnvironment(environment);
        console.start(QStringLiteral(TARN_CONSOLE_PATH),
                      {QStringLiteral("--port-device"), QString::fromStdString(unusedLine.slavePath()),
                       QStringLiteral("--connect"), where.mid(5), QStringLiteral("--trace"),
                       work.filePath(QStringLiteral("site.tcap"))});
        QVERIFY(console.waitForStarted(5000));

        // The probe 1.1 s after the connection request, answered with the address.
        const auto answered = [&] {
            QFile logFile(simLog);
            if (!logFile.open(QIODevice::ReadOnly))
                return false;
            const QByteArray text = logFile.readAll();
            return text.contains("rx F8 FF 41 3F 81") && text.contains("tx F8 15 41 30 30 32 31");
        };
        QTRY_VERIFY_WITH_TIMEOUT(answered(), 8000);
        QSettings stored(work.filePath(QStringLiteral("Tarn/tarn-console.conf")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Setup/CommPort")).toInt(), 1);

        // The trace holds the session from its start, each entry as it came.
        const auto traced = [&] {
            const auto bytes = LocalFile::read(work.filePath(QStringLiteral("site.tcap")).toStdString(), 1 << 20);
            const auto capture = bytes ? TrafficCapture::load(*bytes) : std::nullopt;
            if (!capture || capture->entries.empty() || capture->entries[0].kind != TrafficKind::PortEvent)
                return false;
            return std::any_of(capture->entries.begin(), capture->entries.end(), [](const TrafficEntry& entry) {
                return entry.direction == TrafficDirection::Received && entry.transport == TrafficTransport::Network
                    && entry.text == "A0021" && entry.routedTo == ReplyDestination::Connection;
            });
        };
        QTRY_VERIFY_WITH_TIMEOUT(traced(), 5000);

        ::kill(static_cast<pid_t>(console.processId()), SIGTERM);
        QVERIFY(console.waitForFinished(5000));
        QCOMPARE(console.exitStatus(), QProcess::NormalExit);
        simulator.terminate();
        QVERIFY(simulator.waitForFinished(5000));
    }

    void settingsSurviveAKilledConsole()
    {
        RunningConsole console;
        QVERIFY(startConsole(console));
        QTRY_VERIFY_WITH_TIMEOUT(settingsComplete(console.settingsPath()), 10000);

        ::kill(static_cast<pid_t>(console.process.processId()), SIGKILL);
        QVERIFY(console.process.waitForFinished(5000));
        verifyFirstRunSettings(console.settingsPath());
    }
};

} // namespace tarn

QTEST_MAIN(tarn::StartupTest)
#include "StartupTest.moc"
