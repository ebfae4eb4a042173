#include "programming/TourSetup.h"

#include "app/Messages.h"
#include "app/Settings.h"
#include "platform/ProfileStore.h"
#include "platform/Prompter.h"

#include <charconv>

namespace tarn {

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

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
    const std::string_view text = trimmed(dwellText);
    // A leading '+' is a number too, as the framework's field reading has it.
    const std::string_view digits = !text.empty() && text.front() == '+' ? text.substr(1) : text;
    int dwell = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), dwell);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        m_prompter.showMessage(Messages::EnterAnInteger, {}, MessageIcon::Warning);
        return false;
    }
    if (dwell < MinDwellTime || dwell > MaxDwellTime) {
        m_prompter.showMessage(Messages::EnterAnIntegerBetween5And60, {}, MessageIcon::Warning);
        return false;
    }
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
