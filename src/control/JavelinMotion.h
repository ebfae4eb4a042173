#pragma once

#include <cstdint>

// The Javelin pass-through frames' operations and arguments that the main
// panel sends for motion and lens functions.
namespace tarn::Javelin {

// Javelin motion: ARG bits 0..5 the axis, bit 6 the direction, bit 7 moving.
constexpr std::uint8_t Reset = 2;
constexpr std::uint8_t Status = 3;
constexpr std::uint8_t Motion = 4;
constexpr std::uint8_t Function = 6;
constexpr std::uint8_t PanLeft = 0xC0, PanLeftStop = 0x40, PanRight = 0x80, PanRightStop = 0x00;
constexpr std::uint8_t TiltUp = 0xC1, TiltUpStop = 0x41, TiltDown = 0x81, TiltDownStop = 0x01;
constexpr std::uint8_t ZoomIn = 0xC2, ZoomInStop = 0x42, ZoomOut = 0x82, ZoomOutStop = 0x02;
constexpr std::uint8_t FocusNear = 0xC3, FocusNearStop = 0x43, FocusFar = 0x83, FocusFarStop = 0x03;
constexpr std::uint8_t IrisOpen = 0x84, IrisOpenStop = 0x04, IrisClose = 0xC4, IrisCloseStop = 0x44;
constexpr std::uint8_t ManualIris = 0x08, ManualFocus = 0x10;

} // namespace tarn::Javelin
