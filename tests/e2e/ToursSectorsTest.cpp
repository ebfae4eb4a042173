// The Tours and Sectors dialog's logic against tarn-camsim: what it programs
// comes back, in the forms it reads, in a dialog opened afresh.

#include "SimulatorLine.h"

#include "programming/ToursSectorsSetup.h"

namespace tarn::e2e {
namespace {

using Dialog = ToursSectorsSetup;

class ToursSectorsLine : public SimulatorLine {
protected:
    // Nothing left to send and no read-back step waiting.
    bool idle(const Dialog& setup)
    {
        for (int id = Dialog::SectorStatusTimer; id <= Dialog::TourDwellsTimer; ++id) {
            if (console->timers().isRunning(setup, id))
                return false;
        }
        return console->settled();
    }
    void waitUntilIdle(Dialog& setup)
    {
        ASSERT_TRUE(console->runUntil([&] { return idle(setup); }, std::chrono::seconds(10)));
    }
};

TEST_F(ToursSectorsLine, ProgrammedTourAndSectorTextComeBackInAFreshDialog)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    const std::string idText = "Loading bay \"B\"";
    {
        Dialog setup(console->link(), console->prompter(), directory.file("first/Dome.dat"));
        ASSERT_NO_FATAL_FAILURE(waitUntilIdle(setup));
        setup.tourSelected(2);
        ASSERT_NO_FATAL_FAILURE(waitUntilIdle(setup));
        const std::pair<int, int> steps[] = {{1, 5}, {12, 60}, {64, 30}};
        for (int row = 1; const auto& [preset, dwell] : steps) {
            ASSERT_TRUE(setup.cellEdited({row, TourGrid::PresetColumn}, std::to_string(preset)));
            ASSERT_TRUE(setup.cellEdited({row, TourGrid::DwellColumn}, std::to_string(dwell)));
            ++row;
        }
        ASSERT_EQ(setup.applyTourSetup(), std::nullopt);
        setup.sectorNumberChanged(10);
        setup.idTextEdited(idText);
        setup.sendId();
        ASSERT_NO_FATAL_FAILURE(waitUntilIdle(setup));
    }

    Dialog fresh(console->link(), console->prompter(), directory.file("second/Dome.dat"));
    ASSERT_NO_FATAL_FAILURE(waitUntilIdle(fresh));
    fresh.tourSelected(2);
    ASSERT_NO_FATAL_FAILURE(waitUntilIdle(fresh));
    const TourGrid& grid = fresh.grid();
    const std::vector<std::string> expected = {"1", "5", "12", "60", "64", "30", "", ""};
    std::vector<std::string> shown;
    for (int row = 1; row <= 4; ++row) {
        shown.push_back(grid.text(row, TourGrid::PresetColumn));
        shown.push_back(grid.text(row, TourGrid::DwellColumn));
    }
    EXPECT_EQ(shown, expected);
    fresh.sectorNumberChanged(10);
    ASSERT_NO_FATAL_FAILURE(waitUntilIdle(fresh));
    EXPECT_EQ(fresh.idText(), idText + std::string(24 - idText.size(), ' '));
    EXPECT_TRUE(console->prompter().shown().empty());
    EXPECT_EQ(console->responseTimeouts(), 0) << "every command was answered";
}

} // namespace
} // namespace tarn::e2e
