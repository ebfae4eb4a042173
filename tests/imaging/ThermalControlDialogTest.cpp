#include "control/MainControl.h"
#include "control/MainControlDialog.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QtMainThreadPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/HandBuiltFrames.h"
#include "support/PseudoTerminal.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tarn {

// "DSP Status" of the real main window with a thermal camera: Thermal Control
// opens, the camera's status fills it, its controls send, and the
// pass-through lock shows in the main window. Timers on the virtual clock.
class ThermalControlDialogTest : public QObject {
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
    static T* in(QWidget* parent, const char* name)
    {
        return parent->findChild<T*>(QString::fromLatin1(name));
    }
    std::string transmitted() const { return control->link().monitor().transmitLine(); }
    void reply(std::string_view text)
    {
        for (const std::uint8_t byte : test::handBuiltFrame(1, text))
            control->link().serialByteReceived(byte, 1);
    }

    // What the operator does in the open dialog; runs inside its modal loop.
    void operate(QDialog* thermal)
    {
        QCOMPARE(thermal->windowTitle(), QStringLiteral("Thermal Control"));
        auto* lut = in<QComboBox>(thermal, "lutCombo");
        auto* interval = in<QLineEdit>(thermal, "ffcIntervalEdit");
        auto* leftRange = in<QLabel>(thermal, "roiLeftRange");
        QVERIFY(lut && interval && leftRange);
        QCOMPARE(lut->currentIndex(), -1);
        QCOMPARE(interval->text(), QStringLiteral("7200"));
        QVERIFY(leftRange->text().isEmpty());

        clock.advance(55);
        QVERIFY(transmitted().find("tW0") != std::string::npos);
        control->link().serialByteReceived(0x06, 1);
        clock.advance(500);
        QVERIFY(transmitted().find("tDS") != std::string::npos);
        reply("tk03600010R000000320256A0250110015W0F0B0C;i0X0S1c1d&");
        QCOMPARE(lut->currentText(), QStringLiteral("Rain"));
        QCOMPARE(interval->text(), QStringLiteral("3600"));
        QCOMPARE(leftRange->text(), QStringLiteral("(0 to 639)"));
        QCOMPARE(in<QLabel>(thermal, "roiSketchHeight")->text(), QStringLiteral("(512)"));
        QVERIFY(in<QRadioButton>(thermal, "ffcManualRadio")->isChecked());
        QCOMPARE(in<QLineEdit>(thermal, "ddeEdit")->text(), QStringLiteral("23"));

        lut->setCurrentIndex(3);
        clock.advance(50);
        QVERIFY(transmitted().find("tC3") != std::string::npos);

        QTest::keyClick(interval, Qt::Key_Escape);
        QTest::keyClick(interval, Qt::Key_Return);
        QVERIFY(thermal->isVisible());

        auto* lock = in<QLabel>(window.get(), "sendLockLine");
        QVERIFY(lock && !lock->isVisible());
        prompter.scriptAnswer(true);
        QTest::mouseClick(in<QPushButton>(thermal, "enablePassThroughButton"), Qt::LeftButton);
        control->link().serialByteReceived(0x06, 1);
        clock.advance(50);
        QVERIFY(control->link().state().sendLock);
        QVERIFY(lock->isVisible());
        QCOMPARE(lock->text(), QStringLiteral("Commands locked: thermal pass-through enabled \u2013 restart to unlock"));

        QTest::mouseClick(in<QPushButton>(thermal, "okButton"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        Settings settings;
        settings.rxType = 0;  // AlderHD
        settings.camType = 2; // Thermal
        settings.ptType = 1;
        control = std::make_unique<MainControl>(platform, settings, [this](int) { return line.slavePath(); });
        window = std::make_unique<MainControlDialog>(*control, platform);
        window->initialise();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        control.reset();
        prompter.clear();
    }

    void dspStatusOpensThermalControlFilledFromTheCamera()
    {
        bool operated = false;
        QTimer::singleShot(0, this, [&] {
            auto* thermal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (thermal) {
                operate(thermal);
                operated = true;
                if (thermal->isVisible()) // a failed check above: do not hang
                    thermal->reject();
            }
        });
        auto* dspStatus = in<QPushButton>(window.get(), "dspStatusButton");
        QVERIFY(dspStatus && dspStatus->isEnabled());
        QTest::mouseClick(dspStatus, Qt::LeftButton);
        QVERIFY(operated);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(control->link().router().receiver(ReceiverSlot::Thermal), nullptr);
        QVERIFY(!control->link().state().replyWanted);
        QCOMPARE(prompter.shown().size(), std::size_t{1}); // the pass-through question
    }
};

} // namespace tarn

QTEST_MAIN(tarn::ThermalControlDialogTest)
#include "ThermalControlDialogTest.moc"
