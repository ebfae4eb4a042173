#include "programming/MaintenanceReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

constexpr std::size_t FrontTemperatureMax = 7;
constexpr std::size_t PressureLength = 8;
constexpr std::size_t LastReadLength = 26;
constexpr std::size_t CalibrationLength = 29;
constexpr std::size_t BarrelSerialLength = 7;
constexpr std::string_view Psi = "PSI";

void parseTemperature(const ReplyText& reply, MaintenanceReply& result)
{
    if (reply.at(2) == 'H') {
        result.high = "H" + reply.text(3, 3);
        if (reply.at(6) == 'L')
            result.low = "L" + reply.text(7, 3);
        return;
    }
    std::string front;
    std::size_t position = 2;
    while (front.size() < FrontTemperatureMax && reply.at(position) != 0 && reply.at(position) != 'B')
        front += reply.at(position++);
    const bool hasBack = reply.at(position) == 'B';
    if (!front.empty() || hasBack)
        result.front = front;
    if (hasBack)
        result.back = reply.text(position + 1, 4);
}

void parsePressure(const ReplyText& reply, MaintenanceReply& result)
{
    result.currentPressure = reply.text(2, PressureLength) + std::string(Psi);
    std::size_t calibrationMark = 17;
    if (reply.at(10) == 'l' && reply.at(11) == 'r') {
        result.lastReadPressure = reply.text(12, LastReadLength) + std::string(Psi);
        calibrationMark = 38;
    }
    if (reply.at(calibrationMark) == 'p' && reply.at(calibrationMark + 1) == 't')
        result.calibration = reply.text(calibrationMark + 2, CalibrationLength);
    const std::size_t serialMark = calibrationMark + 2 + CalibrationLength;
    if (reply.at(serialMark) == 'S')
        result.barrelSerial = reply.text(serialMark + 1, BarrelSerialLength);
}

} // namespace

MaintenanceReply MaintenanceReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const ReplyText reply(frame, protocolIndex);
    MaintenanceReply result;
    if (reply.at(0) != 'm')
        return result;
    switch (reply.at(1)) {
    case 'T':
        parseTemperature(reply, result);
        if (result.front || result.high)
            result.kind = Kind::Temperature;
        break;
    case 'P':
        parsePressure(reply, result);
        result.kind = Kind::Pressure;
        break;
    case 'f':
        if (const char state = reply.at(2); state != 0) {
            result.freeze = (state & 0x01) != 0;
            result.kind = Kind::Freeze;
        }
        break;
    case 't':
        result.heaterLevel = reply.text(2, 2);
        if (!result.heaterLevel.empty())
            result.kind = Kind::Heater;
        break;
    case 'V':
        result.homePan = reply.text(2, 4);
        result.homeTilt = reply.text(6, 4);
        if (!result.homePan.empty())
            result.kind = Kind::VirtualHome;
        break;
    default: break;
    }
    return result;
}

} // namespace tarn
