#include "widgets/PTControl.h"
#include "platform/VirtualClock.h"
#include "widgets/HoldButton.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace tarn {

namespace {

// What ends a hold without the release ever reaching the control.
enum class Interruption { ModalDialog, OtherWindowActive, GrabTaken, Popup, Disabled, Hidden };
// Which hold: a HoldButton, the pad dragged, the pad driven by an arrow key.
enum class Hold { Button, PadPointer, PadKey };

void sendKey(QWidget& widget, QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

// Every hold control sends exactly one stop for each hold, whatever ends it.
class HoldControlsTest : public QObject {
    Q_OBJECT

private slots:
    void holdEndsWithOneStop_data()
    {
        QTest::addColumn<Hold>("hold");
        QTest::addColumn<Interruption>("interruption");
        const std::pair<const char*, Hold> holds[] = {
            {"button", Hold::Button}, {"pad drag", Hold::PadPointer}, {"pad key", Hold::PadKey}};
        const std::pair<const char*, Interruption> interruptions[] = {
            {"modal dialog", Interruption::ModalDialog},
            {"other window active", Interruption::OtherWindowActive},
            {"grab taken", Interruption::GrabTaken},
            {"menu popup", Interruption::Popup},
            {"disabled", Interruption::Disabled},
            {"hidden", Interruption::Hidden},
        };
        for (const auto& [holdName, hold] : holds) {
            for (const auto& [interruptionName, interruption] : interruptions)
                QTest::addRow("%s, %s", holdName, interruptionName) << hold << interruption;
        }
    }

    void holdEndsWithOneStop()
    {
        QFETCH(Hold, hold);
        QFETCH(Interruption, interruption);
        VirtualClock clock;
        QWidget window;
        auto* button = new HoldButton(&window);
        button->setText(QStringLiteral("ZI"));
        auto* pad = new PTControl(&window);
        pad->setTimers(clock);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(button);
        layout->addWidget(pad);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        pad->setFocus();

        QSignalSpy held(button, &HoldButton::held);
        QSignalSpy letGo(button, &HoldButton::letGo);
        QSignalSpy padCommands(pad, &PTControl::commandIssued);
        QWidget* control = hold == Hold::Button ? static_cast<QWidget*>(button) : pad;
        const auto stops = [&] {
            if (hold == Hold::Button)
                return int(letGo.count());
            int count = 0;
            for (const QList<QVariant>& arguments : padCommands)
                count += arguments.at(0).toByteArray() == "PSTS" ? 1 : 0;
            return count;
        };

        switch (hold) {
        case Hold::Button: QTest::mousePress(button, Qt::LeftButton); break;
        case Hold::PadPointer: QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(20, 20)); break;
        case Hold::PadKey: sendKey(*pad, QEvent::KeyPress, Qt::Key_Left); break;
        }
        QCOMPARE(hold == Hold::Button ? int(held.count()) : int(padCommands.count()), 1);
        QCOMPARE(stops(), 0);

        std::unique_ptr<QWidget> other;
        switch (interruption) {
        case Interruption::ModalDialog: {
            auto dialog = std::make_unique<QDialog>(&window);
            dialog->setModal(true);
            dialog->show(); // the stop goes out before the dialog's loop would start
            other = std::move(dialog);
            break;
        }
        case Interruption::OtherWindowActive:
            other = std::make_unique<QWidget>();
            other->show();
            other->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(other.get()));
            break;
        case Interruption::GrabTaken: {
            QEvent ungrab(QEvent::UngrabMouse);
            QCoreApplication::sendEvent(control, &ungrab);
            break;
        }
        case Interruption::Popup: {
            // A menu opened from the keyboard: it takes the pointer and the release.
            auto menu = std::make_unique<QMenu>(&window);
            menu->addAction(QStringLiteral("Copy"));
            menu->popup(window.mapToGlobal(QPoint(5, 5)));
            other = std::move(menu);
            break;
        }
        case Interruption::Disabled: control->setEnabled(false); break;
        case Interruption::Hidden: control->hide(); break;
        }
        clock.advance(PanTiltPad::KeyRepeatSettleMs);
        QCOMPARE(stops(), 1);

        // Whatever comes later (the interruption over, the late release) stops nothing more.
        other.reset();
        control->setEnabled(true);
        control->show();
        switch (hold) {
        case Hold::Button: QTest::mouseRelease(button, Qt::LeftButton); break;
        case Hold::PadPointer: QTest::mouseRelease(pad, Qt::LeftButton, {}, QPoint(20, 20)); break;
        case Hold::PadKey: sendKey(*pad, QEvent::KeyRelease, Qt::Key_Left); break;
        }
        clock.advance(PanTiltPad::KeyRepeatSettleMs);
        QCOMPARE(stops(), 1);
        QVERIFY(!button->isDown());
        QVERIFY(!pad->pad().isDragging() && !pad->pad().isKeyDriving());
    }
};

} // namespace tarn

QTEST_MAIN(tarn::HoldControlsTest)
#include "HoldControlsTest.moc"
