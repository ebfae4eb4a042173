// Cutting the console's byte stream into frames, also when it arrives in
// pieces or with noise in between.

#include "SimTestSupport.h"

#include "sim/FrameParser.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

using Kind = ReceivedFrame::Kind;

Bytes joined(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the parser found, one word per frame: the text of a Tarn frame, "J"
// for Javelin, "K" + letter for a link frame, and "!" for a spoilt one.
std::vector<std::string> found(const std::vector<ReceivedFrame>& frames)
{
    std::vector<std::string> words;
    for (const ReceivedFrame& frame : frames) {
        std::string word = frame.kind == Kind::Tarn          ? frame.text
                           : frame.kind == Kind::PassThrough ? std::string("J")
                                                             : std::string("K") + char(frame.linkLetter);
        words.push_back(frame.intact ? word : "!" + word);
    }
    return words;
}

struct Stream {
    const char* name;
    Bytes bytes;
    std::vector<std::string> frames;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const Stream& value, std::ostream* out)
{
    *out << value.name;
}

const Bytes Probe = {0xF8, 0x01, 0x41, 0x3F, 0x8F};
const Bytes Status = {0xF8, 0x01, 0x4C, 0x3F, 0x82};
const Bytes Javelin = {0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB};
const Bytes LinkA = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};

const Stream Streams[] = {
    {"BackToBack", joined({Probe, Status, Javelin, LinkA}), {"A?", "L?", "J", "KA"}},
    {"NoiseBetweenFrames", joined({{0x20, 0x03, 0x91}, Probe, {0x00, 0x41, 0x8F}, Status}),
     {"A?", "L?"}},
    {"CutShortByANewFrame", joined({{0xF8, 0x01, 0x41}, Probe}), {"A?"}},
    {"CutShortByAHighByte", joined({{0xF8, 0x01, 0x41, 0x3F, 0x95}, Status}), {"L?"}},
    {"SpoiltChecksumStillAFrame", {0xF8, 0x01, 0x41, 0x3F, 0x80}, {"!A?"}},
    {"AckInsideTextIsText", {0xF8, 0x01, 0x63, 0x06, 0x6F, 0x80 | ((0x01 ^ 0x63 ^ 0x06 ^ 0x6F) & 0x0F)},
     {"c\x06o"}},
    {"ExtendedAddressNeedsDigits", joined({{0xF8, 0xFE, 0x31, 0x41, 0x3F, 0x81}, Probe}), {"A?"}},
    {"JavelinLengthOutOfRange", joined({{0xFF, 0x02, 0x07}, Javelin}), {"J"}},
    {"JavelinBadSum", {0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEA}, {"!J"}},
    {"LinkFrameWithoutItsEnd", joined({{0x7E, 0x01, 0x00, 0x00, 0x41, 0x7F}, LinkA}), {"KA"}},
    {"OverlongFrameDropped", joined({Bytes(1, 0xF8), Bytes(150, 0x41), {0x8F}, Probe}), {"A?"}},
};

class FrameStreams : public ::testing::TestWithParam<Stream> {};

TEST_P(FrameStreams, WholeStream)
{
    FrameParser parser(4, false);
    EXPECT_EQ(found(parser.feed(GetParam().bytes)), GetParam().frames);
}

TEST_P(FrameStreams, OneByteAtATime)
{
    FrameParser parser(4, false);
    std::vector<ReceivedFrame> frames;
    for (const std::uint8_t byte : GetParam().bytes) {
        for (ReceivedFrame& frame : parser.feed(std::span(&byte, 1)))
            frames.push_back(std::move(frame));
    }
    EXPECT_EQ(found(frames), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Parser, FrameStreams, ::testing::ValuesIn(Streams),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameParser, AddressesOfEveryForm)
{
    FrameParser parser(4, false);
    const auto frames = parser.feed(joined({
        {0xF8, 0xDF, 0x41, 0x3F, 0x80 | ((0xDF ^ 0x41 ^ 0x3F) & 0x0F)},
        {0xF8, 0xFE, 0x30, 0x32, 0x32, 0x34, 0x41, 0x3F,
         0x80 | ((0xFE ^ 0x30 ^ 0x32 ^ 0x32 ^ 0x34 ^ 0x41 ^ 0x3F) & 0x0F)},
        {0xF8, 0xFF, 0x41, 0x3F, 0x81},
        Javelin,
    }));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].address, 223);
    EXPECT_EQ(frames[1].address, 224);
    EXPECT_TRUE(frames[2].broadcast);
    EXPECT_EQ(frames[3].address, 5);
    for (const ReceivedFrame& frame : frames)
        EXPECT_TRUE(frame.intact);
}

TEST(FrameParser, LengthHeaderKeptWithItsFrame)
{
    FrameParser parser(4, true);
    const auto frames =
        parser.feed(joined({{0x00, 0x00, 0x00, 0x05}, Probe, {0x00, 0x00, 0x00, 0x06}, Status}));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].raw, joined({{0x00, 0x00, 0x00, 0x05}, Probe}));
    EXPECT_EQ(frames[0].headerLength, 4u);
    EXPECT_TRUE(frames[0].intact);
    EXPECT_FALSE(frames[1].intact) << "the header announced 6 bytes, 5 came";
}

TEST(FrameParser, ResetDropsAHalfFrame)
{
    FrameParser parser(4, false);
    EXPECT_TRUE(parser.feed({{0xF8, 0x01, 0x41}}).empty());
    parser.reset();
    EXPECT_TRUE(parser.feed({{0x3F, 0x8F}}).empty());
    EXPECT_EQ(found(parser.feed(Probe)), std::vector<std::string>{"A?"});
}

} // namespace
} // namespace tarn::sim::test
