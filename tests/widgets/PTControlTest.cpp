#include "widgets/PadPictures.h"
#include "widgets/PTControl.h"
#include "platform/VirtualClock.h"

#include <QAbstractButton>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

namespace tarn {

namespace {

QByteArrayList texts(QSignalSpy& spy)
{
    QByteArrayList result;
    for (const QList<QVariant>& arguments : spy)
        result << arguments.at(0).toByteArray();
    spy.clear();
    return result;
}

QByteArray axis(char letter, int code)
{
    return QByteArray(1, letter) + QByteArray(1, char(code));
}

QColor pixel(QWidget& widget, QPoint at)
{
    return widget.grab().toImage().pixelColor(at);
}

void sendKey(QWidget& widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(&widget, &event);
}

const QColor PlainPad(180, 180, 180);

} // namespace

// The pad widget over its real logic, offscreen. Positions are in the
// widget's pixels: at 123 x 123 the pad is (12,12)-(110,110), centre (61,61).
class PTControlTest : public QObject {
    Q_OBJECT

private slots:
    void sizeOperationMakesOddSizesAndPlacesTheNudgeButtons()
    {
        PTControl control;
        QCOMPARE(control.size(), QSize(123, 123));
        QCOMPARE(control.padRect(), QRect(12, 12, 99, 99));

        control.resizePad(122, 100);
        QCOMPARE(control.size(), QSize(123, 101));
        QCOMPARE(control.padRect(), QRect(12, 12, 99, 77));
        QCOMPARE(control.findChild<QAbstractButton*>("nudgeRight")->geometry(), QRect(112, 42, 11, 17));
        QCOMPARE(control.findChild<QAbstractButton*>("nudgeDown")->geometry(), QRect(53, 90, 17, 11));
    }

    void dragEmitsTheCommands_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<QPoint>>("path"); // press, moves, release
        QTest::addColumn<QByteArrayList>("expected");

        QTest::newRow("zones through the centre")
            << 0 << QList<QPoint>{{20, 20}, {61, 61}, {25, 40}, {100, 100}, {300, 300}}
            << QByteArrayList{"PLTU", "PRTD", "PSTS"};
        QTest::newRow("proportional, released outside")
            << 1 << QList<QPoint>{{110, 61}, {62, 61}, {62, 61}, {-40, 200}, {-40, 200}}
            << QByteArrayList{axis('r', 0x5F) + "TS", axis('r', 0x11) + "TS",
                              axis('l', 0x5F) + axis('d', 0x5F), "PSTS"};
        QTest::newRow("proportional dead band")
            << 2 << QList<QPoint>{{62, 60}, {62, 60}} << QByteArrayList{"PSTS", "PSTS"};
    }

    void dragEmitsTheCommands()
    {
        QFETCH(int, type);
        QFETCH(QList<QPoint>, path);
        QFETCH(QByteArrayList, expected);
        PTControl control;
        control.setPanTiltType(type);
        QSignalSpy spy(&control, &PTControl::commandIssued);

        QTest::mousePress(&control, Qt::LeftButton, {}, path.first());
        for (qsizetype i = 1; i + 1 < path.size(); ++i)
            QTest::mouseMove(&control, path[i]);
        QTest::mouseRelease(&control, Qt::LeftButton, {}, path.last());

        QCOMPARE(texts(spy), expected);
        QVERIFY(!control.pad().isDragging());
    }

    void otherButtonsDoNotDrive()
    {
        PTControl control;
        QSignalSpy spy(&control, &PTControl::commandIssued);
        QTest::mousePress(&control, Qt::RightButton, {}, {20, 20});
        QTest::mouseRelease(&control, Qt::RightButton, {}, {20, 20});
        QCOMPARE(spy.count(), 0);
    }

    void pointerIsPutBackOnThePadEdge()
    {
        PTControl control;
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QTest::mousePress(&control, Qt::LeftButton, {}, {100, 61});
        QTest::mouseMove(&control, {200, 30});
        QCOMPARE(QCursor::pos(), control.mapToGlobal(QPoint(110, 30)));
        QTest::mouseRelease(&control, Qt::LeftButton, {}, {200, 30});
    }

    void nudgeButtonSendsOneCommandPerClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("left") << "nudgeLeft" << "Nudge Left" << QRect(0, 53, 11, 17) << QByteArray("nl");
        QTest::newRow("right") << "nudgeRight" << "Nudge Right" << QRect(112, 53, 11, 17) << QByteArray("nr");
        QTest::newRow("up") << "nudgeUp" << "Nudge Up" << QRect(53, 0, 17, 11) << QByteArray("nu");
        QTest::newRow("down") << "nudgeDown" << "Nudge Down" << QRect(53, 112, 17, 11) << QByteArray("nd");
    }

    void nudgeButtonSendsOneCommandPerClick()
    {
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        QFETCH(QRect, geometry);
        QFETCH(QByteArray, command);
        PTControl control;
        auto* button = control.findChild<QAbstractButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), toolTip);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);

        QSignalSpy spy(&control, &PTControl::commandIssued);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(texts(spy), (QByteArrayList{command, command}));

        control.setNudgeButtonsVisible(false);
        QVERIFY(button->isHidden());
        control.setNudgeButtonsVisible(true);
        QVERIFY(!button->isHidden());
    }

    void arrowKeysDriveAndFocusLossStops()
    {
        VirtualClock clock;
        PTControl control;
        control.setTimers(clock);
        QSignalSpy spy(&control, &PTControl::commandIssued);
        sendKey(control, QEvent::KeyPress, Qt::Key_Right);
        sendKey(control, QEvent::KeyRelease, Qt::Key_Right, true);
        sendKey(control, QEvent::KeyPress, Qt::Key_Right, true);
        sendKey(control, QEvent::KeyPress, Qt::Key_A);
        sendKey(control, QEvent::KeyRelease, Qt::Key_Right);
        clock.advance(PanTiltPad::KeyRepeatSettleMs);
        QCOMPARE(texts(spy), (QByteArrayList{"PRTS", "PSTS"}));

        sendKey(control, QEvent::KeyPress, Qt::Key_Up);
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&control, &focusOut);
        sendKey(control, QEvent::KeyRelease, Qt::Key_Up);
        QCOMPARE(texts(spy), (QByteArrayList{"PSTU", "PSTS"}));
    }

    void padFittedToABoxStaysSquareAndCentred()
    {
        // 401 x 300 gives the pad window 299 x 299 at x = 51: pad 275 x 275
        // (half 137, centre (200, 149) in the widget), centre band 8 * 275 / 99 = 22.
        PTControl control;
        control.fitToBox(123);
        QCOMPARE(control.minimumSizeHint(), QSize(123, 123));
        control.resize(401, 300);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QCOMPARE(control.padRect(), QRect(63, 12, 275, 275));
        QCOMPARE(control.findChild<QAbstractButton*>("nudgeRight")->geometry(), QRect(339, 141, 11, 17));
        QCOMPARE(control.findChild<QAbstractButton*>("nudgeUp")->geometry(), QRect(192, 0, 17, 11));
        const QPoint centre(63 + 137, 12 + 137);
        QSignalSpy spy(&control, &PTControl::commandIssued);
        const QList<QPair<QPoint, QByteArray>> zones = {
            {centre + QPoint(21, 0), QByteArray()}, // inside the widened centre square
            {centre + QPoint(22, 0), "PRTS"},
            {centre + QPoint(-137, -137), "PLTU"},
            {{10, 10}, QByteArray()}, // the box beside the pad
        };
        for (const auto& [at, command] : zones) {
            QTest::mousePress(&control, Qt::LeftButton, {}, at);
            QTest::mouseRelease(&control, Qt::LeftButton, {}, at);
            const QByteArrayList expected =
                command.isEmpty() ? QByteArrayList{"PSTS"} : QByteArrayList{command, "PSTS"};
            QCOMPARE(texts(spy), expected);
        }
        control.setPanTiltType(1);
        QTest::mousePress(&control, Qt::LeftButton, {}, centre + QPoint(137, 0));
        QTest::mouseMove(&control, centre + QPoint(0, 68)); // half-way: s = 31
        QTest::mouseRelease(&control, Qt::LeftButton, {}, centre + QPoint(0, 68));
        QCOMPARE(texts(spy), (QByteArrayList{axis('r', 0x5F) + "TS", "PS" + axis('d', 0x2F), "PSTS"}));

        // The drawing follows: picture at the pad's size, at its place.
        control.setPicture(PadPictures::DefaultPicture);
        const QImage shown = control.grab().toImage().copy(control.padRect()).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, PadPictures::render(PadPictures::DefaultPicture, {275, 275})
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32));
    }

    void dragLinesZoneFramesAndPlainPadArePainted()
    {
        PTControl control;
        QCOMPARE(pixel(control, {30, 30}), PlainPad);
        QCOMPARE(pixel(control, {30, 61}), QColor(204, 204, 204)); // centre cross

        control.setPanTiltType(1);
        QTest::mousePress(&control, Qt::LeftButton, {}, {100, 100});
        const QImage dragging = control.grab().toImage();
        QCOMPARE(dragging.pixelColor(80, 100), QColor(0, 0, 208));
        QCOMPARE(dragging.pixelColor(100, 80), QColor(0, 0, 208));
        QTest::mouseRelease(&control, Qt::LeftButton, {}, {100, 100});
        QCOMPARE(pixel(control, {80, 100}), PlainPad);

        control.setPanTiltType(0);
        QTest::mousePress(&control, Qt::LeftButton, {}, {100, 100});
        QCOMPARE(pixel(control, {80, 100}), QColor(Qt::white));
        QTest::mouseRelease(&control, Qt::LeftButton, {}, {100, 100});

        // Zone 1's frame has its right edge on x = 61 - 8 - 1.
        control.setZoneFramesVisible(true);
        QCOMPARE(pixel(control, {52, 30}), QColor(208, 208, 208));
        control.setZoneFramesVisible(false);
        QCOMPARE(pixel(control, {52, 30}), PlainPad);
    }

    void pictureIsDrawnOnThePad()
    {
        PTControl control;
        control.setPicture(PadPictures::DefaultPicture);
        const QImage shown = control.grab().toImage().copy(control.padRect()).convertToFormat(QImage::Format_RGB32);
        const QImage drawn = PadPictures::render(PadPictures::DefaultPicture, {99, 99})
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, drawn);

        control.setPicture(PadPictures::None);
        QCOMPARE(pixel(control, {30, 30}), PlainPad);
    }

    void everyPictureIsDrawnAndDifferent()
    {
        QList<QImage> images;
        for (int picture = 1; picture < PadPictures::Count; ++picture) {
            const QPixmap pixmap = PadPictures::render(picture, {99, 99});
            QVERIFY2(!pixmap.isNull(), qPrintable(PadPictures::name(picture)));
            QCOMPARE(pixmap.size(), QSize(99, 99));
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
            for (qsizetype other = 0; other < images.size(); ++other)
                QVERIFY2(image != images[other], qPrintable(PadPictures::name(picture)));
            images << image;
        }
        for (int plain : {PadPictures::None, PadPictures::Count, -1})
            QVERIFY(PadPictures::render(plain, {99, 99}).isNull());

        const QPixmap sharp = PadPictures::render(3, {99, 99}, 2.0);
        QCOMPARE(sharp.size(), QSize(198, 198));
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(99, 99));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::PTControlTest)
#include "PTControlTest.moc"
