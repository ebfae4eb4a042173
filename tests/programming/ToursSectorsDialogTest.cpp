#include "programming/ToursSectorsDialog.h"
#include "support/LinkBench.h"
#include "support/QtWidgetDriving.h"
#include "support/QueuedCommands.h"
#include "support/TemporaryFolder.h"
#include "widgets/EditableGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tarn {

// The dialog over the real logic and link; commands stay in the queue (the
// link is busy), so the test reads what each action queued.
class ToursSectorsDialogTest : public QObject, private test::LinkBench {
    Q_OBJECT

private:
    test::TemporaryFolder folder;
    std::unique_ptr<CameraLink> link;
    std::unique_ptr<ToursSectorsDialog> dialog;

    template <typename T>
    T* child(const char* name)
    {
        return test::requiredChild<T>(dialog.get(), name);
    }
    EditableGrid* grid() { return child<EditableGrid>("tourGrid"); }

    // Types `text` into a grid cell and presses Enter, as the operator does.
    void typeIntoCell(int row, int column, const QString& text)
    {
        grid()->focusCell({row, column});
        grid()->editItem(grid()->item(row - 1, column - 1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void init()
    {
        link = freshLink();
        dialog = std::make_unique<ToursSectorsDialog>(*link, prompter, folder.file("Dome.dat"));
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    void cleanup()
    {
        dialog.reset();
        link.reset();
    }

    void gridHasItsHeaderStepsWidthsAndShading()
    {
        EditableGrid* tourGrid = grid();
        QCOMPARE(tourGrid->gridRows(), 33);
        QCOMPARE(tourGrid->gridColumns(), 3);
        QCOMPARE(tourGrid->cellText({0, 1}), QStringLiteral("Preset"));
        QCOMPARE(tourGrid->cellText({0, 2}), QStringLiteral("Dwell"));
        QCOMPARE(tourGrid->cellText({32, 0}), QStringLiteral("32"));
        QCOMPARE(tourGrid->verticalHeader()->width(), 30);
        QCOMPARE(tourGrid->columnWidth(0), 50);
        QCOMPARE(tourGrid->columnWidth(1), 50);
        QCOMPARE(tourGrid->rowShade(2), QColor(0xE4, 0xF4, 0xE8));
        QCOMPARE(tourGrid->rowShade(32), QColor(0xE4, 0xF4, 0xE8));
        QVERIFY(tourGrid->rowShade(3) != QColor(0xE4, 0xF4, 0xE8));
    }

    void refusedCellKeepsItsTextAndSetAllDwellsFollowsTheFocus()
    {
        typeIntoCell(1, 1, QStringLiteral("3"));
        typeIntoCell(1, 2, QStringLiteral("10"));
        typeIntoCell(2, 1, QStringLiteral("65"));
        QCOMPARE(grid()->cellText({2, 1}), QString());
        typeIntoCell(2, 1, QStringLiteral("4"));
        typeIntoCell(2, 2, QStringLiteral("4"));
        QCOMPARE(grid()->cellText({2, 2}), QString());
        typeIntoCell(2, 2, QStringLiteral("60"));
        QCOMPARE(grid()->cellText({2, 2}), QStringLiteral("60"));

        grid()->focusCell({2, 1});
        QTest::mouseClick(child<QPushButton>("setAllDwellsButton"), Qt::LeftButton);
        // The focus is in the preset column: nothing changes.
        QCOMPARE(grid()->cellText({1, 2}), QStringLiteral("10"));
        grid()->focusCell({2, 2});
        QTest::mouseClick(child<QPushButton>("setAllDwellsButton"), Qt::LeftButton);
        QCOMPARE(grid()->cellText({1, 2}), QStringLiteral("60"));
        QCOMPARE(dialog->setup().tables().tours[0].steps[0].dwell, 60);
    }

    void applyWithoutADwellFocusesThatCell()
    {
        typeIntoCell(4, 1, QStringLiteral("9"));
        grid()->focusCell({1, 1});
        QTest::mouseClick(child<QPushButton>("applyTourButton"), Qt::LeftButton);
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Please provide a dwell time"});
        QCOMPARE(grid()->focusedCell().row, 4);
        QCOMPARE(grid()->focusedCell().column, 2);
    }

    void idTextEditTakesPrintableAsciiOnly()
    {
        auto* edit = child<QLineEdit>("idTextEdit");
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Gat"));
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
        QApplication::sendEvent(edit, &accented);
        edit->insert(QStringLiteral("\u00e9\u00e9")); // a paste
        QTest::keyClicks(edit, QStringLiteral(" \"7\""));
        QCOMPARE(edit->text(), QStringLiteral("Gat \"7\""));
        QCOMPARE(dialog->setup().idText(), std::string("Gat \"7\""));
    }

    void closeAsksToSaveAChangeAndNoCloses()
    {
        child<QCheckBox>("sectorEnableCheck")->click();
        QTest::mouseClick(child<QPushButton>("closeButton"), Qt::LeftButton);
        QVERIFY2(!dialog->isVisible(), "nothing in the local tables changed, nothing asked");
        QVERIFY(prompter.shown().empty());

        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        typeIntoCell(1, 1, QStringLiteral("5"));
        prompter.scriptAnswer(false);
        QTest::mouseClick(child<QPushButton>("closeButton"), Qt::LeftButton);
        QCOMPARE(prompter.texts(), std::vector<std::string>{"Save configuration changes?"});
        QVERIFY(!dialog->isVisible());
        QVERIFY(!std::filesystem::exists(folder.file("Dome.dat")));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::ToursSectorsDialogTest)
#include "ToursSectorsDialogTest.moc"
