#include "widgets/PTControl.h"
#include "imaging/AlderHdDspDialog.h"
#include "programming/ScreenPrivacyDialog.h"
#include "support/MainWindowHarness.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace tarn {

// "DSP Status" of the real main window, then the picture dialog's "Setup",
// opens the privacy zone dialog over the real logic. Timers stay on the
// virtual clock, so what the dialog queues stays in the queue.
class ScreenPrivacyDialogTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    // Runs `inside` once the privacy dialog is up over the picture dialog.
    void withPrivacyDialog(const std::function<void(ScreenPrivacyDialog&)>& inside)
    {
        bool ran = false;
        test::runInDialogOpenedBy<AlderHdDspDialog>(mainWindow.get(), "dspStatusButton", [&](AlderHdDspDialog& dsp) {
            ran = test::runInDialogOpenedBy<ScreenPrivacyDialog>(&dsp, "privacySetupButton", inside);
        });
        QVERIFY2(ran, "the privacy zone dialog did not open");
    }

private slots:
    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1))); // Day/Night
        holdTheQueue();
    }

    void cleanup() { closeMainWindow(); }

    void setupOpensItOverThePictureDialog()
    {
        CameraLink& link = control->link();
        std::vector<std::string> queued;
        bool registered = false;
        bool padAsOnTheMainWindow = false;
        bool sizesWaitForAZone = false;
        bool refusedEditFocused = false;
        withPrivacyDialog([&](ScreenPrivacyDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Screen Privacy Zone Setup"));
            registered = link.router().receiver(ReceiverSlot::ScreenPrivacy) == &dialog.logic();
            const PTControl& pad = dialog.pad();
            padAsOnTheMainWindow = pad.size() == QSize(123, 123) && !pad.nudgeButtonsVisible()
                && pad.pad().isProportional();

            // The list taking the focus chooses no zone.
            auto* horizontalSize = child<QWidget>(&dialog, "horizontalSizeSpin");
            auto* zones = child<QListWidget>(&dialog, "zoneList");
            QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(zones, &tabbedIn);
            sizesWaitForAZone = !horizontalSize->isEnabled();
            QTest::mouseClick(zones->viewport(), Qt::LeftButton, {}, zones->visualItemRect(zones->item(2)).center());
            sizesWaitForAZone = sizesWaitForAZone && horizontalSize->isEnabled();
            // On the indicator: a radio takes clicks on itself and its text only.
            auto* live = child<QRadioButton>(&dialog, "liveRadio");
            QTest::mouseClick(live, Qt::LeftButton, {}, QPoint(6, live->height() / 2));

            // The zoom acts while held; the stop goes wherever the button is let go.
            auto* zoomIn = child<QWidget>(&dialog, "zoomInButton");
            QTest::mousePress(zoomIn, Qt::LeftButton);
            QTest::mouseRelease(zoomIn, Qt::LeftButton, {}, QPoint(-30, -30));

            auto* pan = child<QLineEdit>(&dialog, "panEdit");
            QTest::keyClicks(pan, QStringLiteral("9x00"));
            QTest::keyClick(pan, Qt::Key_Return); // moves on; does not close
            QVERIFY(dialog.isVisible());
            QTest::mouseClick(child<QPushButton>(&dialog, "gotoButton"), Qt::LeftButton);
            refusedEditFocused = dialog.focusWidget() == pan;
            queued = test::takeQueued(link.queue());
        });
        QVERIFY(registered);
        QVERIFY(padAsOnTheMainWindow);
        QVERIFY(sizesWaitForAZone);
        QVERIFY(refusedEditFocused);
        QCOMPARE(link.router().receiver(ReceiverSlot::ScreenPrivacy), nullptr);
        QCOMPARE(queued, (std::vector<std::string>{"c*NA", "c*N3", "c*M32", "cZ0", "ZS"}));
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Invalid Pan Position (Requires 4 decimal digits)"});
    }
};

} // namespace tarn

QTEST_MAIN(tarn::ScreenPrivacyDialogTest)
#include "ScreenPrivacyDialogTest.moc"
