#include "support/CommandTable.h"
#include "support/MainWindowHarness.h"

#include <QDialog>

namespace tarn {

using test::Act;

// Every dialog's command table, worked through its real view: each control is
// found by the name a screen reader reads and worked as the operator works it,
// and the bytes it sends or queues are compared exactly. A row per control, a
// table per dialog.
class CommandTablesTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    // Opens the dialog behind the main window's `button`, lets what it asks on
    // opening run out, and runs `rows` in it.
    void runInDialog(const char* button, const char* dialogName, std::initializer_list<test::CommandRow> rows)
    {
        test::CommandTableDriver driver(control->link(), clock);
        QStringList failures;
        const bool ran = test::runInDialogOpenedBy(mainWindow.get(), button, [&](QDialog& dialog) {
            clock.advance(10000);
            failures = driver.run(dialog, rows);
        }, dialogName);
        QVERIFY2(ran, dialogName);
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }

    // The main window for `settings`, its start-up checks run out on a held
    // queue so that they do not mix with the tables.
    bool openFor(const Settings& settings)
    {
        closeMainWindow();
        if (!openMainWindow(settings))
            return false;
        holdTheQueue();
        clock.advance(10000);
        queued();
        return true;
    }

private slots:
    void init() { QVERIFY(openFor(test::alderHdSettings(1))); } // AlderHD, Day/Night

    void cleanup() { closeMainWindow(); }

    void toursAndSectors()
    {
        for (int i = 0; i < 4; ++i)
            prompter.scriptAnswer(true); // the four delete questions
        runInDialog("tourSetupButton", "ToursSectorsDialog", {
            {"Sector", Act::Set, {}, 3},
            {"wait", Act::Wait, {"cdSs3", "cdSS3"}, 250},
            // The sector reads as enabled until the camera says otherwise.
            {"Sectors > Enable", Act::Click, {"dSS30"}},
            {"Sectors > Enable", Act::Click, {"dSS31"}, 0, nullptr, "F8 01 64 53 53 33 31 87"},
            {"Sectors > Set Left Limit", Act::Click, {"*SL3L"}},
            {"Sectors > Set Right Limit", Act::Click, {"*SL3R"}},
            {"ID Text", Act::Type, {}, 0, "Gate 4"},
            {"Send ID", Act::Click, {"dST3Gate 4                  "}},
            {"Delete Sector", Act::Click, {"*SC3"}},
            {"Sectors > Delete All", Act::Click, {"*SC0"}},
            {"Zone", Act::Set, {}, 2},
            {"wait", Act::Wait, {"*Ps2"}, 5},
            {"Privacy Zones > Enable", Act::Click, {"*PS20"}},
            {"Privacy Zones > Enable", Act::Click, {"*PS21"}, 0, nullptr, "F8 01 2A 50 53 32 31 8B"},
            {"Privacy Zones > Set Left Limit", Act::Click, {"*PL2L"}},
            {"Privacy Zones > Set Right Limit", Act::Click, {"*PL2R"}},
            {"Delete Zone", Act::Click, {"*PC2"}},
            {"Privacy Zones > Delete All", Act::Click, {"*PC0"}},
            {"Start Touring", Act::Click, {"*TS11"}},
            {"Stop Touring", Act::Click, {"*TS10"}},
            {"Clear All Data", Act::Click, {"*TC1"}},
            {"Pan Left", Act::Press, {"PL"}},
            {"Pan Left", Act::Release, {"PS"}},
            {"Pan Right", Act::Press, {"PR"}, 0, nullptr, "F8 01 50 52 83"},
            {"Pan Right", Act::Release, {"PS"}},
            {"Tilt Up", Act::Press, {"TU"}},
            {"Tilt Up", Act::Release, {"TS"}},
            {"Tilt Down", Act::Press, {"TD"}},
            {"Tilt Down", Act::Release, {"TS"}},
            {"Zoom In", Act::Press, {"ZI"}},
            {"Zoom In", Act::Release, {"ZS"}},
            {"Zoom Out", Act::Press, {"ZO"}},
            {"Zoom Out", Act::Release, {"ZS"}},
            {"Focus Near", Act::Press, {"FN"}},
            {"Focus Near", Act::Release, {"FS"}},
            {"Focus Far", Act::Press, {"FF"}},
            {"Focus Far", Act::Release, {"FS"}},
        });
    }

    void cameraId()
    {
        Settings alderSd = test::alderHdSettings(1);
        alderSd.rxType = 1; // the display modes are the AlderSD's
        QVERIFY(openFor(alderSd));
        prompter.scriptAnswer(true); // "Clear All IDs"
        runInDialog("cameraIdButton", "CameraIdDialog", {
            {"ID Text > Enable", Act::Click, {"dIE"}},
            {"ID Text > Enable", Act::Click, {"dID"}},
            {"Display at top", Act::Click, {"dIT"}},
            {"Display at top", Act::Click, {"dIB"}},
            {"Enable (All)", Act::Click, {"dAE"}},
            {"Enable (All)", Act::Click, {"dAD"}, 0, nullptr, "F8 01 64 41 44 80"},
            {"LP - Enable", Act::Click, {"dAe1"}},
            {"LP - Enable", Act::Click, {"dAd1"}},
            {"Alarm Text > Enable Line 2", Act::Click, {"dAe2"}},
            {"Alarm Text > Enable Line 3", Act::Click, {"dAe3"}},
            {"Compass/Zoom/LP", Act::Click, {"dl5m1"}},
            {"Maintenance (Pressure and Temperature)", Act::Click, {"dl5m2"}},
            {"AZ/EL/Zoom/LP", Act::Click, {"dl5m0"}},
            {"Alarm 1 Preset", Act::Set, {}, 5},
            {"Set Alarm 1 Preset", Act::Click, {"h1\x15"}},
            {"Alarm 2 Preset", Act::Set, {}, 64},
            {"Set Alarm 2 Preset", Act::Click, {"h2P"}},
            {"Get", Act::Click, {}},
            {"wait", Act::Wait, {"h?"}, 5},
            {"Line 1", Act::Type, {"dL1Gate 4                  "}, 0, "Gate 4"},
            {"Line 4", Act::Type, {"dL4North                   "}, 0, "North {}"},
            {"Clear All IDs", Act::Click, {"dIC", "dAb", "dMD"}},
            {"Init. All IDs", Act::Click, {}},
            {"wait", Act::Wait, {"dL1ID TEST - LINE 1", "dL2ID TEST - LINE 2", "dIE", "dIT"}, 2000},
        });
    }
};

} // namespace tarn

QTEST_MAIN(tarn::CommandTablesTest)
#include "CommandTablesTest.moc"
