// The thermal picture of a configuration on a line with two simulated
// thermal domes: read from one, written into the other through Thermal
// Control's own logic, and read back from it.

#include "SimulatorLine.h"

#include "config/ConfigCompare.h"
#include "config/SnapshotPass.h"
#include "config/ThermalPart.h"
#include "core/CameraTypes.h"
#include "support/DoorOverLink.h"

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class PictureConfigLine : public SimulatorLine {
protected:
    // Runs a pass to its end; its one section.
    ConfigSection run(SnapshotPass& pass)
    {
        pass.start();
        EXPECT_TRUE(console->runUntil([&] { return !pass.running(); }, 30s));
        return pass.result().sections.empty() ? ConfigSection{} : pass.result().sections.front();
    }
    ConfigSection readFrom(int address)
    {
        console->state().address = address;
        SnapshotPass pass(context, thermal());
        return run(pass);
    }
    ConfigSection writeInto(int address, const ConfigSection& section)
    {
        console->state().address = address;
        ConfigSnapshot source;
        source.sections.push_back(section);
        SnapshotPass pass(context, thermal(), source, {section.name});
        return run(pass);
    }
    static std::vector<std::unique_ptr<SnapshotPart>> thermal()
    {
        std::vector<std::unique_ptr<SnapshotPart>> parts;
        parts.push_back(std::make_unique<ThermalPart>());
        return parts;
    }
    // "SECTION.FIELD: A -> B" for each field the two hold differently.
    static std::vector<std::string> between(const ConfigSection& first, const ConfigSection& second)
    {
        ConfigSnapshot a;
        a.sections.push_back(first);
        ConfigSnapshot b;
        b.sections.push_back(second);
        std::vector<std::string> lines;
        for (const ConfigDifference& difference : ConfigCompare::differences(a, b))
            lines.push_back(ConfigCompare::line(difference));
        return lines;
    }

    test::DoorOverLink door{console->link(), console->prompter(), console->timers()};
    SnapshotContext context{door, CameraType::AlderHd, ModuleType::Thermal, 1, {}, {}};
};

TEST_F(PictureConfigLine, aThermalPictureIsWrittenIntoAnotherDomeAndReadsBackTheSame)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty(withLog({"--dome", "5:AlderHD:thermal", "--dome", "9:AlderHD:thermal"})));
    console->state().cameraType = CameraType::AlderHd;
    console->state().moduleType = ModuleType::Thermal;

    const ConfigSection original = readFrom(5);
    ASSERT_EQ(original.state, SectionState::Read);
    ConfigSection wanted = original;
    const std::vector<ConfigField> changes = {{"Video", "Color"}, {"Polarity/LUT", "Ice and Fire"},
                                              {"Digital Zoom", "2X"}, {"Plateau value", "500"},
                                              {"DDE", "40"}, {"Max gain", "77"}};
    for (const ConfigField& change : changes) {
        ASSERT_NE(wanted.find(change.name), nullptr) << change.name;
        ASSERT_NE(*wanted.find(change.name), change.value) << change.name << " is the dome's own already";
        wanted.set(change.name, change.value);
    }

    const ConfigSection written = writeInto(9, wanted);
    EXPECT_EQ(written.state, SectionState::Read) << "every command acknowledged";
    const ConfigSection readBack = readFrom(9);
    EXPECT_EQ(readBack.state, SectionState::Read);
    EXPECT_EQ(between(wanted, readBack), std::vector<std::string>{});
    EXPECT_EQ(between(original, readFrom(5)), std::vector<std::string>{}) << "dome 5 is as it was";
    EXPECT_TRUE(console->prompter().shown().empty());
}

} // namespace
} // namespace tarn::e2e
