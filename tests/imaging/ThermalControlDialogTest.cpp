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

        // The operator's choice, as the list's popup makes it.
        lut->setCurrentIndex(3);
        emit lut->activated(3);
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

    // A list sends on the operator's choice and otherwise shows what the
    // camera has: after a refused read it goes back to the camera's entry,
    // and choosing the same entry again, once the edits read, sends it.
    void aListShowsTheCamerasChoiceUntilOneIsSent()
    {
        // What the list's popup does when the operator picks an entry.
        const auto choose = [](QComboBox* combo, int index) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        };
        // A reply, taken once the line has been quiet long enough to end it.
        const auto reply = [this](std::string_view text) {
            test::replyOnSerial(control->link(), text);
            clock.advance(CameraLink::LateChecksumMs);
        };
        const bool operated = test::runInDialogOpenedBy(mainWindow.get(), "dspStatusButton", [&](QDialog& thermal) {
            auto* lut = child<QComboBox>(&thermal, "lutCombo");
            auto* zoom = child<QComboBox>(&thermal, "digitalZoomCombo");
            auto* interval = child<QLineEdit>(&thermal, "ffcIntervalEdit");
            clock.advance(55); // "tW0" goes out
            control->link().serialByteReceived(0x06, 1);
            clock.advance(55); // and the pump rests
            reply("tC;X1");
            QCOMPARE(lut->currentIndex(), 11);

            interval->setText(QStringLiteral("x"));
            choose(lut, 3);
            QCOMPARE(lut->currentIndex(), 11); // refused: nothing went out
            choose(zoom, 2);
            QCOMPARE(zoom->currentIndex(), 1);
            QCOMPARE(queued(), std::vector<std::string>{});

            interval->setText(QStringLiteral("7200"));
            choose(lut, 3);
            QCOMPARE(lut->currentIndex(), 3);
            QCOMPARE(queued(), std::vector<std::string>{"tC3"});
            // The camera's own change shows without sending anything back.
            reply("tX3");
            QCOMPARE(zoom->currentIndex(), 3);
            QCOMPARE(queued(), std::vector<std::string>{});
            QTest::mouseClick(child<QPushButton>(&thermal, "okButton"), Qt::LeftButton);
        });
        QVERIFY(operated);
        QCOMPARE(prompter.texts(), (std::vector<std::string>{"Please enter an integer.", "Please enter an integer."}));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::ThermalControlDialogTest)
#include "ThermalControlDialogTest.moc"
