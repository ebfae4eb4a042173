#include "core/Settings.h"
#include "control/PresetPanel.h"
#include "control/PresetTourBox.h"
#include "programming/TourSetupDialog.h"
#include "support/LinkBench.h"
#include "support/QtWidgetDriving.h"
#include "support/QueuedCommands.h"
#include "widgets/Lamp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tarn {

// The preset and tour controls over the real panel logic and link queue.
class PresetTourBoxTest : public QObject, private test::LinkBench {
    Q_OBJECT

private:
    Settings settings;
    TourRunFlags running;
    std::unique_ptr<CameraLink> link;
    std::unique_ptr<PresetPanel> panel;
    std::unique_ptr<PresetTourBox> box;

    template <typename T>
    T* child(const char* name)
    {
        return test::requiredChild<T>(box.get(), name);
    }

    QComboBox* presetList() { return child<QComboBox>("presetList"); }

    std::vector<QByteArray> queued()
    {
        std::vector<QByteArray> texts;
        for (const std::string& text : test::takeQueued(link->queue()))
            texts.emplace_back(QByteArray::fromStdString(text));
        return texts;
    }

    static QByteArray withCode(const char* prefix, char code)
    {
        return QByteArray(prefix) + code;
    }

private slots:
    void init()
    {
        profile = MemoryProfileStore{};
        settings = Settings{};
        running = TourRunFlags{};
        link = freshLink();
        link->state().busy = false;
        link->state().cameraType = 0;
        panel = std::make_unique<PresetPanel>(*link, profile);
        box = std::make_unique<PresetTourBox>(*panel);
    }

    void cleanup()
    {
        box.reset();
        panel.reset();
        link.reset();
    }

    void listStartsWithTheDefaultNamesAndAsksNothing()
    {
        QCOMPARE(presetList()->count(), 64);
        QCOMPARE(presetList()->currentText(), QStringLiteral("Preset 1"));
        QCOMPARE(presetList()->itemText(63), QStringLiteral("Preset 64"));
        QCOMPARE(child<QComboBox>("tourList")->itemText(7), QStringLiteral("Tour 8"));
        QVERIFY(queued().empty());
    }

    void choosingAPresetAsksTheCameraForItsName()
    {
        QTest::keyClick(presetList(), Qt::Key_Down);
        presetList()->setCurrentIndex(47);
        QCOMPARE(queued(), (std::vector<QByteArray>{withCode("cdS", 0x11), withCode("cdS", 0x60)}));
        QCOMPARE(panel->rememberedIndex(), 47);
    }

    void nameReplyRefillsTheListWithoutAnotherRequest()
    {
        presetList()->setCurrentIndex(2);
        queued();
        const QByteArray frame = QByteArray("\xF8\x01" "dP\x12" "North gate");
        panel->presetNameReply(std::span(reinterpret_cast<const std::uint8_t*>(frame.data()),
                                         static_cast<std::size_t>(frame.size())));

        const QString name = QStringLiteral("North gate").leftJustified(24);
        QCOMPARE(presetList()->itemText(2), name);
        QCOMPARE(presetList()->currentIndex(), 2);
        QCOMPARE(presetList()->currentText(), name);
        QVERIFY(queued().empty());
    }

    void leavingTheListOrEnterStoresTheTypedName()
    {
        presetList()->setCurrentIndex(4);
        presetList()->setEditText(QStringLiteral("Loading bay"));
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(presetList(), &popup);
        QCOMPARE(panel->name(4), std::string("Preset 5"));

        QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(presetList(), &tab);
        QCOMPARE(panel->name(4), std::string("Loading bay"));
        QCOMPARE(presetList()->itemText(4), QStringLiteral("Loading bay"));

        presetList()->setEditText(QStringLiteral("Gate #2"));
        QTest::keyClick(presetList(), Qt::Key_Return);
        QCOMPARE(panel->name(4), std::string("Gate #2"));
        QCOMPARE(presetList()->count(), 64);
    }

    void dropDownReselectsTheRememberedPreset()
    {
        presetList()->setCurrentIndex(6);
        presetList()->setEditText(QStringLiteral("half typed"));
        presetList()->showPopup();
        presetList()->hidePopup();
        QCOMPARE(presetList()->currentIndex(), 6);
        QCOMPARE(presetList()->currentText(), QStringLiteral("Preset 7"));
        QCOMPARE(panel->name(6), std::string("Preset 7"));
    }

    void startStopLightsTheLampAndGotoDarkensIt()
    {
        auto* lamp = child<Lamp>("tourLamp");
        child<QComboBox>("tourList")->setCurrentIndex(2);
        QTest::mouseClick(child<QPushButton>("startStopButton"), Qt::LeftButton);
        QVERIFY(lamp->isLit());
        QCOMPARE(queued(), std::vector<QByteArray>{"*TS31"});

        QTest::mouseClick(child<QPushButton>("gotoButton"), Qt::LeftButton);
        QVERIFY(!lamp->isLit());
        QVERIFY(!panel->tourRunning());
    }

    void enablingSettersReachTheirControls()
    {
        box->setPresetControlsEnabled(false);
        box->setTourListEnabled(false);
        for (const char* name : {"presetList", "storeButton", "gotoButton", "storeIdButton",
                                 "getIdButton", "tourList"})
            QVERIFY2(!child<QWidget>(name)->isEnabled(), name);
        QVERIFY(child<QWidget>("startStopButton")->isEnabled());
        QVERIFY(child<QWidget>("tourSetupButton")->isEnabled());
        box->setTourListEnabled(true);
        QVERIFY(child<QWidget>("tourList")->isEnabled());
    }

    void setupLeavesTheDialogToTheWindow()
    {
        QSignalSpy requested(box.get(), &PresetTourBox::setupRequested);
        for (const int cameraType : {0, 7}) {
            link->state().cameraType = cameraType;
            QString opened;
            QTimer::singleShot(0, this, [&opened] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    opened = modal->windowTitle();
                    modal->close();
                }
            });
            QTest::mouseClick(child<QPushButton>("tourSetupButton"), Qt::LeftButton);
            QCoreApplication::processEvents();
            QCOMPARE(opened, QString());
        }
        QCOMPARE(requested.count(), 2);
    }

    void tourSetupOkWithARefusedDwellTimeStaysOpen()
    {
        settings.dwellTime = 10;
        TourSetupDialog dialog(settings, running, profile, prompter);
        dialog.show();
        auto* dwell = dialog.findChild<QLineEdit*>(QStringLiteral("dwellTimeEdit"));
        QVERIFY(dwell);
        QCOMPARE(dwell->text(), QStringLiteral("10"));

        auto* preset3 = dialog.findChild<QCheckBox*>(QStringLiteral("presetCheck3"));
        QTest::mouseClick(preset3, Qt::LeftButton);
        QVERIFY(preset3->isChecked());
        QVERIFY(running.presets[2]);

        dwell->setText(QStringLiteral("61"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(prompter.texts(),
                 std::vector<std::string>{"Please enter an integer between 5 and 60."});
        QCOMPARE(profile.writeCount(), 0);

        dwell->setText(QStringLiteral("30"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.dwellTime, 30);
        QCOMPARE(settings.tour[2], 1);
    }

    void enterAndEscapeMoveOnInsteadOfClosing()
    {
        TourSetupDialog dialog(settings, running, profile, prompter);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* dwell = dialog.findChild<QLineEdit*>(QStringLiteral("dwellTimeEdit"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
        dwell->setFocus();

        QTest::keyClick(dwell, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Enter);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(dwell, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(profile.writeCount(), 0);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::PresetTourBoxTest)
#include "PresetTourBoxTest.moc"
