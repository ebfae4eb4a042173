#include "config/WashPart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/CameraLink.h"
#include "link/DialogDoor.h"

namespace tarn {
namespace {

constexpr std::string_view WashTime = "Wash Time";
constexpr std::string_view WipeTime = "Wipe Time";
constexpr std::string_view Frequency = "Auto Mode Freq.";
constexpr std::string_view ManualWash = "Manual Wash";

} // namespace

bool WashPart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::hasWasher(context.receiverType);
}

void WashPart::startReading(SnapshotContext& context)
{
    m_setup = std::make_unique<WashSetup>(context.door.link(), context.door.prompter());
}

bool WashPart::busy() const
{
    return m_setup && m_setup->settingsQueryDue();
}

void WashPart::finishReading(ConfigSection& section)
{
    if (!m_setup)
        return;
    const WashSettings& settings = m_setup->settings();
    section.set(WashTime, std::to_string(settings.washTime));
    section.set(WipeTime, std::to_string(settings.wipeTime));
    section.set(Frequency, std::to_string(settings.frequency));
    section.set(ManualWash, SnapshotFields::flagText(settings.manualWash != 0));
    m_setup.reset();
}

std::optional<std::string> WashPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    fields.number(WashTime, 0, WashSetup::HighestWashTime);
    // The camera may report up to 168 minutes; the dialog sets at most 10.
    fields.number(Frequency, WashSetup::LowestFrequency, WashSetup::HighestFrequency);
    fields.flag(ManualWash);
    return fields.problem();
}

void WashPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    m_setup = std::make_unique<WashSetup>(context.door.link(), context.door.prompter());
    SnapshotFields fields(section);
    const auto wash = fields.number(WashTime, 0, WashSetup::HighestWashTime);
    const auto frequency = fields.number(Frequency, WashSetup::LowestFrequency, WashSetup::HighestFrequency);
    const auto manual = fields.flag(ManualWash);
    if (!wash || !frequency || !manual)
        return;
    m_setup->setWashTime(*wash);
    m_setup->setFrequency(*frequency);
    m_setup->setManualWash(*manual);
    m_setup->set();
}

} // namespace tarn
