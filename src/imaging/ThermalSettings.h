#pragma once

namespace tarn {

// What the Thermal Control dialog holds for its controls, as the camera and
// the operator set it. -1 is "no selection" for a radio group or a list.
struct ThermalSettings {
    static constexpr int NoSelection = -1;

    int ffcMode = NoSelection;        // 0 "Manual", 1 "Auto", 2 "Ext"
    int ffcInterval = 7200;           // frames between flat-field corrections
    int ffcTemperatureChange = 5;     // 0.1 C steps that trigger one
    int operatingMode = NoSelection;  // 0 "Real Time", 1 "Frozen"
    int video = NoSelection;          // 0 "Mono", 1 "Color"
    int lut = NoSelection;            // "Polarity/LUT" list index, 0..11
    int orientation = NoSelection;    // "Image Orientation" list index, 0..3
    int digitalZoom = NoSelection;    // "Digital Zoom" list index, 0..3
    int plateau = 10;
    int ittMean = 0;
    int maxGain = 0;
    int agcPreset = NoSelection;      // "AGC Presets" list index, 0..2
    int roiLeft = 0;
    int roiRight = 320;
    int roiTop = 0;
    int roiBottom = 256;
    int suppOffset = 0;               // "Enabled": 1 on
    int dde = 22;                     // detail enhancement, 1..63
    // The sensor the camera reports: 0 is 320 x 256, 1 is 640 x 512;
    // NoSelection until a status reply said.
    int resolution = NoSelection;
};

} // namespace tarn
