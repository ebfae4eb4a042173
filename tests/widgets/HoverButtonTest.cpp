#include "widgets/HoverButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace tarn {

class HoverButtonTest : public QObject {
    Q_OBJECT

private:
    static void enter(HoverButton& button)
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&button, &event);
    }
    static void leave(HoverButton& button)
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&button, &event);
    }

private slots:
    void faceFollowsPointerPressAndEnabling()
    {
        HoverButton button(QStringLiteral("Get"));
        button.resize(60, 24);
        QCOMPARE(button.currentFace(), HoverButton::Face::Normal);
        enter(button);
        QCOMPARE(button.currentFace(), HoverButton::Face::Hover);
        button.setDown(true);
        QCOMPARE(button.currentFace(), HoverButton::Face::Pressed);
        button.setDown(false);
        leave(button);
        QCOMPARE(button.currentFace(), HoverButton::Face::Normal);
        button.setEnabled(false);
        QCOMPARE(button.currentFace(), HoverButton::Face::Disabled);
    }

    void givenPictureIsDrawnForItsFaceOnly()
    {
        HoverButton button(QStringLiteral("Set"));
        button.resize(40, 20);
        QPixmap red(40, 20);
        red.fill(Qt::red);
        button.setFacePixmap(HoverButton::Face::Hover, red);
        const QPoint middle(20, 10);
        QVERIFY(button.grab().toImage().pixelColor(middle) != QColor(Qt::red));
        enter(button);
        QCOMPARE(button.grab().toImage().pixelColor(middle), QColor(Qt::red));
        button.setFacePixmap(HoverButton::Face::Hover, {});
        QVERIFY(button.grab().toImage().pixelColor(middle) != QColor(Qt::red));
    }

    void checkBoxModeToggles()
    {
        HoverButton button(QStringLiteral("Flip"));
        button.setCheckBoxMode(true);
        button.resize(60, 24);
        button.show();
        QApplication::setActiveWindow(&button);
        QVERIFY(QTest::qWaitForWindowActive(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(button.isChecked());
        QCOMPARE(button.currentFace(), HoverButton::Face::Pressed);
        QVERIFY(button.hasFocus());
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(!button.isChecked());
    }

    void menuEntryChosenIsReported()
    {
        HoverButton button(QStringLiteral("More"));
        QMenu menu;
        menu.addAction(QStringLiteral("First"));
        QAction* second = menu.addAction(QStringLiteral("Second"));
        button.setDropMenu(&menu);
        button.resize(60, 24);
        button.show();
        QSignalSpy chosen(&button, &HoverButton::menuChosen);
        QTimer::singleShot(0, &menu, [&menu, second] {
            const auto closeOnFailure = qScopeGuard([&menu] { menu.close(); });
            QVERIFY(menu.isVisible());
            menu.setActiveAction(second);
            QTest::keyClick(&menu, Qt::Key_Return);
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().value<QAction*>(), second);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::HoverButtonTest)
#include "HoverButtonTest.moc"
