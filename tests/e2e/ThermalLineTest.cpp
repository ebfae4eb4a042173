// The Thermal Control logic against a thermal tarn-camsim over a pty: the
// opening status fills the dialog, and a LUT chosen in it is what the camera
// reports the next time the dialog opens.

#include "SimulatorLine.h"

#include "imaging/ThermalControl.h"
#include "support/HandBuiltFrames.h"

namespace tarn::e2e {
namespace {

// What the dialog's controls show for `s`.
ThermalControls shown(const ThermalSettings& s)
{
    ThermalControls c;
    c.ffcMode = s.ffcMode;
    c.operatingMode = s.operatingMode;
    c.video = s.video;
    c.lut = s.lut;
    c.orientation = s.orientation;
    c.digitalZoom = s.digitalZoom;
    c.agcPreset = s.agcPreset;
    c.suppOffset = s.suppOffset == 1;
    const int values[] = {s.ffcInterval, s.ffcTemperatureChange, s.plateau, s.ittMean, s.maxGain,
                          s.roiLeft,     s.roiTop,               s.roiRight, s.roiBottom, s.dde};
    for (std::size_t i = 0; i < c.edits.size(); ++i)
        c.edits[i] = std::to_string(values[i]);
    return c;
}

class ThermalLine : public SimulatorLine {
protected:
    // The dialog as the main window opens it: registered for 't' replies.
    std::unique_ptr<ThermalControl> open()
    {
        auto dialog = std::make_unique<ThermalControl>(console->link(), console->prompter());
        console->link().router().setReceiver(ReceiverSlot::Thermal, dialog.get());
        dialog->start();
        return dialog;
    }
    void close() { console->link().router().setReceiver(ReceiverSlot::Thermal, nullptr); }
};

TEST_F(ThermalLine, StatusFillsTheDialogAndTheChosenLutIsReportedBack)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--module", "thermal", "--thermal-resolution", "320x256"}));
    auto dialog = open();
    ASSERT_TRUE(console->runUntil([&] { return dialog->settings().resolution == 0; }));
    const ThermalSettings& s = dialog->settings();
    EXPECT_EQ(s.ffcMode, 0) << "opening switched the camera to manual FFC";
    EXPECT_EQ(s.ffcInterval, 3600);
    EXPECT_EQ(s.ffcTemperatureChange, 10);
    EXPECT_EQ(s.plateau, 250);
    EXPECT_EQ(s.roiRight, 320);
    EXPECT_EQ(s.roiBottom, 256);
    EXPECT_EQ(s.dde, 17);
    EXPECT_EQ(s.lut, 0);
    EXPECT_EQ(dialog->roiRangeLabels()[0], "(0 to 319)");

    ThermalControls controls = shown(s);
    controls.lut = 10; // "Ice and Fire"
    dialog->lutChosen(controls);
    ASSERT_TRUE(console->runUntil([&] { return console->settled() && !received().empty()
                                               && received().back() == test::handBuiltFrame(1, "tC:"); }));
    close();
    dialog.reset();

    auto again = open();
    ASSERT_TRUE(console->runUntil([&] { return again->settings().lut == 10; }));
    close();
    EXPECT_EQ(console->responseTimeouts(), 0) << "every command was answered";
    EXPECT_TRUE(console->prompter().shown().empty());
}

} // namespace
} // namespace tarn::e2e
