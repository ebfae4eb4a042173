// Sectors, privacy zones and tours: what the console programs comes back in
// the forms its Tours and Sectors dialog reads, and a started tour moves the
// dome.

#include "SimTestSupport.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace tarn::sim::test {
namespace {

std::string stepBytes(std::initializer_list<int> values, std::size_t count)
{
    std::string bytes;
    for (const int v : values)
        bytes.push_back(static_cast<char>(v + 16));
    bytes.resize(count, '\x10');
    return bytes;
}

struct ReadBack {
    const char* name;
    std::vector<std::string> commands;
    std::string query;
    std::string reply;
};

void PrintTo(const ReadBack& value, std::ostream* out)
{
    *out << value.name;
}

const ReadBack ReadBacks[] = {
    {"SectorEnabledAtStart", {}, "cdSs1", "dSS11"},
    {"Sector16Disabled", {"dSS@0"}, "cdSs@", "dSS@0"},
    {"SectorTextBlankAtStart", {}, "cdSS:", "dST:" + std::string(24, ' ')},
    {"SectorTextPadded", {"dST2Gate \"A\""}, "cdSS2", "dST2Gate \"A\"" + std::string(16, ' ')},
    {"SectorText25CutTo24", {"dST3" + std::string(25, 'y')}, "cdSS3", "dST3" + std::string(24, 'y')},
    {"ZoneDisabled", {"*PS80"}, "*Ps8", "*PS80"},
    {"TourPresets", {"*TP1" + stepBytes({1, 2, 64}, 33)}, "*Tp1", "*TP1" + stepBytes({1, 2, 64}, 32)},
    {"TourDwells", {"*TD2" + stepBytes({10, 60}, 33)}, "*Td2", "*TD2" + stepBytes({10, 60}, 32)},
    {"TourEmptyBytes", {"*TP3\x0F\x11\x10"}, "*Tp3", "*TP3" + stepBytes({0, 1}, 32)},
    {"TourCleared", {"*TP4" + stepBytes({5}, 33), "*TD4" + stepBytes({9}, 33), "*TC4"}, "*Td4",
     "*TD4" + stepBytes({}, 32)},
};

class SectorTourReadBack : public ::testing::TestWithParam<ReadBack> {};

TEST_P(SectorTourReadBack, AnswersInTheConsolesForm)
{
    EXPECT_EQ(SimDriver().readBack(GetParam().commands, GetParam().query), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Camera, SectorTourReadBack, ::testing::ValuesIn(ReadBacks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SectorTour, LimitsTakeThePanPositionAndDeleteClearsThem)
{
    SimDriver camera;
    SectorTourState& tables = camera.simulator().state().sectorTours;
    camera.ask("cp01000000");
    camera.ask("*SL:L");
    camera.ask("*PL2R");
    camera.ask("cp02500000");
    camera.ask("*SL:R");
    EXPECT_EQ(tables.sectors[9].left, 100);
    EXPECT_EQ(tables.sectors[9].right, 250);
    EXPECT_EQ(tables.zones[1].right, 100);
    camera.ask("*SC0");
    camera.ask("*PC2");
    EXPECT_EQ(tables.sectors[9].left, PanRange::NotSet);
    EXPECT_EQ(tables.zones[1].right, PanRange::NotSet);
}

TEST(SectorTour, StartedTourStepsThroughItsPresetsWithTheirDwellTimes)
{
    SimDriver camera;
    // Presets 1 and 3 at pan 10 and 30 degrees; preset 2 is never stored.
    camera.ask("cp01000000");
    camera.ask("P\x10");
    camera.ask("cp03000000");
    camera.ask("P\x12");
    camera.ask("*TP2" + stepBytes({1, 2, 3, 0, 1}, 33));
    camera.ask("*TD2" + stepBytes({5, 10, 20, 30, 0}, 33)); // the last step has no dwell
    camera.ask("*TS21");
    EXPECT_EQ(camera.askText("cPS"), "cP01000000") << "at once at the first step";
    // Preset 1 for 5 s, (unstored) preset 2 for 10 s, preset 3 for 20 s.
    const std::pair<std::chrono::milliseconds, const char*> timeline[] = {
        {4900ms, "cP01000000"}, {200ms, "cP01000000"}, {10000ms, "cP03000000"},
        {19800ms, "cP03000000"}, {300ms, "cP01000000"},
        {350000ms, "cP01000000"}, // ten rounds of 35 s later, preset 1 again
        {5000ms, "cP01000000"},   // unstored preset 2: the dome stays
    };
    for (const auto& [wait, position] : timeline) {
        camera.elapse(wait);
        EXPECT_EQ(camera.askText("cPS"), position);
    }
    camera.ask("PRTS");
    camera.elapse(60000ms);
    EXPECT_EQ(camera.simulator().state().runningTour, CameraState::NoTour);
    EXPECT_NE(camera.askText("cPS"), "cP01000000") << "moved by hand, the dome leaves its tour";
}

TEST(SectorTour, MemoryKeepsWhatWasProgrammedForTheNextStart)
{
    const tarn::test::TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    Simulator::Settings settings;
    settings.memoryPath = folder.file("memory");
    {
        SimDriver camera(settings);
        camera.ask("cp01230456");
        camera.ask("P\x13");
        camera.ask("dP\x13Gate");
        camera.ask("dST:North fence");
        camera.ask("*PS20");
        camera.ask("*TP8" + stepBytes({4, 64}, 33));
        camera.ask("*TD8" + stepBytes({5, 60}, 33));
    }
    SimDriver camera(settings);
    EXPECT_EQ(camera.askText("cdSS:"), "dST:North fence" + std::string(13, ' '));
    EXPECT_EQ(camera.askText("*Ps2"), "*PS20");
    EXPECT_EQ(camera.askText("*Td8"), "*TD8" + stepBytes({5, 60}, 32));
    EXPECT_EQ(camera.askText("cdS\x13"), "dS\x13Gate" + std::string(20, ' '));
    camera.ask("H\x13");
    EXPECT_EQ(camera.askText("cPS"), "cP01230456");
}

} // namespace
} // namespace tarn::sim::test
