#include "config/AzimuthPart.h"

#include "config/SnapshotFields.h"
#include "link/DialogDoor.h"

#include <array>

namespace tarn {
namespace {

constexpr std::string_view AutoResponse = "Auto Response";
constexpr std::string_view DelayTime = "Delay Time";
constexpr std::string_view ControlSetup = "Control Setup";
constexpr std::array<std::string_view, 2> AutoResponses = {"Enable", "Disable"};

} // namespace

void AzimuthPart::startReading(SnapshotContext& context)
{
    m_setup = std::make_unique<AzimuthSetup>(context.door.link(), context.door.prompter());
    m_setup->press(AzimuthButton::GetControlSetup);
}

void AzimuthPart::finishReading(ConfigSection& section)
{
    if (!m_setup)
        return;
    if (m_setup->autoResponse() != AzimuthSetup::NoAutoResponse) {
        section.set(AutoResponse, std::string(AutoResponses[static_cast<std::size_t>(m_setup->autoResponse())]));
        section.set(DelayTime, std::to_string(m_setup->delay()));
    }
    section.set(ControlSetup, m_setup->controlSetupText());
    m_setup.reset();
}

std::optional<std::string> AzimuthPart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    if (fields.has(AutoResponse)) {
        fields.choice(AutoResponse, AutoResponses);
        fields.number(DelayTime, AzimuthSetup::LowestDelay, AzimuthSetup::HighestDelay);
    }
    return fields.problem();
}

void AzimuthPart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    m_setup = std::make_unique<AzimuthSetup>(context.door.link(), context.door.prompter());
    SnapshotFields fields(section);
    if (!fields.has(AutoResponse))
        return;
    const auto response = fields.choice(AutoResponse, AutoResponses);
    const auto delay = fields.number(DelayTime, AzimuthSetup::LowestDelay, AzimuthSetup::HighestDelay);
    if (!response || !delay)
        return;
    m_setup->setDelayTime(std::to_string(*delay));
    m_setup->press(*response == 0 ? AzimuthButton::AutoResponseEnable : AzimuthButton::AutoResponseDisable);
}

} // namespace tarn
