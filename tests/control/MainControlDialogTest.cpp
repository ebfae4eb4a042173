#include "control/MainControl.h"
#include "control/MainControlDialog.h"
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
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tarn {

// The real window over the real logic: clicks must reach the logic. Timers
// stay on the virtual clock, so what was queued is still in the queue.
class MainControlDialogTest : public QObject {
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
    std::unique_ptr<MainControlDialog> dialog;

    std::vector<std::string> queued() { return test::takeQueued(control->link().queue()); }
    template <typename T>
    T* child(const char* name)
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase()
    {
        // "Dome.dat" goes to a test folder, never to the user's own.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        Settings settings;
        settings.rxType = 0;  // AlderHD
        settings.camType = 1; // Day/Night
        settings.ptType = 1;
        control = std::make_unique<MainControl>(platform, settings,
                                                [this](int) { return line.slavePath(); });
        dialog = std::make_unique<MainControlDialog>(*control, platform);
        dialog->initialise();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        control->link().state().busy = true; // keep what the clicks queue in the queue
    }

    void cleanup()
    {
        dialog.reset();
        control.reset();
        prompter.clear();
    }

    void zoomButtonHeldAndLetGo()
    {
        auto* zoomIn = child<QWidget>("zoomInButton");
        QVERIFY(zoomIn && zoomIn->isEnabled());
        QTest::mousePress(zoomIn, Qt::LeftButton);
        QCOMPARE(queued(), std::vector<std::string>{"cZ0"});
        // Let go outside the button: the stop still goes.
        QTest::mouseRelease(zoomIn, Qt::LeftButton, {}, QPoint(-30, -30));
        QCOMPARE(queued(), std::vector<std::string>{"ZS"});
    }

    void padDragSendsSpeedsAndTheStop()
    {
        auto* pad = child<QWidget>("panTiltPad");
        QVERIFY(pad && pad->isEnabled());
        const QPoint centre(61, 61);
        QTest::mousePress(pad, Qt::LeftButton, {}, centre + QPoint(49, 0));
        QTest::mouseRelease(pad, Qt::LeftButton, {}, centre + QPoint(49, 0));
        const auto texts = queued();
        QVERIFY(!texts.empty());
        QCOMPARE(texts.back(), std::string("PSTS"));
        QCOMPARE(texts.size(), std::size_t{1}); // the stop overtook the move
    }

    void presetSelectionAsksForItsName()
    {
        auto* list = child<QComboBox>("presetList");
        QVERIFY(list && list->isEnabled());
        list->setCurrentIndex(47);
        QCOMPARE(queued(), std::vector<std::string>{"cdS\x60"});
    }

    void enterNeverClosesTheWindow()
    {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QVERIFY(!control->hasExited());
    }

    void positionGotoWithAnEmptyFieldNamesIt()
    {
        child<QLineEdit>("panField")->setText(QStringLiteral("5"));
        QTest::mouseClick(child<QPushButton>("positionGotoButton"), Qt::LeftButton);
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Invalid Tilt Position"});
        QVERIFY(queued().empty());
    }
    // The tour "Setup" opens one dialog, the one that fits the camera: the
    // camera's own tables for the maker's cameras, the console's preset tour
    // for any other receiver.
    void tourSetupOpensOneDialogForTheCameraType()
    {
        for (const auto& [cameraType, title] : {std::pair{0, "Tours and Sectors Setup"}, std::pair{7, "Tour Setup"}}) {
            control->link().state().cameraType = cameraType;
            control->link().enqueue("L?");
            QStringList opened;
            bool queueEmptyInside = false;
            QTimer closer;
            connect(&closer, &QTimer::timeout, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal || modal == dialog.get())
                    return;
                opened << modal->windowTitle();
                queueEmptyInside = control->link().queue().empty();
                modal->close();
            });
            closer.start(10);
            QTest::mouseClick(child<QPushButton>("tourSetupButton"), Qt::LeftButton);
            QTest::qWait(100); // a second dialog would open now
            closer.stop();
            QCOMPARE(opened, QStringList{QString::fromLatin1(title)});
            if (cameraType == 0)
                QVERIFY2(queueEmptyInside, "what was queued before the dialog does not go out in it");
            queued();
        }
    }
};

} // namespace tarn

QTEST_MAIN(tarn::MainControlDialogTest)
#include "MainControlDialogTest.moc"
