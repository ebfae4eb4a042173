// Answering from a console's traffic capture. The capture is written here
// byte by byte from its documented layout, not by the console's writer.

#include "SimTestSupport.h"

#include "sim/CaptureReader.h"
#include "sim/Options.h"
#include "sim/ReplayBook.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn::sim::test {
namespace {

class CaptureFile {
public:
    CaptureFile()
    {
        bytes.assign({'T', 'A', 'R', 'N', 'C', 'A', 'P', '1'});
        bytes.resize(28, 0); // start, UTC offset, earlier entries
    }

    // direction 0 console -> camera, 1 camera -> console; kind, verdict as stored.
    void add(int ms, std::uint8_t direction, std::uint8_t kind, const Bytes& line, std::uint8_t verdict = 0,
             std::uint8_t flags = 0, std::string_view note = {})
    {
        const std::size_t length = 26 + line.size() + note.size();
        put(length, 2);
        put(static_cast<std::uint64_t>(ms) * 1000, 8);
        put(~std::uint64_t{0}, 8); // no round trip
        for (const std::uint8_t field : {direction, std::uint8_t{1}, kind, verdict, std::uint8_t{0}, flags})
            bytes.push_back(field);
        put(line.size(), 2);
        bytes.insert(bytes.end(), line.begin(), line.end());
        put(note.size(), 2);
        bytes.insert(bytes.end(), note.begin(), note.end());
    }

    Bytes bytes;

private:
    void put(std::uint64_t value, int width)
    {
        for (int i = 0; i < width; ++i, value >>= 8)
            bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
};

constexpr std::uint8_t Tx = 0, Rx = 1, Ev = 2;
constexpr std::uint8_t Tarn = 0, Link = 3, Ack = 6, TimeOut = 7, Refusal = 8, PortEvent = 9;
const Bytes AckByte = {0x06};

void replay(SimDriver& driver, const CaptureFile& file)
{
    const auto capture = readCapture(file.bytes);
    ASSERT_TRUE(capture && !capture->damaged);
    driver.simulator().replay(ReplayBook(*capture));
}

TEST(Replay, AnswersEachCommandAsTheSiteCameraDid)
{
    CaptureFile file;
    file.add(0, Ev, PortEvent, {}, 6, 0, "COM5 (/dev/ttyUSB0) open");
    file.add(10, Tx, Link, {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E});
    file.add(20, Tx, Tarn, tarnFrame(0xFF, "A?"));
    file.add(27, Rx, Tarn, tarnFrame(0x05, "A0005"));
    file.add(30, Tx, Tarn, tarnFrame(0x05, "L?"));
    file.add(42, Rx, Tarn, tarnFrame(0x05, "LBA0"));
    file.add(50, Tx, Tarn, tarnFrame(0x05, "L?"));
    file.add(51, Rx, Tarn, tarnFrame(0x05, "LFA0"));
    file.add(60, Tx, Refusal, {'Z', 'I'}, 4);
    file.add(70, Tx, Tarn, tarnFrame(0x05, "cdS\x10"));
    file.add(170, Rx, TimeOut, {}, 5);
    file.add(180, Tx, Tarn, tarnFrame(0x05, "ZI"), 3); // not sent: no command
    file.add(190, Tx, Tarn, tarnFrame(0x05, "ZS"));
    file.add(191, Rx, Ack, AckByte);
    SimDriver camera;
    replay(camera, file);

    EXPECT_EQ(camera.ask("A?", 0xFF), tarnFrame(0x05, "A0005"));
    // Asked again: the next recorded answer, then the last one for good.
    EXPECT_EQ(camera.ask("L?", 0x05), tarnFrame(0x05, "LBA0"));
    EXPECT_EQ(camera.ask("L?", 0x05), tarnFrame(0x05, "LFA0"));
    EXPECT_EQ(camera.ask("L?", 0x05), tarnFrame(0x05, "LFA0"));
    EXPECT_EQ(camera.ask("ZS", 0x05), AckByte);
    // Unanswered then, unanswered now; never asked then, no answer either.
    EXPECT_EQ(camera.ask("cdS\x10", 0x05), Bytes{});
    EXPECT_EQ(camera.ask("ZI", 0x05), Bytes{});
    EXPECT_EQ(camera.ask("L?", 0x06), Bytes{}) << "another camera's address";
    EXPECT_EQ(camera.ask(Bytes{0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E}), Bytes{});
}

TEST(Replay, AnswersComeAsLateAsTheyCame)
{
    CaptureFile file;
    file.add(1000, Tx, Tarn, tarnFrame(0x05, "L?"));
    file.add(1150, Rx, Tarn, tarnFrame(0x05, "LBA0"));
    SimDriver camera;
    replay(camera, file);
    camera.simulator().receive(tarnFrame(0x05, "L?"), camera.now());
    const auto due = camera.simulator().nextDue();
    ASSERT_TRUE(due);
    EXPECT_EQ(*due - camera.now(), 150ms);
}

TEST(Replay, ACaptureCutShortKeepsItsWholeRecords)
{
    CaptureFile file;
    file.add(0, Tx, Tarn, tarnFrame(0x05, "L?"));
    file.add(5, Rx, Tarn, tarnFrame(0x05, "LBA0"));
    for (std::size_t cut = 1; cut < 10; ++cut) {
        const Bytes shorter(file.bytes.begin(), file.bytes.end() - static_cast<std::ptrdiff_t>(cut));
        const auto capture = readCapture(shorter);
        ASSERT_TRUE(capture);
        EXPECT_TRUE(capture->damaged);
        EXPECT_EQ(capture->entries.size(), 1u);
    }
    EXPECT_FALSE(readCapture(Bytes(file.bytes.begin(), file.bytes.begin() + 20)));
    EXPECT_FALSE(readCapture(tarnFrame(0x05, "TARNCAP1 and more bytes than a header")));
}

TEST(Replay, OptionGoesWithoutFaultsAndMemory)
{
    std::string error;
    const auto options = parseOptions({"--pty", "--replay", "site.tcap"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->replayPath, "site.tcap");
    EXPECT_FALSE(parseOptions({"--pty", "--replay", "site.tcap", "--fault", "silent"}, error));
    EXPECT_FALSE(parseOptions({"--pty", "--replay", "site.tcap", "--memory", "dome.txt"}, error));
}

} // namespace
} // namespace tarn::sim::test
