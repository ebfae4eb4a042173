#pragma once

#include "programming/TourSetup.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;

namespace Ui {
class TourSetupDialog;
}

namespace tarn {

// "Tour Setup": the console's own preset tour for receivers that are not one
// of the maker's cameras. The decisions are TourSetup's; this dialog shows
// them and forwards clicks. Enter and Escape move on like Tab, so only the
// buttons close it.
class TourSetupDialog final : public QDialog {
    Q_OBJECT
public:
    TourSetupDialog(Settings& saved, TourRunFlags& running, ProfileStore& profile,
                    Prompter& prompter, QWidget* parent = nullptr);
    ~TourSetupDialog() override;

    // OK: stays open (with the reason shown) when the dwell time is refused.
    void accept() override;

private:

    std::unique_ptr<Ui::TourSetupDialog> m_ui;
    TourSetup m_setup;
    std::array<QCheckBox*, TourSetup::PresetCount> m_checks{};
};

} // namespace tarn
