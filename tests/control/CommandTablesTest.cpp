#include "imaging/AlderHdDspDialog.h"
#include "programming/LensMaintenanceDialog.h"
#include "programming/OtherMaintenanceDialog.h"
#include "programming/ScreenPrivacyDialog.h"
#include "programming/ServicePasswordDialog.h"
#include "support/CommandTable.h"
#include "support/MainWindowHarness.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

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
    // The rows may reach the open dialog (its logic, for the controls the
    // operator cannot reach).
    template <typename D = QDialog>
    void runInDialog(const char* button, const char* dialogName,
                     const std::function<std::vector<test::CommandRow>(D&)>& rowsFor)
    {
        test::CommandTableDriver driver(control->link(), clock);
        QStringList failures;
        const bool ran = test::runInDialogOpenedBy<D>(mainWindow.get(), button, [&](D& dialog) {
            clock.advance(10000);
            failures = driver.run(dialog, rowsFor(dialog));
        }, dialogName);
        QVERIFY2(ran, dialogName);
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }
    void runInDialog(const char* button, const char* dialogName, const std::vector<test::CommandRow>& rows)
    {
        runInDialog<QDialog>(button, dialogName, [&rows](QDialog&) { return rows; });
    }

    // The same for a dialog the test opens itself (those Setup opens), shown
    // without a loop of its own.
    template <typename D, typename... Args>
    void runOnDialog(const std::function<std::vector<test::CommandRow>(D&)>& rowsFor, Args&&... args)
    {
        test::CommandTableDriver driver(control->link(), clock);
        D dialog(std::forward<Args>(args)...);
        dialog.show();
        clock.advance(10000);
        const QStringList failures = driver.run(dialog, rowsFor(dialog));
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }

    // A row that answers the next service password box, for the row after it.
    static test::CommandRow servicePassword()
    {
        return {"password", Act::Call, {}, 0, nullptr, nullptr, [] {
                    QTimer::singleShot(0, [] {
                        auto* box = qobject_cast<ServicePasswordDialog*>(QApplication::activeModalWidget());
                        if (!box)
                            return;
                        QTest::keyClicks(test::child<QLineEdit>(box, "passwordEdit"), QStringLiteral("KELPDAWN"));
                        QTest::mouseClick(test::child<QPushButton>(box, "okButton"), Qt::LeftButton);
                    });
                }};
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
        // The probes that were held keep their broadcast for the next send.
        control->link().state().broadcastNext = false;
        return true;
    }

private slots:
    void init() { QVERIFY(openFor(test::alderHdSettings(1))); } // AlderHD, Day/Night

    void cleanup() { closeMainWindow(); }

    // The main window of an AlderHD with a day/night module on a variable
    // speed pan/tilt unit: its panel, its presets and its tours.
    void mainWindowControls()
    {
        test::CommandTableDriver driver(control->link(), clock);
        const char* position = "Position: Pan 0000-3599, Tilt 0900 down / 2700 up, Zoom 000-FFF, Focus 000 > Goto";
        const QStringList failures = driver.run(*mainWindow, {
            {"Reset", Act::Click, {"rs"}, 0, nullptr, "F8 01 72 73 80"},
            {"Lens Fast", Act::Click, {"LL"}},
            {"Manual Iris", Act::Click, {"LM"}},
            {"Manual Iris", Act::Click, {"LM"}}, // back to automatic: IO and IC are usable
            {"Manual Focus", Act::Click, {"L1"}}, // FN and FF are usable
            {"Do Auto Focus on PTZ", Act::Click, {"L6"}},
            {"ZI", Act::Press, {"cZ0"}},
            {"ZI", Act::Release, {"ZS"}},
            {"ZO", Act::Press, {"cz0"}},
            {"ZO", Act::Release, {"ZS"}},
            {"FN", Act::Press, {"FN"}},
            {"FN", Act::Release, {"FS"}},
            {"FF", Act::Press, {"FF"}},
            {"FF", Act::Release, {"FS"}},
            {"IO", Act::Press, {"IO"}},
            {"IO", Act::Release, {"IS"}},
            {"IC", Act::Press, {"IC"}},
            {"IC", Act::Release, {"IS"}},
            {"Pan", Act::Type, {}, 0, "5"},
            {"Tilt", Act::Type, {}, 0, "0900"},
            {"Zoom", Act::Type, {}, 0, "a0"},
            {"Focus", Act::Type, {}, 0, "0"},
            {position, Act::Click, {"cp00050900", "v0:0000"}},
            {"Status ?", Act::Click, {}},
            {"wait", Act::Wait, {"L?"}, 1000},
            {"wait", Act::Wait, {"cDS"}, 1000},
            {"P/T/Z/F ?", Act::Click, {}}, // and status polling stops
            {"wait", Act::Wait, {"cPS"}, 1000},
            {"wait", Act::Wait, {"V?"}, 1000},
            {"P/T/Z/F ?", Act::Click, {}},
            {"wait", Act::Wait, {}, 1000},
            {"Wipe", Act::Click, {"L3"}},
            {"Wash", Act::Click, {"L2"}},
            {"SeekHome", Act::Click, {"mFH"}},
            {"Get", Act::Click, {"mNS"}},
            {"Presets", Act::Choose, {"cdS\x12"}, 2},
            {"Store", Act::Click, {"P\x12"}},
            {"Presets > Goto", Act::Click, {"H\x12"}},
            {"Store ID", Act::Click, {"dP\x12Preset 3                "}},
            {"Get ID", Act::Click, {"cdS\x12"}},
            {"Presets", Act::Choose, {"cdS\x60"}, 47},
            {"Tour/Sector/Privacy", Act::Choose, {}, 2},
            {"Start/Stop", Act::Click, {"*TS31"}},
            {"Start/Stop", Act::Click, {"*TS30"}},
            // Last: each starts the connection check.
            {"Set Addr", Act::Type, {}, 0, "12"},
            {"Camera > Set", Act::Click, {"As0012"}},
            {"GetAddr", Act::Click, {"7E 01 00 00 41 7E"}},
        });
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }

    // Under the Javelin protocol the panel queues pass-through frames; the
    // link puts the address and the checksum in as they go out.
    void mainWindowUnderJavelin()
    {
        control->link().state().protocolIndex = 4;
        test::CommandTableDriver driver(control->link(), clock);
        const QStringList failures = driver.run(*mainWindow, {
            {"Reset", Act::Click, {"FF 06 07 02 01 01 40 FF"}},
            {"Manual Iris", Act::Click, {"FF 06 07 06 01 01 08 FF"}},
            {"Manual Iris", Act::Click, {"FF 06 07 06 01 01 08 FF"}},
            {"Manual Focus", Act::Click, {"FF 06 07 06 01 01 10 FF"}},
            // Read off the line, this one: address 1 and the checksum are in.
            {"ZI", Act::Press, {"FF 06 07 04 00 01 C2 2C"}, 0, nullptr, "FF 06 07 04 00 01 C2 2C"},
            {"ZI", Act::Release, {"FF 06 07 04 01 01 42 FF"}},
            {"ZO", Act::Press, {"FF 06 07 04 01 01 82 FF"}},
            {"ZO", Act::Release, {"FF 06 07 04 01 01 02 FF"}},
            {"FN", Act::Press, {"FF 06 07 04 01 01 C3 FF"}},
            {"FN", Act::Release, {"FF 06 07 04 01 01 43 FF"}},
            {"FF", Act::Press, {"FF 06 07 04 01 01 83 FF"}},
            {"FF", Act::Release, {"FF 06 07 04 01 01 03 FF"}},
            {"IO", Act::Press, {"FF 06 07 04 01 01 84 FF"}},
            {"IO", Act::Release, {"FF 06 07 04 01 01 04 FF"}},
            {"IC", Act::Press, {"FF 06 07 04 01 01 C4 FF"}},
            {"IC", Act::Release, {"FF 06 07 04 01 01 44 FF"}},
            {"Presets", Act::Choose, {"cdS\x12"}, 2},
            {"Store", Act::Click, {"FF 06 07 05 01 01 82 FF"}},
            {"Presets > Goto", Act::Click, {"FF 06 07 05 01 01 02 FF"}},
        });
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }

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
            {"Tours", Act::Choose, {"*TS10"}, 1}, // the tour that was selected stops
            {"wait", Act::Wait, {"*Tp2"}, 500},
            // 33 empty steps each: the whole 37 bytes go out.
            {"Apply Tour Setup", Act::Click, {"*TP2" + std::string(33, '\x10'), "*TD2" + std::string(33, '\x10')}, 0, nullptr,
             "F8 01 2A 54 50 32 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 "
             "10 10 8D"},
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

    void setup()
    {
        for (int i = 0; i < 4; ++i)
            prompter.scriptAnswer(true); // three protocol changes and the boot loader
        runInDialog("cameraSetupButton", "CameraSetupDialog", {
            {"Fixed P/T", Act::Click, {"s0"}},
            {"Var Speed P/T", Act::Click, {"s1"}},
            {"Var. Prop. Speed P/T", Act::Click, {"s2"}},
            {"Vorel2 P/T Direction", Act::Choose, {"S0"}, 0},
            {"Vorel2 P/T Direction", Act::Choose, {"S1"}, 1},
            {"Vorel2 P/T Direction", Act::Choose, {"S2"}, 2},
            {"NTSC", Act::Click, {"cv0"}},
            {"PAL", Act::Click, {"cv1"}, 0, nullptr, "F8 01 63 76 31 85"},
            {"Get Firmware Version", Act::Click, {"RS"}},
            {"Elevation", Act::Type, {}, 0, "1200"},
            {"Set Elevation", Act::Click, {"E1200"}},
            {"Camera Serial Number", Act::Type, {}, 0, "1234"},
            {"Set Camera Serial Number", Act::Click, {"mS0001234"}},
            {"Set Cam Comm Protocol", Act::Choose, {"cP4"}, 4},
            {"Camera > Javelin Continuos Motor", Act::Click, {"Jc1"}, 0, nullptr, "F8 01 4A 63 31 89"},
            {"Camera > Javelin Continuos Motor", Act::Click, {"Jc0"}},
            {"Camera > Javelin Contains Address", Act::Click, {"Jb1"}},
            {"Camera > Javelin Contains Address", Act::Click, {"Jb0"}},
            {"Enable Boot Loader Code", Act::Click, {"cb"}},
            {"Set Cam Comm Protocol", Act::Choose, {"cP:"}, 10},
            {"Set Cam Comm Protocol", Act::Choose, {"cP1"}, 1},
            {"Baud", Act::Choose, {}, 6},
            {"SetBaud", Act::Click, {"Bs192K"}},
            {"Baud", Act::Choose, {}, 4},
            {"SetBaud", Act::Click, {"Bs0600"}},
        });
    }

    // Flip is a BirchSD's and a BirchHD's.
    void setupOfABirch()
    {
        Settings birch = test::alderHdSettings(1);
        birch.rxType = 3;
        QVERIFY(openFor(birch));
        runInDialog("cameraSetupButton", "CameraSetupDialog", {
            {"Flip Enable for BirchHD Only", Act::Click, {"fE"}},
            {"Flip Enable for BirchHD Only", Act::Click, {"fD"}},
        });
    }

    // The day/night picture dialog of an AlderHD: every control it lets the
    // operator use, then the handlers of those it shows disabled or hides.
    void dayNightPicture()
    {
        prompter.scriptAnswer(true); // "Init. All Presets"
        runInDialog<AlderHdDspDialog>("dspStatusButton", "AlderHdDspDialog", [](AlderHdDspDialog& dialog) {
            AlderHdDsp& dsp = dialog.logic();
            return std::vector<test::CommandRow>{
                {"Status ?", Act::Click, {"cDS"}},
                {"Day/Night Cntrl > Color", Act::Click, {"cM1"}},
                {"Day/Night Cntrl > Mono", Act::Click, {"cM2"}},
                {"Day/Night Cntrl > Auto", Act::Click, {"cM0"}},
                {"Mode1", Act::Click, {"cR1"}},
                {"Mode2", Act::Click, {"cR2"}},
                {"IR Illuminator Option > None", Act::Click, {"cR0"}},
                {"Shutter", Act::Choose, {"cS?"}, 15},
                {"Shutter", Act::Choose, {"cS0"}, 0},
                {"Digital Slow Limit", Act::Choose, {"ck3"}, 3},
                {"Auto (HPS)", Act::Click, {"cW2"}},
                {"Auto (Normal)", Act::Click, {"cW0"}},
                {"White Balance > Manual", Act::Click, {"cW1"}},
                {"RU", Act::Press, {"cWR"}},
                {"RU", Act::Release, {"cWQ"}},
                {"RD", Act::Press, {"cWr"}},
                {"RD", Act::Release, {"cWQ"}},
                {"BU", Act::Press, {"cWB"}},
                {"BU", Act::Release, {"cWQ"}},
                {"BD", Act::Press, {"cWb"}, 0, nullptr, "F8 01 63 57 62 87"},
                {"BD", Act::Release, {"cWQ"}},
                {"Aperture Level > Manual", Act::Click, {"cA1"}},
                {"Horizontal aperture level (1 to 31)", Act::Type, {}, 0, "12"},
                {"Set Horz.", Act::Click, {"cAH\x1C"}},
                {"Vertical aperture level (1 to 31)", Act::Type, {}, 0, "31"},
                {"Set Vert.", Act::Click, {"cAV/"}},
                {"Aperture Level > Auto", Act::Click, {"cA0"}},
                {"Max AGC gain (1-40 dB)", Act::Type, {}, 0, "20"},
                {"Set Max AGC", Act::Click, {"cG$"}},
                {"Zoom Magnification", Act::Choose, {"cZm#"}, 34},
                {"Go to Real Zoom Pos.", Act::Type, {}, 0, "a"},
                {"Zoom Magnification > Set", Act::Click, {"cV000A"}},
                {"Zoom Magnification > Get", Act::Click, {"cVS"}},
                {"WDR > On", Act::Click, {"cY1"}},
                {"WDR > Off", Act::Click, {"cY0"}},
                {"BLC > On", Act::Click, {"cB1"}},
                {"BLC > Off", Act::Click, {"cB0"}},
                {"EIS > On", Act::Click, {"cE1"}},
                {"EIS > Off", Act::Click, {"cE0"}},
                {"Frequency", Act::Choose, {"cEF1"}, 1},
                {"Auto Focus Type", Act::Choose, {"cF3"}, 3},
                {"Auto Focus Type", Act::Choose, {":cF2"}, 2},
                {"Auto Focus Type", Act::Choose, {"cF1"}, 1},
                {"Auto Focus Type", Act::Choose, {"cF0"}, 0},
                {"Min. Focus Distance", Act::Choose, {}, 1},
                {"wait", Act::Wait, {":WE1F7F2"}, 50},
                {"Min. Focus Distance", Act::Choose, {}, 0},
                {"wait", Act::Wait, {":WE1F7F7"}, 50},
                {"Get Status", Act::Click, {"cDS"}},
                {"Tx", Act::Type, {}, 0, ":Rf8e000"},
                {"Send", Act::Click, {":RF8E000"}},
                // Disabled for this camera, or never enabled, or hidden.
                {"Poll", Act::Call, {"cn0"}, 0, nullptr, nullptr, [&dsp] { dsp.togglePoll(); }},
                {"Poll", Act::Call, {"cn1"}, 0, nullptr, nullptr, [&dsp] { dsp.togglePoll(); }},
                {"4800", Act::Call, {"cC0"}, 0, nullptr, nullptr, [&dsp] { dsp.setBaud(0); }},
                {"38.4K", Act::Call, {"cC3"}, 0, nullptr, nullptr, [&dsp] { dsp.setBaud(3); }},
                {"Init. All Presets", Act::Call, {"cPi"}, 0, nullptr, nullptr, [&dsp] { dsp.initAllPresets(); }},
                {"Indoor", Act::Call, {"cw0"}, 0, nullptr, nullptr, [&dsp] { dsp.setIndoorOutdoor(0); }},
                {"Outdoor", Act::Call, {"cw1"}, 0, nullptr, nullptr, [&dsp] { dsp.setIndoorOutdoor(1); }},
                {"Set Digital Zoom", Act::Call, {"cD4"}, 0, nullptr, nullptr, [&dsp] { dsp.selectDigitalZoom(4); }},
                {"Save", Act::Call, {"cm0"}, 0, nullptr, nullptr, [&dsp] { dsp.powerUp(AlderHdDsp::PowerUp::Save); }},
                {"Recall", Act::Call, {"cm1"}, 0, nullptr, nullptr,
                 [&dsp] { dsp.powerUp(AlderHdDsp::PowerUp::Recall); }},
                {"Restore Defaults", Act::Call, {"cmd"}, 0, nullptr, nullptr,
                 [&dsp] { dsp.powerUp(AlderHdDsp::PowerUp::RestoreDefaults); }},
                {"EnableRx", Act::Call, {":E"}, 0, nullptr, nullptr, [&dsp] { dsp.toggleRx(); }},
                {"EnableRx", Act::Call, {":D"}, 0, nullptr, nullptr, [&dsp] { dsp.toggleRx(); }},
            };
        });
    }

    void azimuthSetup()
    {
        runInDialog("azimuthSetButton", "AzimuthSetupDialog", {
            {"North Direction > Set", Act::Click, {"mNs"}},
            {"Clear", Act::Click, {"mNc"}},
            {"Set 8 Zones", Act::Click, {"dN0"}},
            {"Set 16 Zones", Act::Click, {"dN1"}, 0, nullptr, "F8 01 64 4E 31 8A"},
            {"Azimuth/Elevation/Zoom Display > Enable", Act::Click, {"dpE"}},
            {"Azimuth/Elevation/Zoom Display > Disable", Act::Click, {"dpD"}},
            {"Azimuth/Elevation/Zoom Display > Permanent", Act::Click, {"dpt"}},
            {"Azimuth/Elevation/Zoom Display > TimeOut", Act::Click, {"dpT"}},
            {"Direction Display > Enable", Act::Click, {"dNE"}},
            {"Direction Display > Disable", Act::Click, {"dND"}},
            {"Direction Display > Permanent", Act::Click, {"dNt"}},
            {"Direction Display > TimeOut", Act::Click, {"dNT"}},
            {"Grouped with IDs", Act::Click, {"dNI"}},
            {"Seperated from IDs", Act::Click, {"dNi"}},
            {"Delay Time", Act::Type, {}, 0, "250"},
            {"Set Delay Time", Act::Click, {"UT250"}},
            {"Auto Latch Status/Pan/Tilt/Zoom/Focus Postion Responses > Enable", Act::Click, {"UE"}},
            {"Auto Latch Status/Pan/Tilt/Zoom/Focus Postion Responses > Disable", Act::Click, {"UD"}},
            {"Get Control Setup", Act::Click, {"US"}},
            {"Get Current PTZFL ", Act::Click, {"U?"}},
        });
    }

    // Lens Maintenance is there for a receiver that is not one of the maker's
    // cameras.
    void lensMaintenance()
    {
        Settings receiver = test::alderHdSettings(1);
        receiver.rxType = 6;
        QVERIFY(openFor(receiver));
        prompter.scriptAnswer(true); // "Clear NVRAM"
        CameraLink& link = control->link();
        const auto reply = [&link](const char* text) { return [&link, text] { test::replyOnSerial(link, text); }; };
        runOnDialog<LensMaintenanceDialog>([&reply](LensMaintenanceDialog&) {
            return std::vector<test::CommandRow>{
                // The read-back ends first: until then the phase is not sent.
                {"status reply", Act::Call, {"mXS"}, 0, nullptr, nullptr, reply("m0l0v0p1c0")},
                {"2X reply", Act::Call, {"mRS"}, 0, nullptr, nullptr, reply("mX0")},
                {"IR reply", Act::Call, {}, 0, nullptr, nullptr, reply("mR0")},
                {"Set Auto Iris Level", Act::Click, {"ma"}},
                {"Start Calibrating Lens", Act::Click, {"mc"}},
                {"Lens Type", Act::Choose, {"m2"}, 2},
                {"Zoom/Focus", Act::Click, {}},
                {"Iris Follow Pot", Act::Click, {}},
                {"Lens Function > Set", Act::Click, {"ml9"}, 0, nullptr, "F8 01 6D 6C 39 89"},
                {"Phase Adj. (0-5)", Act::Set, {"Lp4"}, 3},
                {"Crystal", Act::Click, {"Lp0"}},
                {"Crystal", Act::Click, {"Lp4"}},
                {"Video", Act::Choose, {"mv1"}, 1},
                {"Camera", Act::Choose, {"mc3"}, 3},
                {"2X", Act::Click, {"mX1"}},
                {"2X", Act::Click, {"mX0"}},
                {"IR", Act::Choose, {"mR2"}, 2},
                {"Clear NVRAM", Act::Click, {"rrRRRR"}},
            };
        }, *control);
    }

    void otherMaintenance()
    {
        prompter.scriptAnswer(true); // "Clear NVRAM"
        runOnDialog<OtherMaintenanceDialog>([](OtherMaintenanceDialog&) {
            return std::vector<test::CommandRow>{
                {"Heater Trigger Level", Act::Type, {}, 0, "40"},
                {"Set Heater Trigger Level", Act::Click, {"mt4060e01"}},
                {"Get Heater Trigger Level", Act::Click, {"mtS"}},
                {"Freeze Video ", Act::Click, {"mf1"}, 0, nullptr, "F8 01 6D 66 31 8B"},
                {"Freeze Video ", Act::Click, {"mf0"}},
                {"Get Freeze Video", Act::Click, {"mfS"}},
                servicePassword(),
                {"Set Virtual Home", Act::Click, {"mVs"}},
                {"Get Virtual Home", Act::Click, {"mVg"}},
                servicePassword(),
                {"Clear Virtual Home", Act::Click, {"mVc"}},
                {"Clear NVRAM", Act::Click, {"rrRRRR"}},
                servicePassword(),
                {"Store CalWords", Act::Click, {"mcs"}},
                servicePassword(),
                {"Clear CalWords", Act::Click, {"mcc"}},
                {"Get Barrel Temperature", Act::Click, {"mTS"}},
                {"Test", Act::Click, {"mTt"}},
                {"Wipe", Act::Click, {"L3"}},
            };
        }, *control, 0);
    }

    void wipeSetup()
    {
        runInDialog("wipeSetupButton", "WipeSetupDialog", {
            {"Run Time(0-9999 Sec)", Act::Set, {}, 120},
            {"Delay Time (0-99 Sec)", Act::Set, {}, 5},
            {"Set", Act::Click, {"mwr0120d05"}, 0, nullptr, "F8 01 6D 77 72 30 31 32 30 64 30 35 8B"},
            {"Old Module", Act::Click, {"mwm0"}},
            {"New Module", Act::Click, {"mwm1"}},
        });
    }

    void washSetup()
    {
        runInDialog("washSetupButton", "WashSetupDialog", {
            {"Wash Time(0-99 Sec)", Act::Set, {}, 15},
            {"Auto Mode Freq. (001- 010 Minutes)", Act::Set, {}, 7},
            {"Manual Wash", Act::Click, {}},
            {"Set", Act::Click, {"mWW15m1f007"}, 0, nullptr, "F8 01 6D 57 57 31 35 6D 31 66 30 30 37 85"},
            {"SetWashHome", Act::Click, {"mWh"}},
        });
    }

    // The thermal dialog, with the values it starts with.
    void thermalControl()
    {
        QVERIFY(openFor(test::alderHdSettings(2))); // Thermal
        runInDialog("dspStatusButton", "ThermalControlDialog", {
            {"Flat_Field Correction > Auto", Act::Click, {"tW1"}},
            {"Flat_Field Correction > Ext", Act::Click, {"tW2"}},
            {"Flat_Field Correction > Manual", Act::Click, {"tW0"}},
            {"Flat_Field Correction > Set", Act::Click, {"tk07200005"}, 0, nullptr, "F8 01 74 6B 30 37 32 30 30 30 30 35 8E"},
            {"DoFFC", Act::Click, {"tr"}},
            {"Frozen", Act::Click, {"tF1"}},
            {"Real Time", Act::Click, {"tF0"}},
            {"User Settings > Save", Act::Click, {"tsS"}},
            {"User Settings > Recall", Act::Click, {"tss"}},
            {"Camera > Reset", Act::Click, {"tsR"}},
            {"Factory defaults", Act::Click, {"tsD"}},
            {"Video > Color", Act::Click, {"tB1"}},
            {"Video > Mono", Act::Click, {"tB0"}},
            {"Polarity/LUT", Act::Choose, {"tC;"}, 11},
            {"Image Orientation", Act::Choose, {"ti3"}, 3},
            {"Digital Zoom", Act::Choose, {"tX2"}, 2},
            {"Analog Video > Set", Act::Click, {"td%"}},
            {"Supp. Offset > Enabled", Act::Click, {"tS1"}},
            {"Supp. Offset > Enabled", Act::Click, {"tS0"}},
            {"Near", Act::Press, {"tfN"}},
            {"Near", Act::Release, {"tfS"}},
            {"Far", Act::Press, {"tfF"}},
            {"Far", Act::Release, {"tfS"}},
            {"AGC Parameters > Set", Act::Click, {"tA0010000000"}},
        });
    }

    // Opened from the picture dialog.
    void screenPrivacy()
    {
        test::CommandTableDriver driver(control->link(), clock);
        QStringList failures;
        bool ran = false;
        test::runInDialogOpenedBy<AlderHdDspDialog>(mainWindow.get(), "dspStatusButton", [&](AlderHdDspDialog& dsp) {
            clock.advance(10000);
            ran = test::runInDialogOpenedBy<ScreenPrivacyDialog>(&dsp, "privacySetupButton", [&](ScreenPrivacyDialog& dialog) {
                clock.advance(10000);
                failures = driver.run(dialog, {
                    {"Zone", Act::Choose, {"c*N3"}, 2, nullptr, "F8 01 63 2A 4E 33 85"},
                    {"wait", Act::Wait, {"c*Z?"}, 1000},
                    {"Programming", Act::Click, {"c*M31"}},
                    {"Live", Act::Click, {"c*M32"}},
                    {"Off", Act::Click, {"c*M30"}},
                    {"Horrz. Size", Act::Set, {"c*h3100"}, 100},
                    {"Vert. Size", Act::Set, {"c*v3007"}, 7},
                    {"R-Y Color", Act::Set, {"c*R?"}, 15},
                    {"B-Y Color", Act::Set, {"c*B1"}, 1},
                    {"Shade Level", Act::Set, {"c*S:"}, 10},
                    {"P/T ?", Act::Click, {}},
                    {"wait", Act::Wait, {"cPS"}, 5},
                    {"Pan", Act::Type, {}, 0, "0100"},
                    {"Tilt", Act::Type, {}, 0, "0900"},
                    {"Goto", Act::Click, {"cp01000900"}},
                    {"ZI", Act::Press, {"cZ0"}},
                    {"ZI", Act::Release, {"ZS"}},
                    {"ZO", Act::Press, {"cz0"}},
                    {"ZO", Act::Release, {"ZS"}},
                });
            });
        });
        QVERIFY(ran);
        QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    }

    // A DogwoodHD sets its focus type through the DSP register.
    void dayNightPictureOfADogwood()
    {
        Settings dogwood = test::alderHdSettings(1);
        dogwood.rxType = 5;
        QVERIFY(openFor(dogwood));
        runInDialog("dspStatusButton", "AlderHdDspDialog", {
            {"Auto Focus Type", Act::Choose, {":WF8E000"}, 0},
            {"wait", Act::Wait, {":RF8E000"}, 500},
            {"Auto Focus Type", Act::Choose, {":WF8E001"}, 1, nullptr, "F8 01 3A 57 46 38 45 30 30 31 86"},
            {"Auto Focus Type", Act::Choose, {":WF8E003"}, 2},
            {"Auto Focus Type", Act::Choose, {":WF8E005"}, 3},
            {"wait", Act::Wait, {":RF8E000"}, 500},
            {"Get Status", Act::Click, {}},
            {"wait", Act::Wait, {":RE1F700"}, 50},
        });
    }
};

} // namespace tarn

QTEST_MAIN(tarn::CommandTablesTest)
#include "CommandTablesTest.moc"
