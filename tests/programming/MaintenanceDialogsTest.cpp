#include "control/MainControl.h"
#include "programming/LensMaintenanceDialog.h"
#include "programming/OtherMaintenanceDialog.h"
#include "programming/ServicePasswordDialog.h"
#include "support/HandBuiltFrames.h"
#include "support/MainWindowHarness.h"
#include "widgets/ModeIndicator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace tarn {

// The maintenance dialogs over the real console logic, as the Setup dialog
// opens them. Timers stay on the virtual clock, so what was queued is still
// in the queue.
class MaintenanceDialogsTest : public QObject, private test::QtTestPlatform {
    Q_OBJECT

private:
    std::unique_ptr<MainControl> control;

    void makeControl(int cameraType)
    {
        Settings settings;
        settings.rxType = cameraType;
        settings.camType = 1;
        control = std::make_unique<MainControl>(platform, settings, [](int) { return std::string(); });
        control->link().state().framedSend = true; // replies in F8 form
    }
    std::vector<std::string> queued() { return test::takeQueued(control->link().queue()); }
    template <typename T>
    static T* child(QWidget* dialog, const char* name)
    {
        return test::child<T>(dialog, name);
    }
    // Every edit, list and spin box can be found by its caption.
    static void everyFieldHasAName(QWidget* dialog)
    {
        const auto widgets = dialog->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            const bool inner = qobject_cast<QSpinBox*>(widget->parentWidget())
                               || qobject_cast<QComboBox*>(widget->parentWidget());
            if (!inner
                && (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)
                    || qobject_cast<QSpinBox*>(widget)))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
    }
    // Answers the next "Supervisory Function" box with `text`.
    void answerPasswordWith(const QString& text)
    {
        QTimer::singleShot(0, this, [text] {
            auto* box = qobject_cast<ServicePasswordDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(box->windowTitle() == QStringLiteral("Supervisory Function"));
            auto* edit = box->findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
            QVERIFY(edit->echoMode() == QLineEdit::Password);
            QTest::keyClicks(edit, text);
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        });
    }

private slots:
    void cleanup()
    {
        control.reset();
        prompter.clear();
    }

    void lensMaintenanceShowsTheCameraAndSendsTheOperatorsChoices()
    {
        makeControl(6); // lens maintenance is there for the receivers outside 0..5
        control->link().queue().append("sB1");
        LensMaintenanceDialog dialog(*control);
        dialog.show();
        everyFieldHasAName(&dialog);
        auto* lensType = child<QComboBox>(&dialog, "lensTypeList");
        QCOMPARE(lensType->itemText(0), QStringLiteral(" 6VDC"));
        QCOMPARE(lensType->currentIndex(), -1);
        clock.advance(5);
        QCOMPARE(queued(), std::vector<std::string>{"m?"});

        test::replyOnSerial(control->link(), "m2l9v1p4c3");
        QCOMPARE(lensType->currentText(), QStringLiteral("12VDC"));
        QVERIFY(child<QCheckBox>(&dialog, "zoomFocusCheck")->isChecked());
        QVERIFY(!child<QCheckBox>(&dialog, "motorIrisCheck")->isChecked());
        QVERIFY(child<QCheckBox>(&dialog, "irisFollowPotCheck")->isChecked());
        QCOMPARE(child<QComboBox>(&dialog, "videoList")->currentText(), QStringLiteral("PAL"));
        QCOMPARE(child<QComboBox>(&dialog, "cameraList")->currentText(), QStringLiteral("Laurel"));
        auto* phase = child<QSpinBox>(&dialog, "phaseSpin");
        QCOMPARE(phase->value(), 3);
        QCOMPARE(queued(), std::vector<std::string>{"mXS"}); // redrawing sent nothing else
        test::replyOnSerial(control->link(), "mX1");
        test::replyOnSerial(control->link(), "mR2");
        QVERIFY(child<QCheckBox>(&dialog, "extenderCheck")->isChecked());
        QCOMPARE(child<QComboBox>(&dialog, "infraredList")->currentText(), QStringLiteral("880nm"));
        QCOMPARE(queued(), std::vector<std::string>{"mRS"});

        phase->setFocus();
        phase->selectAll();
        QTest::keyClicks(phase, "5");
        QTest::mouseClick(child<QCheckBox>(&dialog, "crystalCheck"), Qt::LeftButton);
        QVERIFY(!phase->isEnabled());
        QTest::mouseClick(child<QPushButton>(&dialog, "lensFunctionSetButton"), Qt::LeftButton);
        QCOMPARE(queued(), (std::vector<std::string>{"Lp6", "Lp0", "ml9"}));

        QTest::mouseClick(child<QPushButton>(&dialog, "closeButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void otherMaintenanceRecordsThePressureAndGuardsItsServiceFunctions()
    {
        makeControl(1);
        OtherMaintenanceDialog dialog(*control, 1);
        dialog.show();
        everyFieldHasAName(&dialog);
        auto* indicator = child<ModeIndicator>(&dialog, "modeIndicator");
        QVERIFY(indicator->mode() == ModeIndicator::Mode::None);
        clock.advance(500);
        QVERIFY(indicator->mode() == ModeIndicator::Mode::Tarn);
        QTest::mouseClick(child<QPushButton>(&dialog, "ntcipModeButton"), Qt::LeftButton);
        QVERIFY(indicator->mode() == ModeIndicator::Mode::Ntcip);
        QCOMPARE(control->connection().ntcipState(), 1);
        QCOMPARE(queued(), std::vector<std::string>{"mtS"});

        auto* homeSet = child<QPushButton>(&dialog, "homeSetButton");
        answerPasswordWith(QStringLiteral("kelpdawn"));
        QTest::mouseClick(homeSet, Qt::LeftButton);
        QCOMPARE(prompter.texts(),
                 std::vector<std::string>{"Wrong Password - Not qualifying to do this service!"});
        QVERIFY(queued().empty());
        answerPasswordWith(QStringLiteral("KELPDAWN"));
        QTest::mouseClick(homeSet, Qt::LeftButton);
        QCOMPARE(queued(), std::vector<std::string>{"mVs"});

        // A pressure log in a file of the technician's choosing.
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("barrel.txt"));
        prompter.scriptFile(path.toStdString());
        QTest::mouseClick(child<QPushButton>(&dialog, "pressureLogBrowseButton"), Qt::LeftButton);
        auto* file = child<QLineEdit>(&dialog, "pressureLogFileEdit");
        QCOMPARE(file->text(), path);
        prompter.scriptAnswer(true);
        auto* record = child<QRadioButton>(&dialog, "pressureRecordRadio");
        QTest::mouseClick(record, Qt::LeftButton, {}, QPoint(6, record->height() / 2)); // on its circle
        QVERIFY(record->isChecked());
        QVERIFY(!file->isEnabled());
        QCOMPARE(queued(), std::vector<std::string>{"mTS"});
        test::replyOnSerial(control->link(), "mT25.0B23.5");
        test::replyOnSerial(control->link(), "mP  14.700       pt0123 4567 89AB CDEF 0000 1111S0012345");
        QCOMPARE(child<QLineEdit>(&dialog, "currentPressureEdit")->text(), QStringLiteral("  14.700PSI"));
        QCOMPARE(child<QLineEdit>(&dialog, "barrelSerialEdit")->text(), QStringLiteral("0012345"));
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().endsWith("  14.700PSI PSI   @ 25.0 Degree C    0123 4567 89AB CDEF 0000 1111\n"));

        auto* stop = child<QRadioButton>(&dialog, "pressureStopRecordRadio");
        QTest::mouseClick(stop, Qt::LeftButton, {}, QPoint(6, stop->height() / 2));
        QVERIFY(!record->isChecked());
        QVERIFY(file->isEnabled());
    }

    void otherMaintenanceOpensBetweenPausesAndLeavesNothingQueued_data()
    {
        QTest::addColumn<bool>("withOk");
        QTest::addColumn<std::vector<int>>("pauses");
        QTest::newRow("Close") << true << std::vector<int>{1000, 1000};
        QTest::newRow("Escape") << false << std::vector<int>{1000, 500};
    }

    void otherMaintenanceOpensBetweenPausesAndLeavesNothingQueued()
    {
        QFETCH(bool, withOk);
        QFETCH(std::vector<int>, pauses);
        makeControl(0);
        std::vector<int> paused;
        QTimer::singleShot(0, this, [this, withOk] {
            auto* dialog = qobject_cast<OtherMaintenanceDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(!child<QPushButton>(dialog, "ntcipModeButton")->isEnabled()); // AlderHD
            dialog->logic().getHeater();
            if (withOk)
                QTest::mouseClick(child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        const int result = OtherMaintenanceDialog::run(*control, 0, nullptr,
                                                       [&paused](int ms) { paused.push_back(ms); });
        QCOMPARE(result, withOk ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(paused, pauses);
        QVERIFY(control->link().queue().empty());
        QVERIFY(control->link().router().receiver(ReceiverSlot::OtherMaintenance) == nullptr);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::MaintenanceDialogsTest)
#include "MaintenanceDialogsTest.moc"
