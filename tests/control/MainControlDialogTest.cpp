#include "core/Version.h"
#include "widgets/PTControl.h"
#include "platform/QtPrompter.h"
#include "support/HandBuiltFrames.h"
#include "support/MainWindowHarness.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace tarn {

namespace {

// What ends a hold of the main window's controls.
enum class HoldEnd { Release, OtherWindowActive, GrabTaken, WindowHidden, PopupFromKeyboard, Box, LinkLost, NetworkDropped };
// Which hold: ZI held by the mouse, the pad dragged.
enum class MainHold { ZoomIn, PadDrag };

} // namespace

// The real window over the real logic: clicks must reach the logic. Timers
// stay on the virtual clock, so what was queued is still in the queue.
class MainControlDialogTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    // Presses `button` of the main window and runs `inside` in the modal
    // dialog named `dialogName` it opens; the dialog is then closed with its
    // "Close". Returns whether the dialog was there to run it.
    bool inDialogOpenedBy(const char* button, const char* dialogName, const std::function<void(QDialog&)>& inside)
    {
        return test::runInDialogOpenedBy(mainWindow.get(), button, inside, dialogName);
    }

    // A camera reply as the router gets it, from the address the panel uses.
    void reply(std::string_view text)
    {
        control->link().state().framedSend = true;
        control->link().router().route(test::handBuiltFrame(static_cast<std::uint8_t>(control->link().state().address), text));
    }

private slots:
    void initTestCase()
    {
        // "Dome.dat" goes to a test folder, never to the user's own.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1))); // Day/Night
        holdTheQueue();
    }

    void cleanup() { closeMainWindow(); }

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

    void holdQueuesOneStopHoweverItEnds_data()
    {
        QTest::addColumn<MainHold>("hold");
        QTest::addColumn<HoldEnd>("end");
        const std::pair<const char*, MainHold> holds[] = {{"ZI", MainHold::ZoomIn}, {"pad", MainHold::PadDrag}};
        const std::pair<const char*, HoldEnd> ends[] = {
            {"release", HoldEnd::Release},
            {"other window active", HoldEnd::OtherWindowActive},
            {"grab taken", HoldEnd::GrabTaken},
            {"window hidden", HoldEnd::WindowHidden},
            {"popup from the keyboard", HoldEnd::PopupFromKeyboard},
            {"box", HoldEnd::Box},
            {"link lost", HoldEnd::LinkLost},
            {"port server dropped", HoldEnd::NetworkDropped},
        };
        for (const auto& [holdName, hold] : holds) {
            for (const auto& [endName, end] : ends)
                QTest::addRow("%s, %s", holdName, endName) << hold << end;
        }
    }

    // The camera gets exactly one stop for each hold, whatever ends it, and
    // nothing more when the late release comes.
    void holdQueuesOneStopHoweverItEnds()
    {
        QFETCH(MainHold, hold);
        QFETCH(HoldEnd, end);
        auto* zoomIn = child<QWidget>("zoomInButton");
        auto* pad = child<PTControl>("panTiltPad");
        auto* presetList = child<QComboBox>("presetList");
        QWidget* held = hold == MainHold::ZoomIn ? zoomIn : static_cast<QWidget*>(pad);
        const QPoint at = hold == MainHold::ZoomIn ? zoomIn->rect().center()
                                                   : QPoint(pad->padRect().right(), pad->padRect().center().y());
        const std::string stop = hold == MainHold::ZoomIn ? "ZS" : "PSTS";
        const auto stopsQueued = [&] {
            const auto texts = queued();
            return std::count(texts.begin(), texts.end(), stop);
        };
        if (end == HoldEnd::NetworkDropped) {
            mainWindow->connectToPortServer({127, 0, 0, 1}, QStringLiteral("4001"));
            QVERIFY(sockets.live);
            sockets.live->listener.socketConnected(0);
            queued(); // what the connection asks
        }
        mainWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));

        QTest::mousePress(held, Qt::LeftButton, {}, at);
        QVERIFY(!queued().empty());

        std::unique_ptr<QWidget> other;
        switch (end) {
        case HoldEnd::Release: QTest::mouseRelease(held, Qt::LeftButton, {}, at); break;
        case HoldEnd::OtherWindowActive:
            other = std::make_unique<QWidget>();
            other->show();
            other->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(other.get()));
            break;
        case HoldEnd::GrabTaken: {
            QEvent ungrab(QEvent::UngrabMouse);
            QCoreApplication::sendEvent(held, &ungrab);
            break;
        }
        case HoldEnd::WindowHidden: mainWindow->hide(); break;
        case HoldEnd::PopupFromKeyboard:
            presetList->setFocus();
            QTest::keyClick(presetList, Qt::Key_F4);
            QTRY_VERIFY(presetList->view()->isVisible());
            break;
        case HoldEnd::Box:
            QTimer::singleShot(0, [] {
                if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    box->reject();
            });
            QtPrompter().showMessage("WARNING", "Application Error", MessageIcon::Error);
            break;
        case HoldEnd::LinkLost:
            line->closeMaster();
            QTRY_VERIFY(control->linkPaused());
            break;
        case HoldEnd::NetworkDropped: sockets.live->listener.socketClosedByPeer(); break;
        }
        QCoreApplication::processEvents();
        QCOMPARE(stopsQueued(), 1);

        // The popup's and the window's own ends: the release never reaches
        // the control that was held, or reaches it late.
        if (presetList->view()->isVisible())
            presetList->hidePopup();
        other.reset();
        mainWindow->show();
        QTest::mouseRelease(held, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        QCOMPARE(stopsQueued(), 0);
    }

    void modalBoxWhileZoomHeldStopsTheZoom()
    {
        auto* zoomIn = child<QWidget>("zoomInButton");
        QTest::mousePress(zoomIn, Qt::LeftButton);
        QCOMPARE(queued(), std::vector<std::string>{"cZ0"});
        // Any box, here an error from the link, closed by the operator.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->reject();
        });
        QtPrompter().showMessage("WARNING", "Application Error", MessageIcon::Error);
        QCOMPARE(queued(), std::vector<std::string>{"ZS"});
        QTest::mouseRelease(zoomIn, Qt::LeftButton);
        QVERIFY(queued().empty());
    }

    void heldArrowKeyGivesOneStartAndOneStop()
    {
        auto* pad = child<PTControl>("panTiltPad");
        pad->setFocus();
        const auto key = [pad](QEvent::Type type) {
            QKeyEvent event(type, Qt::Key_Right, Qt::NoModifier);
            QCoreApplication::sendEvent(pad, &event);
        };
        key(QEvent::KeyPress);
        QCOMPARE(queued(), std::vector<std::string>{"r\x40TS"});
        // The keyboard's repeats, as unmarked release/press pairs.
        for (int repeat = 0; repeat < 10; ++repeat) {
            clock.advance(33);
            key(QEvent::KeyRelease);
            key(QEvent::KeyPress);
        }
        QVERIFY(queued().empty());
        key(QEvent::KeyRelease);
        clock.advance(PanTiltPad::KeyRepeatSettleMs);
        QCOMPARE(queued(), std::vector<std::string>{"PSTS"});
    }

    void windowFitsALaptopScreenWithNothingCrushed()
    {
        const QSize minimum = mainWindow->minimumSizeHint().expandedTo(mainWindow->minimumSize());
        QVERIFY2(minimum.width() <= 1280 && minimum.height() <= 720,
                 qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
        mainWindow->resize(minimum);
        QTRY_COMPARE(mainWindow->size(), minimum);
        for (QWidget* widget : mainWindow->findChildren<QWidget*>()) {
            // The edits inside spin and combo boxes are sized by their owners.
            QWidget* owner = widget->parentWidget();
            const bool ours = !qobject_cast<QAbstractSpinBox*>(owner) && !qobject_cast<QComboBox*>(owner);
            const bool readable = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget)
                || qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget);
            if (!widget->isVisible() || !ours || !readable)
                continue;
            const QSize needed = widget->minimumSizeHint();
            QVERIFY2(widget->width() >= needed.width() && widget->height() >= needed.height(),
                     qPrintable(widget->objectName()));
        }

        // The pad takes the room a larger window gives.
        auto* pad = child<PTControl>("panTiltPad");
        const int before = pad->padRect().width();
        QVERIFY(before >= 99);
        mainWindow->resize(1366, 768);
        QTRY_VERIFY(pad->padRect().width() > before + 100);
        QCOMPARE(pad->padRect().width(), pad->padRect().height());
    }

    void aboutBoxShowsTheVersion()
    {
        QString text;
        QTimer::singleShot(0, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->reject();
            }
        });
        QTest::mouseClick(child<QPushButton>("aboutButton"), Qt::LeftButton);
        QVERIFY2(text.startsWith(QStringLiteral("Tarn Console ") + QLatin1String(ProgramVersion) + u'\n'),
                 qPrintable(text));
    }

    void padDragSendsSpeedsAndTheStop()
    {
        auto* pad = child<PTControl>("panTiltPad");
        QVERIFY(pad && pad->isEnabled());
        const QPoint edge(pad->padRect().right(), pad->padRect().center().y());
        QTest::mousePress(pad, Qt::LeftButton, {}, edge);
        QTest::mouseRelease(pad, Qt::LeftButton, {}, edge);
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
        QTest::keyClick(mainWindow.get(), Qt::Key_Return);
        QTest::keyClick(mainWindow.get(), Qt::Key_Escape);
        QVERIFY(mainWindow->isVisible());
        QVERIFY(!control->hasExited());
    }

    void cameraSetupOkAppliesTheNewCameraType()
    {
        QVERIFY(child<QWidget>("zoomInButton")->isEnabled());
        bool pressed = false;
        QTimer::singleShot(0, mainWindow.get(), [&] {
            QWidget* setup = QApplication::activeModalWidget();
            // A failed check must not leave the dialog waiting for a click.
            const auto closeOnFailure = qScopeGuard([&] {
                if (!pressed && setup)
                    setup->close();
            });
            QVERIFY(setup && setup->windowTitle() == QStringLiteral("Setup"));
            auto* types = setup->findChild<QComboBox*>(QStringLiteral("cameraTypeList"));
            QCOMPARE(types->currentText(), QStringLiteral("AlderHD"));
            types->setCurrentIndex(6); // the empty entry: not one of the maker's cameras
            emit types->activated(6);
            QTest::keyClick(types, Qt::Key_Return); // moves on, does not close
            QVERIFY(setup->isVisible());
            QTest::mouseClick(setup->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
            pressed = true;
        });
        QTest::mouseClick(child<QPushButton>("cameraSetupButton"), Qt::LeftButton);
        QVERIFY(pressed);
        QCOMPARE(profile.readInt("Setup", "RxType", -1), 6);
        QVERIFY(!child<QWidget>("zoomInButton")->isEnabled());
        QVERIFY(!child<QWidget>("panTiltPad")->isEnabled());
        QVERIFY(!child<QWidget>("washButton")->isEnabled());
        QVERIFY(child<QWidget>("azimuthSetButton")->isEnabled());
    }

    void positionGotoWithAnEmptyFieldNamesIt()
    {
        child<QLineEdit>("panField")->setText(QStringLiteral("5"));
        QTest::mouseClick(child<QPushButton>("positionGotoButton"), Qt::LeftButton);
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Invalid Tilt Position"});
        QVERIFY(queued().empty());
    }

    void cameraIdOpensReadsBackAndRefusesA25thCharacter()
    {
        auto* button = child<QPushButton>("cameraIdButton");
        QVERIFY(button && button->isEnabled());
        QString title;
        bool registered = false;
        std::vector<std::string> firstQuery;
        QString line1;
        bool stayedOpen = false;
        const bool ran = inDialogOpenedBy("cameraIdButton", "CameraIdDialog", [&](QDialog& dialog) {
            title = dialog.windowTitle();
            registered = control->link().router().receiver(ReceiverSlot::CameraId) != nullptr;
            clock.advance(5);
            firstQuery = queued();
            auto* edit = child<QLineEdit>(&dialog, "line1Edit");
            QTest::keyClicks(edit, QString(24, QLatin1Char('a')));
            QTest::keyClick(edit, Qt::Key_B);
            line1 = edit->text();
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Escape);
            stayedOpen = dialog.isVisible();
        });
        QVERIFY(ran);

        QCOMPARE(title, QStringLiteral("Program Camera ID"));
        QVERIFY(registered);
        QCOMPARE(firstQuery, std::vector<std::string>{"cdSc"});
        QCOMPARE(line1, QString(24, QLatin1Char('a')));
        QCOMPARE(prompter.texts(),
                 std::vector<std::string>{"A maximum of 24 characters is allowed for the Camera ID."});
        QVERIFY(stayedOpen);
        QCOMPARE(control->link().router().receiver(ReceiverSlot::CameraId), nullptr);
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
                if (!modal || modal == mainWindow.get())
                    return;
                opened << modal->windowTitle();
                queueEmptyInside = control->link().queue().empty();
                modal->close();
            });
            closer.start(10);
            QTest::mouseClick(child<QPushButton>("tourSetupButton"), Qt::LeftButton);
            QCoreApplication::processEvents(); // a second dialog would open now
            closer.stop();
            QCOMPARE(opened, QStringList{QString::fromLatin1(title)});
            if (cameraType == 0)
                QVERIFY2(queueEmptyInside, "what was queued before the dialog does not go out in it");
            queued();
        }
    }

    void wipeSetupOpensReadsBackAndSets()
    {
        control->link().enqueue("L?");
        std::vector<std::string> atOpening, query, set;
        int runTime = -1;
        bool eitherModule = true, stayedOpen = false, movedOn = false;
        const bool ran = inDialogOpenedBy("wipeSetupButton", "WipeSetupDialog", [&](QDialog& wipe) {
            atOpening = queued();
            clock.advance(200);
            query = queued();
            reply("mwr0120d05m7");
            runTime = child<QSpinBox>(&wipe, "runTimeSpin")->value();
            eitherModule = child<QRadioButton>(&wipe, "oldModuleRadio")->isChecked()
                || child<QRadioButton>(&wipe, "newModuleRadio")->isChecked();
            QTest::mouseClick(child<QPushButton>(&wipe, "setButton"), Qt::LeftButton);
            set = queued();
            auto* runTimeSpin = child<QSpinBox>(&wipe, "runTimeSpin");
            QApplication::setActiveWindow(&wipe);
            runTimeSpin->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            movedOn = child<QSpinBox>(&wipe, "delayTimeSpin")->hasFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            stayedOpen = wipe.isVisible();
        });
        QVERIFY(ran);
        QVERIFY(atOpening.empty()); // what waited was dropped
        QCOMPARE(query, std::vector<std::string>{"mw?"});
        QCOMPARE(runTime, 120);
        QVERIFY(!eitherModule);
        QCOMPARE(set, std::vector<std::string>{"mwr0120d05"});
        QVERIFY(movedOn); // Escape moved on like Tab
        QVERIFY(stayedOpen);
        QCOMPARE(control->link().router().receiver(ReceiverSlot::WipeSetup), nullptr);
    }

    void washSetupShowsAFrequencyBeyondItsArrowsAndRefusesToSendIt()
    {
        std::vector<std::string> set;
        int frequency = -1;
        bool manual = false;
        const bool ran = inDialogOpenedBy("washSetupButton", "WashSetupDialog", [&](QDialog& wash) {
            clock.advance(200);
            queued();
            reply("mWW15w07m1f120");
            auto* frequencySpin = child<QSpinBox>(&wash, "frequencySpin");
            frequency = frequencySpin->value();
            manual = child<QCheckBox>(&wash, "manualWashCheck")->isChecked();
            QTest::mouseClick(child<QPushButton>(&wash, "setButton"), Qt::LeftButton);
            frequencySpin->stepDown();
            QTest::mouseClick(child<QPushButton>(&wash, "setButton"), Qt::LeftButton);
            set = queued();
        });
        QVERIFY(ran);
        QCOMPARE(frequency, 120);
        QVERIFY(manual);
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Please enter an integer between 1 and 10."});
        QCOMPARE(set, std::vector<std::string>{"mWW15m1f010"}); // the arrow brings it back to 10
    }

    void azimuthSetupStopsPollingKeepsTheQueueAndShowsTheAnswers()
    {
        QTest::mouseClick(child<QPushButton>("statusButton"), Qt::LeftButton);
        queued();
        control->link().enqueue("L?");
        bool polling = true, lamp = true, enabled = false, groupedEnabled = false;
        std::vector<std::string> atOpening, set;
        QString delay, text;
        const bool ran = inDialogOpenedBy("azimuthSetButton", "AzimuthSetupDialog", [&](QDialog& azimuth) {
            polling = control->panel().statusPolling();
            lamp = control->panel().lamps().statusPolling;
            atOpening = queued();
            groupedEnabled = child<QPushButton>(&azimuth, "groupedWithIdsButton")->isEnabled();
            auto* edit = child<QLineEdit>(&azimuth, "delayEdit");
            edit->setText(QStringLiteral("250"));
            QTest::mouseClick(child<QPushButton>(&azimuth, "setDelayButton"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(&azimuth, "azElEnableButton"), Qt::LeftButton);
            set = queued();
            reply("UE300");
            enabled = child<QRadioButton>(&azimuth, "autoResponseEnableRadio")->isChecked();
            delay = edit->text();
            reply("U?P1800\tT0900");
            text = child<QLineEdit>(&azimuth, "controlSetupEdit")->text();
        });
        QVERIFY(ran);
        QVERIFY(!polling && !lamp);
        QCOMPARE(atOpening, std::vector<std::string>{"L?"});
        QVERIFY(groupedEnabled);
        QCOMPARE(set, (std::vector<std::string>{"UT250", "dpE"}));
        QVERIFY(enabled);
        QCOMPARE(delay, QStringLiteral("300"));
        QCOMPARE(text, QStringLiteral("P1800 T0900"));
        QCOMPARE(control->link().router().receiver(ReceiverSlot::Azimuth), nullptr);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::MainControlDialogTest)
#include "MainControlDialogTest.moc"
