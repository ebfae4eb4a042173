// "Camera Configuration" on the real main window: files chosen through the
// scripted prompter, the camera a pseudo-terminal nobody answers on.

#include "config/ConfigDialog.h"
#include "config/ConfigTarget.h"
#include "support/MainWindowHarness.h"
#include "support/TemporaryFolder.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace tarn {

class ConfigDialogTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    test::TemporaryFolder folder;
    std::unique_ptr<ConfigDialog> dialog;

    std::string file(const char* name, const char* text)
    {
        const std::string path = folder.file(name);
        QFile out(QString::fromStdString(path));
        out.open(QIODevice::WriteOnly);
        out.write(text);
        return path;
    }

    QPushButton* button(const char* name) { return child<QPushButton>(dialog.get(), name); }
    QString status() { return child<QLabel>(dialog.get(), "statusLine")->text(); }

    // Runs the job on the virtual clock until it ends.
    void finishJob()
    {
        for (int ms = 0; dialog->session().busy() && ms < 60'000; ms += 10) {
            clock.advance(10);
            QCoreApplication::processEvents();
        }
    }

private slots:
    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1)));
        const std::string domeFile = folder.file("Dome.dat");
        dialog = std::make_unique<ConfigDialog>(
            *control, prompter,
            [this, domeFile] {
                return std::make_unique<ConfigJob>(ConfigTarget::context(*control, domeFile),
                                                   ConfigTarget::header(*control, "COM1", "2026-12-10 09:00:00"));
            },
            mainWindow.get());
        dialog->show();
    }

    void cleanup()
    {
        dialog.reset();
        closeMainWindow();
    }

    void twoFilesSideBySideWithTheirDifferencesMarked()
    {
        prompter.scriptFile(file("a.ini", "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=25\nDelay Time=7\n"));
        prompter.scriptFile(file("b.ini", "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=40\nDelay Time=7\n"));
        button("compareFilesButton")->click();
        QCOMPARE(status(), QStringLiteral("1 differences."));
        auto* table = child<QTableWidget>(dialog.get(), "settingsTable");
        QCOMPARE(table->rowCount(), 3); // State, Run Time, Delay Time
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("Run Time"));
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("25"));
        QCOMPARE(table->item(1, 3)->text(), QStringLiteral("40"));
        QVERIFY(table->item(1, 3)->font().bold());
        QVERIFY(!table->item(2, 3)->font().bold());
        child<QCheckBox>(dialog.get(), "differencesOnlyBox")->setChecked(true);
        QCOMPARE(table->rowCount(), 1);
    }

    void aFileThatCannotBeWrittenIsRefusedBeforeAnythingIsSent()
    {
        prompter.scriptFile(file("range.ini", "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=10000\nDelay Time=7\n"));
        button("writeFileButton")->click();
        auto* sections = child<QListWidget>(dialog.get(), "sectionList");
        QVERIFY(sections->isVisible());
        QCOMPARE(sections->count(), 1);
        QCOMPARE(sections->item(0)->checkState(), Qt::Checked);
        holdTheQueue();
        button("writeButton")->click();
        QVERIFY(prompter.texts().back().find("[Wipe Setup] Run Time=10000 is outside 0..9999") != std::string::npos);
        QVERIFY(queued().empty());
        QVERIFY(!dialog->session().busy());
    }

    void anUntickedSectionIsNotWritten()
    {
        prompter.scriptFile(file("c.ini", "[Header]\nFormat=1\n[Wipe Setup]\nState=read\nRun Time=10000\nDelay Time=7\n"));
        button("writeFileButton")->click();
        child<QListWidget>(dialog.get(), "sectionList")->item(0)->setCheckState(Qt::Unchecked);
        holdTheQueue();
        button("writeButton")->click();
        // Nothing ticked: no question, nothing sent, and the value out of range is never looked at.
        QCOMPARE(prompter.texts().back(), std::string("Tick at least one section to write."));
        QVERIFY(!dialog->session().busy());
        QVERIFY(queued().empty());
    }

    void aSilentCameraIsToldAndNoFileIsWritten()
    {
        const std::string path = folder.file("silent.ini");
        prompter.scriptFile(path);
        button("saveButton")->click();
        QVERIFY(dialog->session().busy());
        QVERIFY(button("cancelButton")->isEnabled());
        QVERIFY(!button("saveButton")->isEnabled());
        finishJob();
        QCOMPARE(status(), QStringLiteral("The camera did not answer."));
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
        QVERIFY(button("saveButton")->isEnabled());
    }

    void cancelEndsTheJobAtOnce()
    {
        prompter.scriptFile(folder.file("cancelled.ini"));
        button("saveButton")->click();
        clock.advance(50);
        button("cancelButton")->click();
        QVERIFY(!dialog->session().busy());
        QCOMPARE(status(), QStringLiteral("Cancelled."));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::ConfigDialogTest)
#include "ConfigDialogTest.moc"
