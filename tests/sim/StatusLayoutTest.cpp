// The status replies the console reads at fixed positions: a field one place
// off would light the wrong lamp or store the wrong protocol.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

struct Field {
    std::size_t position;
    char letter;
    char value;
};

Simulator::Settings birchOnProtocol3()
{
    Simulator::Settings settings;
    settings.identity.address = 9;
    settings.identity.protocol = 3;
    settings.identity.model = Model::BirchHD;
    return settings;
}

TEST(StatusLayout, SetupStatusFieldsAtTheirFrameBytes)
{
    SimDriver camera(birchOnProtocol3());
    camera.ask("LL", 9);
    camera.ask("L1", 9);
    const Bytes frame = camera.ask("bS", 9);
    ASSERT_EQ(frame.size(), 41u);
    EXPECT_EQ(frame[0], 0xF8);
    EXPECT_EQ(frame[1], 9);
    EXPECT_EQ(frame[2], 'b');
    // Frame byte positions, as the console counts them.
    for (const Field field : {Field{3, 'L', 0x46}, Field{5, 'A', '1'}, Field{11, 'P', '3'},
                              Field{13, 'v', '1'}, Field{15, 'p', '0'}, Field{38, 'F', '0'}}) {
        EXPECT_EQ(frame[field.position], field.letter) << field.position;
        EXPECT_EQ(frame[field.position + 1], field.value) << field.position;
    }
    EXPECT_GE(frame.back(), 0x80);
    for (std::size_t i = 2; i + 1 < frame.size(); ++i)
        EXPECT_LT(frame[i], 0x80) << "only the checksum may have bit 7 set";
}

TEST(StatusLayout, DayNightStatusFieldsCountedFromTheLetterC)
{
    Simulator::Settings settings;
    settings.identity.protocol = 10;
    SimDriver camera(settings);
    camera.ask("L6");
    const std::string text = camera.askText("cDS");
    ASSERT_EQ(text.size(), 46u);
    EXPECT_EQ(text[0], 'c');
    EXPECT_NE(text[1], 'P') << "a 'cP' reply would be taken for a position";
    EXPECT_NE(text[1], 'V');
    for (const Field field : {Field{21, 'L', 0x4A}, Field{23, 'A', '0'}, Field{29, 'P', ':'},
                              Field{31, 'v', '1'}}) {
        EXPECT_EQ(text[field.position], field.letter) << field.position;
        EXPECT_EQ(text[field.position + 1], field.value) << field.position;
    }
    // Up to 33 every field is a letter and one value character; then the
    // wider fields the picture dialog's parser knows by their letters.
    for (std::size_t i = 1; i < 33; i += 2)
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(text[i]))) << i;
    EXPECT_EQ(text.substr(33), std::string("V0000a0\x20\x20p1z\x01"));
}

TEST(StatusLayout, StatusBytesNeverAskForTheLinkFrame)
{
    // '8' after 'L' in a status reply asks the console for the link frame;
    // no combination of the lamps may look like that.
    SimDriver camera;
    for (int bits = 0; bits < 16; ++bits) {
        CameraState& state = camera.simulator().state();
        state.manualIris = bits & 1;
        state.cameraPower = bits & 2;
        state.lensFast = bits & 4;
        state.autoFocusOnPtz = bits & 8;
        const std::string lens = camera.askText("L?");
        ASSERT_EQ(lens.size(), 4u);
        EXPECT_EQ(lens[1] & 0x0F, bits);
        EXPECT_NE(lens[1], '8');
        EXPECT_NE(lens[1], 'c') << "the console would read it as the 'Lc' form";
    }
}

TEST(StatusLayout, RepliesFromAnExtendedAddressCarryItsDigits)
{
    Simulator::Settings settings;
    settings.identity.address = 300;
    SimDriver camera(settings);
    const Bytes frame = camera.ask({0xF8, 0xFE, 0x30, 0x33, 0x30, 0x30, 0x4C, 0x3F,
                                    0x80 | ((0xFE ^ 0x30 ^ 0x33 ^ 0x30 ^ 0x30 ^ 0x4C ^ 0x3F) & 0x0F)});
    ASSERT_EQ(frame.size(), 11u);
    EXPECT_EQ(std::string(frame.begin() + 1, frame.begin() + 7), "\xFE" "0300L");
}

} // namespace
} // namespace tarn::sim::test
