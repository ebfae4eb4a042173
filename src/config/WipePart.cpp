#include "config/WipePart.h"

#include "config/SnapshotFields.h"
#include "core/CameraTypes.h"
#include "link/CameraLink.h"
#include "link/DialogDoor.h"

#include <array>

namespace tarn {
namespace {

constexpr std::string_view RunTime = "Run Time";
constexpr std::string_view DelayTime = "Delay Time";
constexpr std::string_view Module = "Module";
constexpr std::array<std::string_view, 2> Modules = {"Old Module", "New Module"};

} // namespace

bool WipePart::appliesTo(const SnapshotContext& context) const
{
    return CameraType::isMakers(context.receiverType);
}

void WipePart::startReading(SnapshotContext& context)
{
    m_setup = std::make_unique<WipeSetup>(context.door.link(), context.door.prompter());
}

bool WipePart::busy() const
{
    // The settings are asked for a moment after the dialog opens.
    return m_setup && m_setup->settingsQueryDue();
}

void WipePart::finishReading(ConfigSection& section)
{
    if (!m_setup)
        return;
    const WipeSettings& settings = m_setup->settings();
    section.set(RunTime, std::to_string(settings.runTime));
    section.set(DelayTime, std::to_string(settings.delayTime));
    if (settings.module == 0 || settings.module == 1)
        section.set(Module, std::string(Modules[static_cast<std::size_t>(settings.module)]));
    m_setup.reset();
}

std::optional<std::string> WipePart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    fields.number(RunTime, 0, WipeSetup::HighestRunTime);
    fields.number(DelayTime, 0, WipeSetup::HighestDelayTime);
    if (fields.has(Module))
        fields.choice(Module, Modules);
    return fields.problem();
}

void WipePart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    m_setup = std::make_unique<WipeSetup>(context.door.link(), context.door.prompter());
    SnapshotFields fields(section);
    const auto run = fields.number(RunTime, 0, WipeSetup::HighestRunTime);
    const auto delay = fields.number(DelayTime, 0, WipeSetup::HighestDelayTime);
    if (run && delay) {
        m_setup->setRunTime(*run);
        m_setup->setDelayTime(*delay);
        m_setup->set();
    }
    if (fields.has(Module)) {
        if (const auto module = fields.choice(Module, Modules))
            m_setup->chooseModule(*module);
    }
}

} // namespace tarn
