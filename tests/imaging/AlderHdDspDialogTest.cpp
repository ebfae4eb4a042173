#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "imaging/AlderHdDspDialog.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/PseudoTerminal.h"
#include "support/QueuedCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tarn {

// "DSP Status" of the real main window opens the picture dialog over the
// real logic. Timers stay on the virtual clock, so what the dialog queues
// stays in the queue.
class AlderHdDspDialogTest : public QObject {
    Q_OBJECT

private:
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QtMainThreadPoster poster;
    test::FakePortServer sockets;
    test::PseudoTerminal line;
    Platform platform{clock, prompter, profile, poster, sockets};
    std::unique_ptr<MainControl> control;
    std::unique_ptr<MainControlDialog> window;

    template <typename T>
    static T* child(QWidget* parent, const char* name)
    {
        return parent->findChild<T*>(QString::fromLatin1(name));
    }
    // Runs `inside` once the modal dialog is up, after "DSP Status" was pressed.
    void withDspDialog(const std::function<void(AlderHdDspDialog&)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<AlderHdDspDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                ran = true;
                inside(*dialog);
                QTest::mouseClick(child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
            }
        });
        QTest::mouseClick(child<QPushButton>(window.get(), "dspStatusButton"), Qt::LeftButton);
        QVERIFY2(ran, "the picture dialog did not open");
    }

private slots:
    void init()
    {
        Settings settings;
        settings.rxType = 0;  // AlderHD
        settings.camType = 1; // Day/Night
        settings.ptType = 1;
        control = std::make_unique<MainControl>(platform, settings,
                                                [this](int) { return line.slavePath(); });
        window = std::make_unique<MainControlDialog>(*control, platform);
        window->initialise();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        control->link().state().busy = true; // keep what the clicks queue in the queue
    }

    void cleanup()
    {
        window.reset();
        control.reset();
        prompter.clear();
    }

    void opensOnAnEmptyQueueAndForgetsTheDialogOnClose()
    {
        CameraLink& link = control->link();
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
};

} // namespace tarn

QTEST_MAIN(tarn::AlderHdDspDialogTest)
#include "AlderHdDspDialogTest.moc"
