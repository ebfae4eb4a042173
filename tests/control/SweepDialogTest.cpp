// "Find Domes" with port servers: the list the technician ticks and adds to,
// the estimate, and the links not swept, over a line of simulated domes.

#include "control/SweepDialog.h"

#include "core/Messages.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/SweepDomeLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace tarn {

class SweepDialogTest : public QObject {
    Q_OBJECT

private:
    VirtualClock clock;
    ScriptedPrompter prompter;
    test::DomeLine* line = nullptr;

    std::unique_ptr<SweepDialog> makeDialog()
    {
        auto dialog = std::make_unique<SweepDialog>(
            clock, prompter,
            [this] {
                auto made = std::make_unique<test::DomeLine>(clock);
                made->connects = {{"10.0.0.5:4001", {100, true}}, {"10.0.0.6:4001", {50, false}}};
                made->domes = {{"10.0.0.5:4001", 5, 1, 3, "", -1}};
                line = made.get();
                return std::unique_ptr<SweepLine>(std::move(made));
            },
            100);
        SweepChoices choices;
        choices.bauds[5] = true; // 9600
        choices.protocols[1] = true;
        choices.firstAddress = "1";
        choices.lastAddress = "10";
        choices.portServers = {{"10.0.0.5:4001", true}, {"10.0.0.9:4001", false}};
        dialog->preset(choices);
        return dialog;
    }

    template <typename T>
    static T* child(QWidget& dialog, const char* name)
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void theServersAreTickedAddedAndCountedInTheEstimate()
    {
        const auto dialog = makeDialog();
        auto* list = child<QListWidget>(*dialog, "serverList");
        auto* estimate = child<QLabel>(*dialog, "estimateLabel");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        // 10 addresses on one server, and its 2 s to connect.
        QCOMPARE(estimate->text(), QStringLiteral("10 questions, at most 3 s"));

        auto* edit = child<QLineEdit>(*dialog, "serverEdit");
        edit->setText(QStringLiteral("10.0.0.6:4001"));
        QTest::mouseClick(child<QPushButton>(*dialog, "addServerButton"), Qt::LeftButton);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(estimate->text(), QStringLiteral("20 questions, at most 6 s"));

        edit->setText(QStringLiteral("10.0.0.6"));
        QTest::mouseClick(child<QPushButton>(*dialog, "addServerButton"), Qt::LeftButton);
        QCOMPARE(list->count(), 3);
        QCOMPARE(prompter.texts(), std::vector<std::string>{std::string(Messages::SweepBadPortServer)});
        QCOMPARE(edit->text(), QStringLiteral("10.0.0.6")); // kept for mending

        list->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(estimate->text(), QStringLiteral("30 questions, at most 9 s"));
        list->item(1)->setCheckState(Qt::Unchecked);

        // Swept in turn: the refusing server is named under the list.
        QTest::mouseClick(child<QPushButton>(*dialog, "startButton"), Qt::LeftButton);
        QVERIFY(!list->isEnabled());
        QCOMPARE(estimate->text(), QStringLiteral("Connecting to 10.0.0.5:4001..."));
        for (int ms = 0; ms < 10'000 && dialog->setup().running(); ms += 10)
            clock.advance(10);
        QVERIFY(!dialog->setup().running());
        QCOMPARE(child<QListWidget>(*dialog, "foundList")->count(), 1);
        QCOMPARE(child<QLabel>(*dialog, "problemsLabel")->text(),
                 QStringLiteral("10.0.0.6:4001 was not swept: refused"));
        QCOMPARE(line->connectsStarted, (std::vector<std::string>{"10.0.0.5:4001", "10.0.0.6:4001"}));
        QVERIFY(list->isEnabled());
    }
};

} // namespace tarn

QTEST_MAIN(tarn::SweepDialogTest)
#include "SweepDialogTest.moc"
