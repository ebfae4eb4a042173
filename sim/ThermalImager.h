#pragma once

namespace tarn::sim {

// The thermal camera's sensor: 320 x 256 or 640 x 512 pixels.
enum class ThermalSensor { Small320x256, Large640x512 };

// The thermal imager behind a thermal dome's window, as its "tDS" status
// reports it. List indexes are the console's.
struct ThermalPicture {
    int ffcMode = 1;               // 0 manual, 1 auto, 2 external
    int ffcInterval = 3600;        // frames
    int ffcTemperatureChange = 10; // 0.1 C steps
    int operatingMode = 0;         // 0 real time, 1 frozen
    int video = 0;                 // 0 mono, 1 colour
    int lut = 0;                   // polarity/LUT 0..11
    int orientation = 0;           // 0..3
    int digitalZoom = 0;           // 0..3: 1x, 2x, 4x, 8x
    int plateau = 250;             // AGC: 10..1000
    int ittMean = 110;             // 0..255
    int maxGain = 15;              // 0..255
    int roiLeft = 0;               // the AGC region of interest, in pixels
    int roiTop = 0;
    int roiRight = 640;
    int roiBottom = 512;
    int suppOffset = 0;
    int dde = 17;                  // detail enhancement 1..63
};

// The imager's state: what it shows now, what "tsS" saved (and a reset
// starts from), how its focus moves and whether the console has handed it
// the line ("tPe").
class ThermalImager {
public:
    explicit ThermalImager(ThermalSensor sensor = ThermalSensor::Large640x512);

    int width() const { return sensor == ThermalSensor::Large640x512 ? 640 : 320; }
    int height() const { return sensor == ThermalSensor::Large640x512 ? 512 : 256; }
    ThermalPicture factoryPicture() const;

    ThermalSensor sensor;
    ThermalPicture picture;
    ThermalPicture saved;
    int focusMotion = 0; // -1 near, 0 still, 1 far
    int flatFieldCorrections = 0;
    bool guiPassThrough = false;
};

} // namespace tarn::sim
