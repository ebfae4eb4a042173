// Several domes on one line: addressing, broadcast collisions, line rates,
// state and memory of each dome, and the pace of a real line.

#include "SimTestSupport.h"

#include "sim/Collision.h"
#include "sim/Options.h"

#include "support/TemporaryFolder.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tarn::sim::test {
namespace {

DomeSettings dome(int address, Model model, int baud = 9600, std::string memoryPath = {})
{
    DomeSettings settings;
    settings.identity.address = address;
    settings.identity.model = model;
    settings.baud = baud;
    settings.memoryPath = std::move(memoryPath);
    return settings;
}

// Domes 5, 7 and 12 at 9600 baud and 20 at 19200, as a line on site.
Simulator::Settings siteLine(const std::string& memoryFolder = {})
{
    const auto memory = [&](int address) {
        return memoryFolder.empty() ? std::string{} : memoryFolder + "/dome-" + std::to_string(address) + ".memory";
    };
    Simulator::Settings settings;
    settings.domes = {dome(5, Model::AlderHD, 9600, memory(5)), dome(7, Model::BirchSD, 9600, memory(7)),
                      dome(12, Model::Cedar, 9600, memory(12)), dome(20, Model::AlderHD, 19200, memory(20))};
    return settings;
}

// The log's notes, one per line, of everything the simulator logged.
class LogCapture {
public:
    LogCapture() : m_stream(::open_memstream(&m_buffer, &m_size)) {}
    ~LogCapture()
    {
        std::fclose(m_stream);
        std::free(m_buffer);
    }
    TrafficLog log() const
    {
        TrafficLog log;
        log.attach(m_stream, TimePoint{});
        return log;
    }
    std::vector<std::string> notes()
    {
        std::fflush(m_stream);
        std::vector<std::string> notes;
        std::istringstream lines(std::string(m_buffer, m_size));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t hash = line.find("# ");
            notes.push_back(hash == std::string::npos ? std::string{} : line.substr(hash + 2));
        }
        return notes;
    }

private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_stream;
};

struct Question {
    const char* name;
    int lineBaud;
    std::uint8_t addressByte;
    Bytes answer; // empty: nobody answers
    const char* note;
};

void PrintTo(const Question& value, std::ostream* out)
{
    *out << value.name;
}

const Question Questions[] = {
    {"EachAddressItsOwnDome", 9600, 7, tarnFrame(7, "A0007"), ""},
    {"AnotherOnTheSameLine", 9600, 12, tarnFrame(12, "A0012"), ""},
    {"NobodyAtThatAddress", 9600, 9, {}, "for another camera"},
    {"TheDomeAtTheOtherRateHearsGarbage", 9600, 20, {}, "for a dome at 19200 baud"},
    {"AtItsOwnRateItAnswers", 19200, 20, tarnFrame(20, "A0020"), ""},
    {"AtItsRateTheOthersAreDeaf", 19200, 5, {}, "for a dome at 9600 baud"},
    {"NoDomeAtThisRate", 4800, 5, {}, "no dome at 4800 baud"},
};

class DomeAddressing : public ::testing::TestWithParam<Question> {};

TEST_P(DomeAddressing, OnlyTheAddressedDomeAtTheLineRateAnswers)
{
    LogCapture capture;
    Simulator simulator(siteLine(), capture.log());
    SimDriver line(siteLine());
    line.simulator().setLineBaud(GetParam().lineBaud);
    EXPECT_EQ(line.ask("A?", GetParam().addressByte), GetParam().answer);

    simulator.setLineBaud(GetParam().lineBaud);
    simulator.receive(tarnFrame(GetParam().addressByte, "A?"), TimePoint{});
    EXPECT_EQ(capture.notes().front(), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Domes, DomeAddressing, ::testing::ValuesIn(Questions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Domes, EveryDomeAtTheRateAnswersABroadcastAndTheAnswersCollide)
{
    LogCapture capture;
    SimDriver line(siteLine());
    Simulator& simulator = line.simulator();
    simulator.setLineBaud(9600);
    // Three identical acknowledgements lie on each other: one 06 comes through.
    EXPECT_EQ(line.ask("ZS", 0xFF), Bytes{0x06});

    const Bytes five = tarnFrame(5, "A0005");
    const Bytes seven = tarnFrame(7, "A0007");
    const Bytes twelve = tarnFrame(12, "A0012");
    Bytes laid(five.size());
    for (std::size_t i = 0; i < laid.size(); ++i)
        laid[i] = five[i] & seven[i] & twelve[i];
    EXPECT_EQ(line.ask("A?", 0xFF), laid);
    EXPECT_NE(laid, five) << "no single dome's reply survives";

    Simulator logged(siteLine(), capture.log());
    logged.receive(tarnFrame(0xFF, "A?"), TimePoint{});
    logged.takeDue(TimePoint{});
    EXPECT_EQ(capture.notes(), (std::vector<std::string>{"", "collision of 3 answers"}));
}

TEST(Domes, ALongerAnswerOutlastsTheCollision)
{
    const Answer ack{Answer::Kind::Ack, {0x06}, 0};
    const Answer reply{Answer::Kind::Reply, {0xF8, 0x05, 0x41, 0xC4}, 3};
    const Answer merged = Collision::merge({ack, reply});
    EXPECT_EQ(merged.bytes, (Bytes{0x00, 0x05, 0x41, 0xC4}));
    EXPECT_EQ(merged.kind, Answer::Kind::Reply);
    EXPECT_EQ(merged.checksumIndex, 3u) << "a bad-checksum fault still finds the checksum";
}

TEST(Domes, EachDomeKeepsItsOwnState)
{
    SimDriver line(siteLine());
    const std::string lensAtStart = replyText(line.ask("L?", 7));
    EXPECT_EQ(line.ask("LL", 5), Bytes{0x06});
    EXPECT_NE(replyText(line.ask("L?", 5)), lensAtStart) << "lens fast is on at 5";
    EXPECT_EQ(replyText(line.ask("L?", 7)), lensAtStart) << "and only there";

    // A new address moves that one dome only; the old address falls silent.
    EXPECT_EQ(line.ask("As0009", 5), Bytes{0x06});
    EXPECT_EQ(replyText(line.ask("A?", 9)), "A0009");
    EXPECT_TRUE(line.ask("A?", 5).empty());
    EXPECT_EQ(replyText(line.ask("A?", 7)), "A0007");
    EXPECT_EQ(line.simulator().dome(1).camera().state().identity.model, Model::BirchSD);
}

TEST(Domes, TheBaudCommandMovesTheDomeToItsNewRate)
{
    SimDriver line(siteLine());
    EXPECT_EQ(line.ask("Bs192K", 7), Bytes{0x06}) << "acknowledged at the old rate";
    EXPECT_TRUE(line.ask("A?", 7).empty());
    line.simulator().setLineBaud(19200);
    EXPECT_EQ(replyText(line.ask("A?", 7)), "A0007");
    EXPECT_EQ(line.ask("bs0600", 7), Bytes{0x06});
    EXPECT_EQ(line.ask("Bs38K4", 20), Bytes{0x06});
    EXPECT_EQ(replyText(line.ask("A?", 20)), "A0020") << "a rate the dome does not know changes nothing";
    line.simulator().setLineBaud(600);
    EXPECT_EQ(replyText(line.ask("A?", 7)), "A0007");
}

TEST(Domes, EachDomeRemembersItsProgrammingInItsOwnFile)
{
    const tarn::test::TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::string folderPath = folder.path().string();
    {
        SimDriver line(siteLine(folderPath));
        line.ask("cp01230456", 5);
        line.ask("P\x13", 5);
        line.ask("dP\x13Gate", 5);
        line.ask("dP\x13Yard", 7); // a name for a preset 7 never stored
    }
    const auto text = [&](int address) {
        std::ifstream in(folder.file("dome-" + std::to_string(address) + ".memory"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_TRUE(text(5).starts_with("preset 3 123 456 ")) << text(5);
    EXPECT_EQ(text(7).find("preset"), std::string::npos) << text(7);

    SimDriver line(siteLine(folderPath));
    EXPECT_EQ(replyText(line.ask("cdS\x13", 5)), "dS\x13Gate" + std::string(20, ' '));
    line.ask("H\x13", 7);
    EXPECT_EQ(replyText(line.ask("cPS", 7)), "cP00000000") << "dome 7 has no preset 3 to go to";
    line.ask("H\x13", 5);
    EXPECT_EQ(replyText(line.ask("cPS", 5)), "cP01230456");
}

TEST(Domes, APacedLineTakesTheBytesTime)
{
    Simulator::Settings settings;
    settings.pace = std::chrono::microseconds(1000);
    Simulator simulator(settings);
    const TimePoint start{};
    const Bytes question = tarnFrame(1, "L?");
    simulator.receive(question, start);
    // The question's bytes arrive, then the reply's 7 bytes go out.
    const TimePoint due = start + std::chrono::milliseconds(question.size() + 7);
    EXPECT_EQ(simulator.nextDue(), due);
    EXPECT_TRUE(simulator.takeDue(due - 1ms).empty());
    EXPECT_EQ(simulator.takeDue(due).size(), 1u);

    // A second answer waits for the line: the acknowledgement follows the reply.
    simulator.receive(tarnFrame(1, "L?"), due);
    simulator.receive(tarnFrame(1, "ZS"), due);
    EXPECT_EQ(simulator.nextDue(), due + std::chrono::milliseconds(question.size() + 7));
}

TEST(Domes, APaceAtTheLineRateFollowsTheRateTheConsoleSet)
{
    const Bytes question = tarnFrame(1, "L?");
    const auto bytesOnTheLine = [&](int baud) -> long {
        Simulator::Settings settings;
        settings.pace = std::chrono::microseconds(5000); // gives way to the line's rate
        settings.paceAtLineRate = true;
        settings.baud = baud;
        Simulator simulator(settings);
        simulator.setLineBaud(baud);
        const TimePoint start{};
        simulator.receive(question, start);
        const auto due = simulator.nextDue();
        if (!due)
            return -1;
        return std::chrono::duration_cast<std::chrono::microseconds>(*due - start).count();
    };
    // The question's bytes and the reply's 7, at 10 bits a byte.
    const auto bytes = static_cast<long>(question.size() + 7);
    EXPECT_EQ(bytesOnTheLine(9600), bytes * 1041);
    EXPECT_EQ(bytesOnTheLine(19200), bytes * 520);
}

} // namespace
} // namespace tarn::sim::test
