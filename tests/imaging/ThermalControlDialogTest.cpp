#include "support/HandBuiltFrames.h"
#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tarn {

// "DSP Status" of the real main window with a thermal camera: Thermal Control
// opens, the camera's status fills it, its controls send, and the
// pass-through lock shows in the main window. Timers on the virtual clock.
class ThermalControlDialogTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    std::string transmitted() const { return control->link().monitor().transmitLine(); }

    // What the operator does in the open dialog; runs inside its modal loop.
    void operate(QDialog* thermal)
    {
        QCOMPARE(thermal->windowTitle(), QStringLiteral("Thermal Control"));
        auto* lut = child<QComboBox>(thermal, "lutCombo");
        auto* interval = child<QLineEdit>(thermal, "ffcIntervalEdit");
        auto* leftRange = child<QLabel>(thermal, "roiLeftRange");
        QVERIFY(lut && interval && leftRange);
        QCOMPARE(lut->currentIndex(), -1);
        QCOMPARE(interval->text(), QStringLiteral("7200"));
        QVERIFY(leftRange->text().isEmpty());

        clock.advance(55);
        QVERIFY(transmitted().find("tW0") != std::string::npos);
        control->link().serialByteReceived(0x06, 1);
        clock.advance(500);
        QVERIFY(transmitted().find("tDS") != std::string::npos);
        test::replyOnSerial(control->link(), "tk03600010R000000320256A0250110015W0F0B0C;i0X0S1c1d&");
        QCOMPARE(lut->currentText(), QStringLiteral("Rain"));
        QCOMPARE(interval->text(), QStringLiteral("3600"));
        QCOMPARE(leftRange->text(), QStringLiteral("(0 to 639)"));
        QCOMPARE(child<QLabel>(thermal, "roiSketchHeight")->text(), QStringLiteral("(512)"));
        QVERIFY(child<QRadioButton>(thermal, "ffcManualRadio")->isChecked());
        QCOMPARE(child<QLineEdit>(thermal, "ddeEdit")->text(), QStringLiteral("23"));

        lut->setCurrentIndex(3);
        clock.advance(50);
        QVERIFY(transmitted().find("tC3") != std::string::npos);

        QTest::keyClick(interval, Qt::Key_Escape);
        QTest::keyClick(interval, Qt::Key_Return);
        QVERIFY(thermal->isVisible());

        auto* lock = child<QLabel>(mainWindow.get(), "sendLockLine");
        QVERIFY(lock && !lock->isVisible());
        prompter.scriptAnswer(true);
        QTest::mouseClick(child<QPushButton>(thermal, "enablePassThroughButton"), Qt::LeftButton);
        control->link().serialByteReceived(0x06, 1);
        clock.advance(50);
        QVERIFY(control->link().state().sendLock);
        QVERIFY(lock->isVisible());
        QCOMPARE(lock->text(), QStringLiteral("Commands locked: thermal pass-through enabled \u2013 restart to unlock"));

        QTest::mouseClick(child<QPushButton>(thermal, "okButton"), Qt::LeftButton);
    }

private slots:
    void init() { QVERIFY(openMainWindow(test::alderHdSettings(2))); } // Thermal

    void cleanup() { closeMainWindow(); }

    void dspStatusOpensThermalControlFilledFromTheCamera()
    {
        auto* dspStatus = child<QPushButton>("dspStatusButton");
        QVERIFY(dspStatus && dspStatus->isEnabled());
        const bool operated = test::runInDialogOpenedBy(mainWindow.get(), "dspStatusButton",
                                                        [this](QDialog& thermal) { operate(&thermal); });
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
