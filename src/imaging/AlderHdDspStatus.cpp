// The replies the dialog takes: the camera's status reply, field by field,
// and the register replies (handed to the focus part).

#include "imaging/AlderHdDsp.h"

#include "core/CameraTypes.h"
#include "imaging/AlderHdDspWire.h"
#include "link/CameraLink.h"

namespace tarn {

using namespace AlderHdDspWire;

void AlderHdDsp::replyReceived(std::span<const std::uint8_t> frame)
{
    const DspReply reply = parseDspReply(frame, m_link.state().protocolIndex);
    switch (reply.kind) {
    case DspReply::Kind::Register: applyRegisterReply(reply); break;
    case DspReply::Kind::Status:
        for (const DspStatusField& field : reply.fields)
            applyStatusField(field);
        break;
    case DspReply::Kind::Nothing: return;
    }
    changed();
}

void AlderHdDsp::applyStatusField(const DspStatusField& field)
{
    const std::uint8_t first = field.value[0];
    // Each letter's list: a digit that names no entry is ignored.
    const auto take = [this, first](const DspListSetting& setting) {
        const auto digit = listDigit(first, setting.count);
        if (digit)
            m_controls.*setting.control = *digit;
        return digit.has_value();
    };
    switch (field.letter) {
    case 'E':
        if (first == '0') {
            m_enabling.digitalZoom = true;
            m_controls.eis = 0;
        } else if (first == '1') {
            m_controls.eis = 1;
            m_controls.digitalZoom = 0;
            m_enabling.digitalZoom = false;
        }
        break;
    case 'G':
        if (first >= ByteOffset && first - ByteOffset <= HighestAgc)
            m_controls.maxAgc = std::to_string(first - ByteOffset);
        break;
    case 'R':
        if (take(Lists::Ir))
            m_enabling.dayNightRadios = m_controls.irMode != 1;
        break;
    case 'V': {
        const std::string position(field.value.begin(), field.value.begin() + ZoomPositionLength);
        if (printable(position))
            m_controls.zoomPosition = position;
        break;
    }
    case 'W':
        if (take(Lists::WhiteBalance))
            m_enabling.trimButtons = m_controls.whiteBalance == 1;
        break;
    case 'a': {
        if (take(Lists::ApertureMode))
            m_enabling.apertureLevels = m_controls.apertureMode != 0;
        const int horizontal = field.value[1] - ByteOffset;
        const int vertical = field.value[2] - ByteOffset;
        const auto level = [](int value) { return value >= LowestAperture && value <= HighestAperture; };
        if (level(horizontal) && level(vertical)) {
            m_controls.apertureHorizontal = std::to_string(horizontal);
            m_controls.apertureVertical = std::to_string(vertical);
        }
        break;
    }
    case 'w':
        // The AlderHD has no indoor/outdoor choice, whatever it reports.
        if (cameraModel() == CameraType::AlderHd || !take(Lists::IndoorOutdoor))
            m_controls.indoorOutdoor = -1;
        break;
    case 'z':
        if (first >= 1 && first <= ZoomMagnificationCount)
            m_controls.zoomMagnification = first - 1;
        break;
    default:
        // The plain list settings; 'l' and unknown letters are skipped.
        for (const DspListSetting* setting : Lists::Reported) {
            if (setting->statusLetter == field.letter)
                take(*setting);
        }
        break;
    }
}

} // namespace tarn
