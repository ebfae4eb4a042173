#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarn {

class ProfileStore;
class Prompter;
struct Settings;

// The console's own preset tour as it stands now: which of presets 1..10 take
// part. Owned by the main window beside the saved copy in Settings; the Tour
// Setup dialog changes it at every click, before and regardless of OK.
struct TourRunFlags {
    std::array<bool, 10> presets{};
};

// The Tour Setup dialog without widgets: the ten "Preset n" flags and the
// dwell time, filled from the saved values on opening. OK stores only what
// changed; Cancel stores nothing.
class TourSetup {
public:
    static constexpr int PresetCount = 10;
    static constexpr int MinDwellTime = 5;
    static constexpr int MaxDwellTime = 60;

    TourSetup(Settings& saved, TourRunFlags& running, ProfileStore& profile, Prompter& prompter);

    // `preset` is 0-based (0 is "Preset 1").
    bool inTour(int preset) const;
    // A click on a check box: toggles the flag and passes the new value on to
    // the running tour at once. Returns the new value.
    bool toggle(int preset);
    int dwellTime() const { return m_dwellTime; }

    // OK with the text of the "Dwell Time" field. false (after telling the
    // user why) keeps the dialog open.
    bool accept(std::string_view dwellText);

    // Key names in the "TourSetup" section: "Tour1" for preset 0.
    static std::string tourKey(int preset);

private:
    Settings& m_saved;
    TourRunFlags& m_running;
    ProfileStore& m_profile;
    Prompter& m_prompter;
    std::array<bool, PresetCount> m_inTour{};
    int m_dwellTime;
};

} // namespace tarn
