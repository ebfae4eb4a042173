#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "widgets/PTControl.h"
#include "imaging/AlderHdDspDialog.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/QtPrompter.h"
#include "platform/QtTimers.h"
#include "platform/ScriptedPrompter.h"
#include "support/FakePortServer.h"
#include "support/QtWidgetDriving.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace tarn {

// The operator's view of a working camera: the real window, real timers and
// the real serial port against the tarn-camsim program on a pty. Zoom, the
// pad and a preset must move the camera, and the positions must show.
class MainWindowWithSimulatorTest : public QObject {
    Q_OBJECT

private:
    QProcess simulator;
    QtTimers timers;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QtMainThreadPoster poster;
    test::FakePortServer sockets;
    Platform platform{timers, prompter, profile, poster, sockets};
    std::unique_ptr<MainControl> control;
    std::unique_ptr<MainControlDialog> dialog;

    template <typename T>
    T* child(const char* name)
    {
        return test::child<T>(dialog.get(), name);
    }
    QString field(const char* name) { return child<QLineEdit>(name)->text(); }
    // A point on the pad, from its centre: the pad grows with the window.
    QPoint onPad(int dx, int dy) { return child<PTControl>("panTiltPad")->padRect().center() + QPoint(dx, dy); }

    // Presses "DSP Status", runs `inside` in the picture dialog, then closes it.
    void withDspDialog(const std::function<void(QDialog&)>& inside)
    {
        QVERIFY2(test::runInDialogOpenedBy<AlderHdDspDialog>(dialog.get(), "dspStatusButton",
                                                             [&](AlderHdDspDialog& dsp) { inside(dsp); }),
                 "the picture dialog did not open");
    }

private slots:
    void initTestCase()
    {
        simulator.start(QStringLiteral(TARN_CAMSIM_PATH),
                        {QStringLiteral("--pty"), QStringLiteral("--address"), QStringLiteral("5"),
                         QStringLiteral("--module"), QStringLiteral("daynight")});
        QVERIFY(simulator.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(simulator.canReadLine(), 5000);
        const QString line = QString::fromLatin1(simulator.readLine()).trimmed();
        QVERIFY2(line.startsWith(QStringLiteral("pty: ")), qPrintable(line));
        const std::string device = line.mid(5).toStdString();

        Settings settings;
        settings.rxType = 0;
        settings.camType = 1;
        settings.ptType = 1;
        control = std::make_unique<MainControl>(platform, settings, [device](int) { return device; });
        dialog = std::make_unique<MainControlDialog>(*control, platform);
        dialog->initialise();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        // The camera is found at its address.
        QTRY_COMPARE_WITH_TIMEOUT(control->link().state().address, 5, 3000);
        QTest::mouseClick(child<QPushButton>("positionQueryButton"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!field("zoomField").isEmpty() && !field("panField").isEmpty(), 4000);
    }

    void cleanupTestCase()
    {
        dialog.reset();
        control.reset();
        simulator.terminate();
        simulator.waitForFinished(5000);
    }

    void zoomInMovesTheLens()
    {
        const QString before = field("zoomField");
        auto* zoomIn = child<QWidget>("zoomInButton");
        QTest::mousePress(zoomIn, Qt::LeftButton);
        QTest::qWait(700); // the operator holds the button
        QTest::mouseRelease(zoomIn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(field("zoomField") != before, 4000);
        QCOMPARE(prompter.shown().size(), std::size_t{0});
    }

    void draggingThePadPansTheCamera()
    {
        const QString before = field("panField");
        auto* pad = child<QWidget>("panTiltPad");
        QTest::mousePress(pad, Qt::LeftButton, {}, onPad(40, 0));
        QTest::qWait(700);
        QTest::mouseRelease(pad, Qt::LeftButton, {}, onPad(40, 0));
        QTRY_VERIFY_WITH_TIMEOUT(field("panField") != before, 4000);
    }

    void aBoxOpenedDuringADragStopsTheCamera()
    {
        // Panning never runs into an end, so a camera left moving shows.
        auto* pad = child<QWidget>("panTiltPad");
        QTest::mousePress(pad, Qt::LeftButton, {}, onPad(40, 0));
        QTest::qWait(300);
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->reject();
        });
        QtPrompter().showMessage("WARNING", "Application Error", MessageIcon::Error);
        QTest::qWait(2500); // the stop and two position polls
        const QString stopped = field("panField");
        QTest::qWait(1500);
        QCOMPARE(field("panField"), stopped);
        QTest::mouseRelease(pad, Qt::LeftButton, {}, onPad(40, 0));
    }

    // The dialog fills from the camera's status; what it sets, the camera
    // reports the next time the dialog opens.
    void pictureDialogShowsWhatTheCameraReports()
    {
        withDspDialog([&](QDialog& dsp) {
            QTRY_COMPARE_WITH_TIMEOUT(test::child<QComboBox>(&dsp, "shutterCombo")->currentIndex(), 0, 3000);
            QVERIFY(test::child<QComboBox>(&dsp, "zoomMagnificationCombo")->currentIndex() >= 0);
            QVERIFY(test::child<QRadioButton>(&dsp, "wbAutoNormalRadio")->isChecked());
            QTRY_COMPARE_WITH_TIMEOUT(test::child<QComboBox>(&dsp, "minFocusDistanceCombo")->currentText(), QStringLiteral("3m"), 3000);
            emit test::child<QComboBox>(&dsp, "shutterCombo")->activated(6);
            test::child<QRadioButton>(&dsp, "wbManualRadio")->click();
            test::child<QRadioButton>(&dsp, "wdrOnRadio")->click();
            // They go out one by one before the dialog closes.
            QTRY_VERIFY_WITH_TIMEOUT(control->link().queue().empty(), 3000);
        });
        withDspDialog([&](QDialog& dsp) {
            QTRY_COMPARE_WITH_TIMEOUT(test::child<QComboBox>(&dsp, "shutterCombo")->currentText(), QStringLiteral("      1/60"), 3000);
            QVERIFY(test::child<QRadioButton>(&dsp, "wbManualRadio")->isChecked());
            QVERIFY(test::child<QRadioButton>(&dsp, "wdrOnRadio")->isChecked());
        });
        QCOMPARE(prompter.shown().size(), std::size_t{0});
    }

    void recallingAPresetMovesTheCameraBack()
    {
        auto* list = child<QComboBox>("presetList");
        list->setCurrentIndex(2);
        QTest::mouseClick(child<QPushButton>("storeButton"), Qt::LeftButton);
        const QString stored = field("panField");
        auto* pad = child<QWidget>("panTiltPad");
        QTest::mousePress(pad, Qt::LeftButton, {}, onPad(-40, 0));
        QTest::qWait(700);
        QTest::mouseRelease(pad, Qt::LeftButton, {}, onPad(-40, 0));
        QTRY_VERIFY_WITH_TIMEOUT(field("panField") != stored, 4000);
        QTest::mouseClick(child<QPushButton>("gotoButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(field("panField"), stored, 6000);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::MainWindowWithSimulatorTest)
#include "MainWindowWithSimulatorTest.moc"
