#include "config/SetupPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/DialogDoor.h"

#include <array>

namespace tarn {
namespace {

constexpr std::string_view Firmware = "Firmware Version";
constexpr std::string_view SerialNumber = "Camera Serial Number";
constexpr std::string_view PanTilt = "Pan/Tilt";
constexpr std::string_view Direction = "Vorel2 P/T Direction";
constexpr std::string_view JavelinContinuous = "Javelin Continuos Motor";
constexpr std::string_view JavelinAddress = "Javelin Contains Address";
constexpr std::array<std::string_view, 3> PanTiltTypes = {"Fixed P/T", "Var Speed P/T", "Var. Prop. Speed P/T"};

constexpr std::array<int, 5> ReadBackTimers = {CameraSetup::AfterPanTiltType, CameraSetup::AfterSerialNumber,
                                               CameraSetup::AfterFirmware, CameraSetup::AfterDirection,
                                               CameraSetup::AfterJavelinContinuous};

} // namespace

void SetupPart::open(SnapshotContext& context)
{
    SetupValues values;
    values.cameraType = context.receiverType;
    values.moduleType = context.moduleType;
    values.ptType = context.panTiltType;
    m_timers = &context.door.timers();
    m_javelin = CameraType::hasJavelinOptions(context.receiverType);
    m_steps.clear();
    m_setup = std::make_unique<CameraSetup>(context.door.link(), context.door.prompter(), values,
                                            std::vector<SerialPortEntry>{});
    // Opening asks "RS"; each answer asks the next question.
    m_setup->open();
}

void SetupPart::startReading(SnapshotContext& context)
{
    open(context);
}

bool SetupPart::busy() const
{
    if (!m_setup)
        return false;
    for (const int timer : ReadBackTimers) {
        if (m_timers->isRunning(*m_setup, timer))
            return true;
    }
    return false;
}

void SetupPart::finishReading(ConfigSection& section)
{
    if (!m_setup)
        return;
    const SetupValues& values = m_setup->values();
    section.set(Firmware, m_setup->firmware());
    section.set(SerialNumber, values.serialNumber);
    if (values.ptType >= 0 && values.ptType < static_cast<int>(PanTiltTypes.size()))
        section.set(PanTilt, std::string(PanTiltTypes[static_cast<std::size_t>(values.ptType)]));
    if (values.ptDirection >= 0 && values.ptDirection < static_cast<int>(SetupLists::Directions.size()))
        section.set(Direction, std::string(SetupLists::Directions[static_cast<std::size_t>(values.ptDirection)]));
    if (m_javelin) {
        section.set(JavelinContinuous, SnapshotFields::flagText(values.cameraJavelinContinuous));
        section.set(JavelinAddress, SnapshotFields::flagText(values.cameraJavelinAddress));
    }
    m_setup.reset();
}

std::vector<std::string> SetupPart::reportedOnly() const
{
    return {std::string(Firmware), std::string(SerialNumber)};
}

std::optional<std::string> SetupPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    if (fields.has(PanTilt))
        fields.choice(PanTilt, PanTiltTypes);
    if (fields.has(Direction))
        fields.choice(Direction, SetupLists::Directions);
    if (fields.has(JavelinContinuous))
        fields.flag(JavelinContinuous);
    if (fields.has(JavelinAddress))
        fields.flag(JavelinAddress);
    return fields.problem();
}

void SetupPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    // The read-back runs first, so the Javelin switches are known before
    // they are turned.
    open(context);
    SnapshotFields fields(section);
    if (fields.has(PanTilt)) {
        if (const auto type = fields.choice(PanTilt, PanTiltTypes))
            m_steps.add([this, type = *type] { m_setup->choosePanTiltType(type); });
    }
    if (fields.has(Direction)) {
        if (const auto direction = fields.choice(Direction, SetupLists::Directions))
            m_steps.add([this, direction = *direction] { m_setup->chooseDirection(direction); });
    }
    if (!m_javelin)
        return;
    if (fields.has(JavelinContinuous)) {
        if (const auto on = fields.flag(JavelinContinuous)) {
            m_steps.add([this, on = *on] {
                if (m_setup->values().cameraJavelinContinuous != on)
                    m_setup->toggleCameraJavelinContinuous();
            });
        }
    }
    if (fields.has(JavelinAddress)) {
        if (const auto on = fields.flag(JavelinAddress)) {
            m_steps.add([this, on = *on] {
                if (m_setup->values().cameraJavelinAddress != on)
                    m_setup->toggleCameraJavelinAddress();
            });
        }
    }
}

void SetupPart::finishWriting()
{
    m_steps.clear();
    m_setup.reset();
}

} // namespace tarn
