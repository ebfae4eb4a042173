// The lens and service settings the maintenance dialogs program, read back
// through the camera's 'm' replies.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

struct Scenario {
    const char* name;
    std::vector<std::string> commands; // each acknowledged
    std::string query;
    std::string reply;
};

void PrintTo(const Scenario& value, std::ostream* out)
{
    *out << value.name;
}

const std::string CalWords = "1A2B 3C4D 5E6F 7081 E5B0 49C4";
const std::string Date = "d06/01/24  02:05 PM";

const Scenario Scenarios[] = {
    {"LensStatusAtStart", {}, "m?", "m1l3v1p0c2"},
    {"LensStatusProgrammed", {"m2", "ml9", "mv0", "Lp4", "mc5"}, "m?", "m2l9v0p4c5"},
    {"PhaseByteAboveSixIgnored", {"Lp3", "Lp7"}, "m?", "m1l3v1p3c2"},
    {"LensCalibrationKeepsTheModel", {"mc"}, "m?", "m1l3v1p0c2"},
    {"Extender", {"mX1"}, "mXS", "mX1"},
    {"Infrared", {"mR3"}, "mRS", "mR3"},
    {"HeaterFromTheSetCommand", {"mt4060e01"}, "mtS", "mt40"},
    {"Freeze", {"mf1"}, "mfS", "mf1"},
    {"VirtualHomeAtThePosition", {"cp01230456", "mVs"}, "mVg", "mV01230456"},
    {"VirtualHomeCleared", {"cp01230456", "mVs", "mVc"}, "mVg", "mV00000000"},
    {"BarrelTemperature", {}, "mTS", "mT25.0B23.5"},
    {"FirstPressureReading", {}, "mPS" + Date, "mP  14.700       pt" + CalWords + "S0012345"},
    {"CalWordsCleared", {"mcc"}, "mPS", "mP  14.700       pt0000 0000 0000 0000 0000 0000S0012345"},
    {"ClearNvramResetsTheLens", {"m2", "mX1", "rrRRRR"}, "m?", "m1l3v1p0c2"},
};

class Maintenance : public ::testing::TestWithParam<Scenario> {};

TEST_P(Maintenance, ReplyAfterCommands)
{
    EXPECT_EQ(SimDriver().readBack(GetParam().commands, GetParam().query), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Camera, Maintenance, ::testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BarrelPressure, DriftsAndCarriesTheLastDatedReading)
{
    SimDriver camera;
    camera.askText("mPS" + Date);
    const std::string second = camera.askText("mPSd06/01/24  02:07 PM");
    EXPECT_EQ(second.substr(0, 38), "mP  14.697lr  14.70006/01/24  02:05 PM");
    EXPECT_EQ(second.size(), 77u); // the long form: 80 bytes with its frame, for the serial line
    EXPECT_EQ(camera.askText("mPS").substr(0, 10), "mP  14.694");
}

} // namespace
} // namespace tarn::sim::test
