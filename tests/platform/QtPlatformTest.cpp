#include "platform/QtMainThreadPoster.h"
#include "platform/QtProfileStore.h"
#include "platform/QtPrompter.h"
#include "platform/QtTimers.h"
#include "platform/ScriptedPrompter.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <thread>

namespace tarn {

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void everyWriteReachesTheFileAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tarn-console.conf"));
        ScriptedPrompter prompter;
        QtProfileStore store(prompter, path);

        store.writeInt("Setup", "Video Freeze Status", 1);
        store.writeString("Presets", "P4", "Gate #2");

        // Another reader of the file, as the next run would be.
        QSettings reader(path, QSettings::IniFormat);
        QCOMPARE(reader.value(QStringLiteral("Setup/Video Freeze Status")).toInt(), 1);
        QCOMPARE(reader.value(QStringLiteral("Presets/P4")).toString(), QStringLiteral("Gate #2"));
        QCOMPARE(store.readInt("Setup", "Video Freeze Status", -1), 1);
        QCOMPARE(store.readInt("Setup", "Absent", -1), -1);
        QVERIFY(!store.readString("Setup", "Absent"));
        QVERIFY(prompter.shown().empty());
    }

    void unwritableFileIsReportedOnce()
    {
        QTemporaryDir dir;
        // A plain file where the settings folder should be: no write can succeed,
        // whoever runs the test (root ignores permission bits, not this).
        const QString blocker = dir.filePath(QStringLiteral("Tarn"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ScriptedPrompter prompter;
        QtProfileStore store(prompter, blocker + QStringLiteral("/tarn-console.conf"));

        store.writeInt("Setup", "Port", 2);
        store.writeInt("Setup", "Baud", 1);
        store.writeString("Presets", "P0", "x");

        QCOMPARE(prompter.shown().size(), std::size_t{1});
        QCOMPARE(prompter.shown()[0].title, std::string("Settings Error"));
        QVERIFY(prompter.shown()[0].text.find("tarn-console.conf") != std::string::npos);
        QVERIFY(store.writeFailed());
    }

    void unreadableFileIsKeptAsABackupAndSaidOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tarn-console.conf"));
        const QByteArray garbage("\x01\x02garbage\n[Setup\nRxType=\x02\x03\n", 27);
        for (int run = 1; run <= 2; ++run) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
            file.close();
            ScriptedPrompter prompter;
            QtProfileStore store(prompter, path);
            store.writeInt("Setup", "Port", 2);
            store.writeInt("Setup", "Baud", 1);

            const QString backup = run == 1 ? path + QStringLiteral(".unreadable")
                                            : path + QStringLiteral(".unreadable-2");
            QCOMPARE(prompter.texts(),
                     std::vector<std::string>{"The settings file could not be read and was replaced by the "
                                              "defaults.\nThe unreadable file was kept as "
                                              + backup.toStdString()});
            QVERIFY(!store.writeFailed());
            QFile kept(backup);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), garbage);
            QSettings reader(path, QSettings::IniFormat);
            QCOMPARE(reader.status(), QSettings::NoError);
            QCOMPARE(reader.value(QStringLiteral("Setup/Baud")).toInt(), 1);
        }
    }

    void timersRepeatRestartAndStopFromTheirOwnHandler()
    {
        struct Client : TimerClient {
            QtTimers* timers = nullptr;
            int fired = 0;
            void timerFired(int id) override
            {
                if (++fired == 3)
                    timers->stop(*this, id);
            }
        } client;
        QtTimers timers;
        client.timers = &timers;
        timers.start(client, 20, 1);
        QVERIFY(timers.isRunning(client, 20));
        QTRY_VERIFY(!timers.isRunning(client, 20));
        QCOMPARE(client.fired, 3);
        timers.start(client, 20, 1);
        timers.stopAll(client);
        QVERIFY(!timers.isRunning(client, 20));
    }

    void postedWorkRunsOnTheMainThreadInOrder()
    {
        QtMainThreadPoster poster;
        std::vector<int> order;
        bool onMainThread = true;
        std::thread worker([&] {
            for (int i = 0; i < 100; ++i)
                poster.post([&, i] {
                    order.push_back(i);
                    onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
                });
        });
        worker.join();
        QTRY_COMPARE(order.size(), std::size_t{100});
        QVERIFY(std::is_sorted(order.begin(), order.end()));
        QVERIFY(onMainThread);
    }

    void classicFileFiltersBecomeQtFilters()
    {
        QCOMPARE(QtPrompter::qtFilter("Text Files (*.txt)|*.txt||"), std::string("Text Files (*.txt)"));
        QCOMPARE(QtPrompter::qtFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
                 std::string("Text Files (*.txt);;All Files (*.*)"));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::QtPlatformTest)
#include "QtPlatformTest.moc"
