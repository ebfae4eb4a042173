// `tarn-console --sweep` as a script runs it: the real program, no display,
// against the simulated dome on a pty.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace tarn {

class HeadlessSweepTest : public QObject {
    Q_OBJECT

private:
    struct Simulator {
        QProcess process;
        QString device;
        ~Simulator()
        {
            process.terminate();
            process.waitForFinished(3000);
        }
    };

    static bool startSimulator(Simulator& simulator, const QStringList& arguments)
    {
        return startSimulatorOn(simulator, {QStringLiteral("--pty")}, QStringLiteral("pty: "), arguments);
    }

    // A simulated port server: "tcp: 127.0.0.1:40123".
    static bool startTcpSimulator(Simulator& simulator, const QStringList& arguments)
    {
        return startSimulatorOn(simulator, {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0")},
                                QStringLiteral("tcp: "), arguments);
    }

    static bool startSimulatorOn(Simulator& simulator, const QStringList& lineOptions, const QString& where,
                                 const QStringList& arguments)
    {
        simulator.process.start(QStringLiteral(TARN_CAMSIM_PATH), lineOptions + arguments);
        if (!simulator.process.waitForStarted(5000))
            return false;
        // The first line says where it serves: "pty: /dev/pts/3".
        QDeadlineTimer deadline(5000);
        while (!simulator.process.canReadLine() && !deadline.hasExpired())
            simulator.process.waitForReadyRead(100);
        const QString line = QString::fromUtf8(simulator.process.readLine()).trimmed();
        if (!line.startsWith(where))
            return false;
        simulator.device = line.mid(where.size());
        return true;
    }

    static QProcess* runConsole(QTemporaryDir& home, const QStringList& arguments)
    {
        auto* console = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed
        environment.remove(QStringLiteral("DISPLAY"));
        console->setProcessEnvironment(environment);
        console->start(QStringLiteral(TARN_CONSOLE_PATH), arguments);
        return console;
    }

private slots:
    void printsEachDomeFoundAndASummary()
    {
        Simulator simulator;
        QVERIFY(startSimulator(simulator, {QStringLiteral("--address"), QStringLiteral("37")}));
        QTemporaryDir home;
        std::unique_ptr<QProcess> console(runConsole(
            home, {QStringLiteral("--sweep"), QStringLiteral("--port-device"), simulator.device,
                   QStringLiteral("--protocols"), QStringLiteral("1"), QStringLiteral("--addresses"),
                   QStringLiteral("30-40"), QStringLiteral("--site-out"), home.filePath(QStringLiteral("site.ini"))}));
        QVERIFY(console->waitForFinished(15000));
        const QStringList lines = QString::fromUtf8(console->readAllStandardOutput()).split(
            QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(console->exitCode(), 0);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("found ") + simulator.device
                                     + QStringLiteral(" baud=9600 protocol=1 address=37")),
                 qPrintable(lines[0]));
        // 11 status questions, and what the dome was asked of itself.
        QVERIFY2(lines[1].startsWith(QStringLiteral("swept ")) && lines[1].endsWith(QStringLiteral(" s")),
                 qPrintable(lines[1]));
        const int questions = lines[1].section(QLatin1Char(' '), 1, 1).toInt();
        QVERIFY(questions >= 11 && questions <= 13);
        // The site file holds the dome, ready to be opened as a camera list.
        QFile site(home.filePath(QStringLiteral("site.ini")));
        QVERIFY(site.open(QIODevice::ReadOnly));
        const QByteArray text = site.readAll();
        QVERIFY(text.contains("Name=Camera 37"));
        QVERIFY(text.contains("Link=" + simulator.device.toUtf8()));
        QVERIFY(text.contains("Address=37"));
        QVERIFY(text.contains("Baud=9600"));
    }

    void sweepsSeveralPortServersAndDevicesInTurn()
    {
        Simulator first;
        Simulator second;
        Simulator serial;
        QVERIFY(startTcpSimulator(first, {QStringLiteral("--dome"), QStringLiteral("5"), QStringLiteral("--dome"),
                                          QStringLiteral("7")}));
        QVERIFY(startTcpSimulator(second, {QStringLiteral("--address"), QStringLiteral("9")}));
        QVERIFY(startSimulator(serial, {QStringLiteral("--address"), QStringLiteral("3")}));
        QTemporaryDir home;
        const QString nobody = QStringLiteral("127.0.0.1:1");
        std::unique_ptr<QProcess> console(runConsole(
            home, {QStringLiteral("--sweep"), QStringLiteral("--connect"), first.device + u',' + nobody,
                   QStringLiteral("--port-device"), serial.device, QStringLiteral("--connect"), second.device,
                   QStringLiteral("--protocols"), QStringLiteral("1"), QStringLiteral("--addresses"),
                   QStringLiteral("2-10")}));
        QVERIFY(console->waitForFinished(20000));
        const QStringList lines = QString::fromUtf8(console->readAllStandardOutput()).split(
            QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QString errors = QString::fromUtf8(console->readAllStandardError());
        // A server that refuses is told, and the rest is swept all the same.
        QCOMPARE(console->exitCode(), 1);
        QVERIFY2(errors.contains(nobody + QStringLiteral(" cannot be used for the sweep: the connection failed")),
                 qPrintable(errors));
        QCOMPARE(lines.size(), 5);
        const QString rest = QStringLiteral(" baud=9600 protocol=1 address=");
        QVERIFY2(lines[0].startsWith(QStringLiteral("found ") + first.device + rest + u'5'), qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith(QStringLiteral("found ") + first.device + rest + u'7'), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith(QStringLiteral("found ") + serial.device + rest + u'3'), qPrintable(lines[2]));
        QVERIFY2(lines[3].startsWith(QStringLiteral("found ") + second.device + rest + u'9'), qPrintable(lines[3]));
        QVERIFY2(lines[4].startsWith(QStringLiteral("swept ")), qPrintable(lines[4]));
    }

    void aBadOptionEndsWithTwoAndTheReason()
    {
        QTemporaryDir home;
        std::unique_ptr<QProcess> console(
            runConsole(home, {QStringLiteral("--sweep"), QStringLiteral("--port-device"), QStringLiteral("/dev/null"),
                              QStringLiteral("--bauds"), QStringLiteral("1234")}));
        QVERIFY(console->waitForFinished(5000));
        QCOMPARE(console->exitCode(), 2);
        QVERIFY(console->readAllStandardError().startsWith("tarn-console: --bauds: 1234 is not one of"));
    }

    void aLineThatCannotBeOpenedSaysSo()
    {
        QTemporaryDir home;
        std::unique_ptr<QProcess> console(runConsole(
            home, {QStringLiteral("--sweep"), QStringLiteral("--port-device"), home.filePath(QStringLiteral("none"))}));
        QVERIFY(console->waitForFinished(10000));
        QCOMPARE(console->exitCode(), 1);
        QVERIFY(console->readAllStandardError().contains("cannot be used for the sweep"));
    }
};

} // namespace tarn

QTEST_GUILESS_MAIN(tarn::HeadlessSweepTest)
#include "HeadlessSweepTest.moc"
