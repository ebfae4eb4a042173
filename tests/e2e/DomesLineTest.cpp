// Several domes on one pty: each answers at its address and at its own rate
// only, as the line's settings say.

#include "CamSimProcess.h"
#include "RawSerialLine.h"
#include "SimTrafficLog.h"
#include "TempDirectory.h"

#include "support/HandBuiltFrames.h"

#include <gtest/gtest.h>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

struct SimulatedDome {
    std::uint8_t address;
    int baud;
};

// Long enough for an answer from a process on the same machine, even a busy one.
constexpr auto Quiet = 300ms;

TEST(DomesLine, EachAddressAnswersAtItsRateOnly)
{
    TempDirectory directory;
    const std::string logPath = directory.file("camsim.log");
    CamSimProcess simulator({"--pty", "--log", logPath, "--dome", "5:AlderHD:daynight", "--dome",
                             "7:BirchSD:standard", "--dome", "12:Cedar", "--dome", "20:AlderHD:thermal:19200"});
    ASSERT_TRUE(simulator.started()) << "tarn-camsim did not announce its pty";
    ASSERT_TRUE(simulator.firstLine().starts_with("pty: /dev/")) << simulator.firstLine();

    const SimulatedDome domes[] = {{5, 9600}, {7, 9600}, {12, 9600}, {20, 19200}};
    int questions = 0;
    for (const int rate : {9600, 19200}) {
        RawSerialLine line(simulator.where(), rate);
        ASSERT_TRUE(line.isOpen()) << simulator.where();
        for (const SimulatedDome& dome : domes) {
            const std::string digits = (dome.address < 10 ? "A000" : "A00") + std::to_string(dome.address);
            const Bytes expected = dome.baud == rate ? tarn::test::handBuiltFrame(dome.address, digits) : Bytes{};
            EXPECT_EQ(line.ask(tarn::test::handBuiltFrame(dome.address, "A?"), Quiet), expected)
                << "dome " << int(dome.address) << " asked at " << rate << " baud";
            ++questions;
        }
        EXPECT_TRUE(line.ask(tarn::test::handBuiltFrame(9, "A?"), Quiet).empty()) << "no dome 9";
        ++questions;
    }

    // The simulator says why the others kept quiet.
    const SimTrafficLog log(logPath);
    ASSERT_TRUE(log.waitFor([&](const auto& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.direction == "rx"; })
               == questions;
    }));
    std::vector<std::string> notes;
    for (const SimTrafficLog::Line& line : log.lines("rx"))
        notes.push_back(line.note);
    EXPECT_EQ(notes, (std::vector<std::string>{"", "", "", "for a dome at 19200 baud", "for another camera",
                                               "for a dome at 9600 baud", "for a dome at 9600 baud",
                                               "for a dome at 9600 baud", "", "for another camera"}));
    EXPECT_EQ(simulator.stop(), 0);
}

} // namespace
} // namespace tarn::e2e
