#include "control/TrafficTableModel.h"
#include "control/TrafficWindow.h"
#include "link/TrafficTextLog.h"
#include "support/MainWindowHarness.h"
#include "support/TemporaryFolder.h"
#include "platform/QtPrompter.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTableView>

#include <filesystem>

namespace tarn {

// The Traffic window over the real main window and its record.
class TrafficWindowTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    TrafficWindow* openWithCtrlT()
    {
        QTest::keyClick(mainWindow.get(), Qt::Key_T, Qt::ControlModifier);
        auto* window = mainWindow->findChild<TrafficWindow*>();
        return window && window->isVisible() ? window : nullptr;
    }

    // Typed as the window system delivers it, so a modal dialog that blocks
    // `window` would swallow it.
    static void typeInto(QWidget* window, QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        for (const QChar c : text)
            QTest::keyClick(window->windowHandle(), c.toLatin1());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1)));
        control->link().state().address = 5;
        control->link().SendCommand("L?");
        control->link().SendCommand("cdS\x10");
        control->link().SendCommand("ZI");
    }

    void cleanup() { closeMainWindow(); }

    void ctrlTShowsTheSessionFromItsStart()
    {
        TrafficWindow* window = openWithCtrlT();
        QVERIFY(window);
        const TrafficRecord& record = control->traffic();
        QCOMPARE(window->model().rowCount(), static_cast<int>(record.size()));
        // The port's opening came first, before any frame.
        QCOMPARE(record.at(0).kind, TrafficKind::PortEvent);
        QCOMPARE(window->model().index(0, TrafficTableModel::Text).data().toString(),
                 QString::fromStdString("COM1 (" + line->slavePath() + ") open"));

        // New traffic is taken in while the window is open, and the view follows it.
        control->link().SendCommand("ZS");
        window->refresh();
        const int last = window->model().rowCount() - 1;
        QCOMPARE(window->model().index(last, TrafficTableModel::Text).data().toString(), QStringLiteral("ZS"));
        QCOMPARE(window->model().index(last, TrafficTableModel::Hex).data().toString(),
                 QStringLiteral("F8 05 5A 53 8C"));

        // Ctrl+T again brings the same window back, not a second one.
        window->close();
        QCOMPARE(openWithCtrlT(), window);
        QCOMPARE(mainWindow->findChildren<TrafficWindow*>().size(), 1);
    }

    void staysUsableWhileCameraSetupAndItsBoxesAreOpen()
    {
        TrafficWindow* window = openWithCtrlT();
        QVERIFY(window);
        auto* filter = child<QLineEdit>(window, "filterEdit");
        auto* newAddress = child<QLineEdit>("newAddress");
        bool boxChecked = false;
        const bool ran = test::runInDialogOpenedBy(mainWindow.get(), "cameraSetupButton", [&](QDialog& setup) {
            QCOMPARE(setup.windowModality(), Qt::WindowModal);
            // The main window is held; the Traffic window beside it is not.
            const QString address = newAddress->text();
            typeInto(mainWindow.get(), newAddress, QStringLiteral("7"));
            QCOMPARE(newAddress->text(), address);
            typeInto(window, filter, QStringLiteral("cds"));
            QCOMPARE(filter->text(), QStringLiteral("cds"));
            QCOMPARE(window->model().rowCount(), 1);

            // A box the dialog asks for holds the dialog (and so the main
            // window), still not the Traffic window.
            QtPrompter boxes;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->parentWidget(), &setup);
                QCOMPARE(box->windowModality(), Qt::WindowModal);
                typeInto(window, filter, QStringLiteral(" "));
                QCOMPARE(filter->text(), QStringLiteral("cds "));
                boxChecked = true;
                box->accept();
            });
            boxes.showMessage("test box", "Test", MessageIcon::Information);
        });
        QVERIFY(ran);
        QVERIFY(boxChecked);
    }

    void filterCopyAndClear()
    {
        TrafficWindow* window = openWithCtrlT();
        QVERIFY(window);
        QTest::keyClicks(child<QLineEdit>(window, "filterEdit"), QStringLiteral("cds"));
        QCOMPARE(window->model().rowCount(), 1);
        child<QLineEdit>(window, "filterEdit")->setText(QStringLiteral("5a 49"));
        QCOMPARE(window->model().rowCount(), 1);
        QCOMPARE(window->model().index(0, TrafficTableModel::Text).data().toString(), QStringLiteral("ZI"));

        child<QLineEdit>(window, "filterEdit")->clear();
        auto* table = child<QTableView>(window, "table");
        table->selectRow(window->model().rowCount() - 2);
        table->selectionModel()->select(window->model().index(window->model().rowCount() - 1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>(window, "copyButton"), Qt::LeftButton);
        const TrafficRecord& record = control->traffic();
        const std::string expected = TrafficTextLog::line(record.at(record.size() - 2), record.sessionStart())
            + TrafficTextLog::line(record.at(record.size() - 1), record.sessionStart());
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(expected));

        // Paused, the view stays as it is until it goes on.
        QTest::mouseClick(child<QPushButton>(window, "pauseButton"), Qt::LeftButton);
        control->link().SendCommand("ZS");
        const int before = window->model().rowCount();
        auto* refreshTimer = window->findChild<QTimer*>(QStringLiteral("refreshTimer"));
        QVERIFY(refreshTimer);
        refreshTimer->setInterval(0); // due at once, rather than waited for
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(window->model().rowCount(), before);
        QTest::mouseClick(child<QPushButton>(window, "pauseButton"), Qt::LeftButton);
        QCOMPARE(window->model().rowCount(), before + 1);

        QTest::mouseClick(child<QPushButton>(window, "clearButton"), Qt::LeftButton);
        QCOMPARE(window->model().rowCount(), 0);
        QVERIFY(control->traffic().empty());
    }

    void savedCaptureOpensInAWindowOfItsOwn()
    {
        TrafficWindow* window = openWithCtrlT();
        QVERIFY(window);
        test::TemporaryFolder folder;
        prompter.scriptFile(folder.file("site.txt"));
        QTest::mouseClick(child<QPushButton>(window, "saveButton"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(folder.file("site.txt")));
        QVERIFY(std::filesystem::exists(folder.file("site.tcap")));

        prompter.scriptFile(folder.file("site.tcap"));
        QTest::mouseClick(child<QPushButton>(window, "loadButton"), Qt::LeftButton);
        TrafficWindow* loaded = nullptr;
        for (TrafficWindow* candidate : mainWindow->findChildren<TrafficWindow*>())
            if (candidate != window)
                loaded = candidate;
        QVERIFY(loaded);
        QCOMPARE(loaded->windowTitle(), QStringLiteral("Traffic \u2013 site.tcap"));
        QCOMPARE(loaded->model().rowCount(), window->model().rowCount());
        for (int column = 0; column < TrafficTableModel::ColumnCount; ++column)
            QCOMPARE(loaded->model().index(2, column).data(), window->model().index(2, column).data());
        const auto messages = [this] {
            std::vector<std::string> texts;
            for (const auto& shown : prompter.shown())
                if (shown.kind == ScriptedPrompter::Kind::Message)
                    texts.push_back(shown.text);
            return texts;
        };
        QVERIFY(messages().empty());

        prompter.scriptFile(folder.file("site.txt"));
        QTest::mouseClick(child<QPushButton>(window, "loadButton"), Qt::LeftButton);
        QCOMPARE(messages().size(), std::size_t{1});
        QVERIFY(messages()[0].find("it is not a traffic capture") != std::string::npos);
    }
};

} // namespace tarn

QTEST_MAIN(tarn::TrafficWindowTest)
#include "TrafficWindowTest.moc"
