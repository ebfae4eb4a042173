#include "imaging/AlderHdDspDialog.h"
#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace tarn {

// "DSP Status" of the real main window opens the picture dialog over the
// real logic. Timers stay on the virtual clock, so what the dialog queues
// stays in the queue.
class AlderHdDspDialogTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    // Runs `inside` once the modal dialog is up, after "DSP Status" was pressed.
    void withDspDialog(const std::function<void(AlderHdDspDialog&)>& inside)
    {
        QVERIFY2(test::runInDialogOpenedBy<AlderHdDspDialog>(mainWindow.get(), "dspStatusButton", inside),
                 "the picture dialog did not open");
    }

private slots:
    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1))); // Day/Night
        holdTheQueue();
    }

    void cleanup() { closeMainWindow(); }

    void opensOnAnEmptyQueueAndForgetsTheDialogOnClose()
    {
        CameraLink& link = control->link();
        control->presets().selectionChanged(5);
        link.enqueue("L?");
        link.queue().queueReady = false;
        bool queueWasEmptied = false;
        bool registered = false;
        withDspDialog([&](AlderHdDspDialog& dialog) {
            queueWasEmptied = link.queue().empty() && link.queue().queueReady && link.queue().dataReplyDone;
            registered = link.router().receiver(ReceiverSlot::Dsp) == &dialog.logic();
            link.state().replyWanted = true; // a command of the dialog is still unanswered
        });
        QVERIFY(queueWasEmptied);
        QVERIFY(registered);
        QCOMPARE(link.router().receiver(ReceiverSlot::Dsp), nullptr);
        QVERIFY(!link.state().replyWanted);
        QCOMPARE(control->presets().rememberedIndex(), 0);
    }

    void controlsReachTheLogic()
    {
        std::vector<std::string> queued;
        bool trimsFollowManual = false;
        bool refusedEditFocused = false;
        withDspDialog([&](AlderHdDspDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("AlderHD DSP Camera Control"));
            auto* redUp = child<QWidget>(&dialog, "redUpButton");
            QTest::mouseClick(child<QRadioButton>(&dialog, "wbAutoNormalRadio"), Qt::LeftButton);
            const bool offWhenAuto = !redUp->isEnabled();
            QTest::mouseClick(child<QRadioButton>(&dialog, "wbManualRadio"), Qt::LeftButton);
            trimsFollowManual = offWhenAuto && redUp->isEnabled();
            // The trim button acts while held.
            QTest::mousePress(redUp, Qt::LeftButton);
            QTest::mouseRelease(redUp, Qt::LeftButton, {}, QPoint(-20, -20));
            auto* shutter = child<QComboBox>(&dialog, "shutterCombo");
            QCOMPARE(shutter->itemText(15), QStringLiteral("1/10000"));
            emit shutter->activated(15);
            auto* zoomPosition = child<QLineEdit>(&dialog, "zoomPositionEdit");
            QTest::keyClicks(zoomPosition, QStringLiteral("a"));
            QTest::mouseClick(child<QPushButton>(&dialog, "setZoomPositionButton"), Qt::LeftButton);
            QCOMPARE(zoomPosition->text(), QStringLiteral("000A"));
            // Enter moves on; it does not close the dialog.
            QTest::keyClick(zoomPosition, Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            auto* agc = child<QLineEdit>(&dialog, "agcEdit");
            agc->clear();
            QTest::keyClicks(agc, QStringLiteral("200"));
            QTest::mouseClick(child<QPushButton>(&dialog, "setAgcButton"), Qt::LeftButton);
            refusedEditFocused = dialog.focusWidget() == agc;
            queued = test::takeQueued(control->link().queue());
        });
        QVERIFY(trimsFollowManual);
        QVERIFY(refusedEditFocused);
        QCOMPARE(queued, (std::vector<std::string>{"cW0", "cW1", "cWR", "cWQ", "cS?", "cV000A"}));
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Please enter an integer between 1 and 40."});
    }

    // A refused edit takes the focus once, when the refusal is shown; what
    // the operator does afterwards (a button, a list, a radio) leaves the
    // focus where the operator put it.
    void aRefusedEditTakesTheFocusOnlyOnce()
    {
        QString focusAfterRefusal;
        QStringList pulledBackBy;
        withDspDialog([&](AlderHdDspDialog& dialog) {
            auto* agc = child<QLineEdit>(&dialog, "agcEdit");
            auto* tx = child<QLineEdit>(&dialog, "txEdit");
            agc->clear();
            QTest::keyClicks(agc, QStringLiteral("x"));
            QTest::mouseClick(child<QPushButton>(&dialog, "setAgcButton"), Qt::LeftButton);
            focusAfterRefusal = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
            const std::pair<const char*, std::function<void()>> unrelated[] = {
                {"statusButton", [&] { QTest::mouseClick(child<QPushButton>(&dialog, "statusButton"), Qt::LeftButton); }},
                {"getZoomPositionButton",
                 [&] { QTest::mouseClick(child<QPushButton>(&dialog, "getZoomPositionButton"), Qt::LeftButton); }},
                {"shutterCombo", [&] { emit child<QComboBox>(&dialog, "shutterCombo")->activated(3); }},
                {"dayNightColorRadio",
                 [&] { QTest::mouseClick(child<QRadioButton>(&dialog, "dayNightColorRadio"), Qt::LeftButton); }},
            };
            for (const auto& [name, act] : unrelated) {
                tx->setFocus();
                act();
                if (dialog.focusWidget() == agc)
                    pulledBackBy << QLatin1String(name);
            }
        });
        QCOMPARE(focusAfterRefusal, QStringLiteral("agcEdit"));
        QCOMPARE(pulledBackBy, QStringList{});
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Please enter an integer."});
    }
};

} // namespace tarn

QTEST_MAIN(tarn::AlderHdDspDialogTest)
#include "AlderHdDspDialogTest.moc"
