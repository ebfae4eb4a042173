#include "programming/TourSetup.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "platform/FieldInteger.h"
#include "core/ProfileStore.h"
#include "platform/Prompter.h"

namespace tarn {

TourSetup::TourSetup(Settings& saved, TourRunFlags& running, ProfileStore& profile,
                     Prompter& prompter)
    : m_saved(saved)
    , m_running(running)
    , m_profile(profile)
    , m_prompter(prompter)
    , m_dwellTime(saved.dwellTime)
{
    for (int i = 0; i < PresetCount; ++i)
        m_inTour[static_cast<std::size_t>(i)] = saved.tour[static_cast<std::size_t>(i)] != 0;
}

bool TourSetup::inTour(int preset) const
{
    return preset >= 0 && preset < PresetCount && m_inTour[static_cast<std::size_t>(preset)];
}

bool TourSetup::toggle(int preset)
{
    if (preset < 0 || preset >= PresetCount)
        return false;
    const auto i = static_cast<std::size_t>(preset);
    m_inTour[i] = !m_inTour[i];
    m_running.presets[i] = m_inTour[i];
    return m_inTour[i];
}

std::string TourSetup::tourKey(int preset)
{
    return "Tour" + std::to_string(preset + 1);
}

bool TourSetup::accept(std::string_view dwellText)
{
    const std::optional<int> read =
        askNumberEdit(m_prompter, dwellText, MinDwellTime, MaxDwellTime, Messages::EnterAnIntegerBetween5And60);
    if (!read)
        return false;
    const int dwell = *read;
    m_dwellTime = dwell;

    for (int i = 0; i < PresetCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const int value = m_inTour[index] ? 1 : 0;
        if ((m_saved.tour[index] != 0) == m_inTour[index])
            continue;
        m_saved.tour[index] = value;
        m_profile.writeInt(SettingsSection::TourSetup, tourKey(i), value);
    }
    if (m_dwellTime != m_saved.dwellTime) {
        m_saved.dwellTime = m_dwellTime;
        m_profile.writeInt(SettingsSection::TourSetup, SettingsKey::DwellTime, m_dwellTime);
    }
    return true;
}

} // namespace tarn
