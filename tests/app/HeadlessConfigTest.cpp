// Replacing a dome as a script does it: the real console without a window,
// against two simulated domes on one pty. Dome A is programmed, saved,
// written into a blank dome B, and the two compared.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace tarn {

class HeadlessConfigTest : public QObject {
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QStringList out;
        QString err;
    };

    QProcess m_simulator;
    QString m_device;
    QTemporaryDir m_home;

    QString path(const char* name) const { return m_home.filePath(QString::fromLatin1(name)); }

    Run console(const QStringList& arguments, int address = 0)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed
        environment.remove(QStringLiteral("DISPLAY"));
        process.setProcessEnvironment(environment);
        QStringList all = arguments;
        if (address > 0)
            all << QStringLiteral("--port-device") << m_device << QStringLiteral("--address") << QString::number(address);
        process.start(QStringLiteral(TARN_CONSOLE_PATH), all);
        Run run;
        // A whole write takes a minute or two: the tours, sectors and zones go one by one.
        if (!process.waitForFinished(300000))
            return run;
        run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void write(const QString& file, const QByteArray& text)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    // The lines of a file that are not its header's address or date.
    static QList<QByteArray> withoutAddressAndDate(const QByteArray& text)
    {
        QList<QByteArray> lines = text.split('\n');
        lines.removeIf([](const QByteArray& line) { return line.startsWith("Address=") || line.startsWith("Date="); });
        return lines;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // An AlderHD day/night dome is the camera the console is set up for.
        QDir(m_home.path()).mkpath(QStringLiteral("Tarn"));
        write(path("Tarn/tarn-console.conf"), "[Setup]\nRxType=0\nCamType=1\n");
        m_simulator.start(QStringLiteral(TARN_CAMSIM_PATH),
                          {QStringLiteral("--pty"), QStringLiteral("--dome"), QStringLiteral("5:AlderHD:daynight"),
                           QStringLiteral("--dome"), QStringLiteral("9:AlderHD:daynight")});
        QVERIFY(m_simulator.waitForStarted(5000));
        QDeadlineTimer deadline(5000);
        while (!m_simulator.canReadLine() && !deadline.hasExpired())
            m_simulator.waitForReadyRead(100);
        const QString line = QString::fromUtf8(m_simulator.readLine()).trimmed();
        QVERIFY(line.startsWith(QStringLiteral("pty: ")));
        m_device = line.mid(5);
    }

    void cleanupTestCase()
    {
        m_simulator.terminate();
        m_simulator.waitForFinished(3000);
    }

    void aDomeIsSavedWrittenIntoAnotherAndCompared()
    {
        // Dome A is programmed through the dialogs' commands.
        write(path("program.ini"), "[Header]\nFormat=1\nCamera Module Type=Day/Night\n"
                                   "[Wipe Setup]\nState=read\nRun Time=25\nDelay Time=7\nModule=New Module\n"
                                   "[Program Camera ID]\nState=read\nLine 1=LOBBY \"EAST\"\nLine 2=\" GATE 2 \"\n"
                                   "[Setup]\nState=read\nVorel2 P/T Direction=Inverted Tilt\n");
        Run run = console({QStringLiteral("--write-config"), path("program.ini"), QStringLiteral("--yes")}, 5);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out.join(u'\n')));
        QVERIFY(run.out.isEmpty());

        run = console({QStringLiteral("--save-config"), path("a.ini")}, 5);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray a = read(path("a.ini"));
        QVERIFY(a.contains("Run Time=25\n"));
        QVERIFY(a.contains("Line 1=LOBBY \\\"EAST\\\"\n") || a.contains("Line 1=\"LOBBY \\\"EAST\\\"\"\n"));

        // Blank dome B takes A's configuration, and then reads as A did.
        run = console({QStringLiteral("--write-config"), path("a.ini"), QStringLiteral("--yes")}, 9);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out.join(u'\n')));
        QVERIFY2(run.out.isEmpty(), qPrintable(run.out.join(u'\n')));
        run = console({QStringLiteral("--save-config"), path("b.ini")}, 9);
        QCOMPARE(run.exitCode, 0);
        const QByteArray b = read(path("b.ini"));
        QVERIFY(a != b);
        QCOMPARE(withoutAddressAndDate(a), withoutAddressAndDate(b));
        run = console({QStringLiteral("--compare-config"), path("a.ini"), QStringLiteral("--with"), path("b.ini")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.isEmpty());

        // One field changed on B: the comparison shows exactly that field.
        write(path("change.ini"), "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=40\nDelay Time=7\n");
        QCOMPARE(console({QStringLiteral("--write-config"), path("change.ini"), QStringLiteral("--yes")}, 9).exitCode, 0);
        run = console({QStringLiteral("--compare-config"), path("a.ini")}, 9);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out == QStringList{QStringLiteral("Wipe Setup.Run Time: 25 -> 40")}, qPrintable(run.out.join(u'\n')));
    }

    void aWriteThatIsNotConfirmedSendsNothing()
    {
        write(path("c.ini"), "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=99\nDelay Time=1\n");
        const Run run = console({QStringLiteral("--write-config"), path("c.ini")}, 9);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("Program the AlderHD camera at address 9")));
        QVERIFY(!console({QStringLiteral("--save-config"), path("d.ini")}, 9).exitCode);
        QVERIFY(!read(path("d.ini")).contains("Run Time=99"));
    }

    void filesThatDoNotReadOrCannotBeWrittenEndWithTwo()
    {
        write(path("bad.ini"), "[Header]\nFormat=7\n");
        Run run = console({QStringLiteral("--compare-config"), path("bad.ini"), QStringLiteral("--with"), path("bad.ini")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("Format=7 is not a configuration format")));
        write(path("range.ini"), "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=10000\nDelay Time=1\n");
        run = console({QStringLiteral("--write-config"), path("range.ini"), QStringLiteral("--yes")}, 9);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("[Wipe Setup] Run Time=10000 is outside 0..9999")));
        run = console({QStringLiteral("--compare-config"), path("none.ini")}, 9);
        QCOMPARE(run.exitCode, 2);
    }

    void aCameraThatDoesNotAnswerEndsWithThree()
    {
        const Run run = console({QStringLiteral("--save-config"), path("silent.ini")}, 77);
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.err.contains(QStringLiteral("did not answer")));
    }
};

} // namespace tarn

QTEST_GUILESS_MAIN(tarn::HeadlessConfigTest)
#include "HeadlessConfigTest.moc"
