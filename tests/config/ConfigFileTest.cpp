#include "config/ConfigCompare.h"
#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn::test {
namespace {

ConfigSnapshot sample()
{
    ConfigSnapshot snapshot;
    snapshot.header = {{"Format", "1"}, {"Date", "2026-12-10 09:14:03"}, {"Address", "5"}};
    snapshot.sections.push_back({"Wipe Setup", SectionState::Read, {{"Run Time", "120"}, {"Module", "New Module"}}});
    snapshot.sections.push_back({"Camera ID", SectionState::PartlyRead, {{"Line 1", "LOBBY = EAST; #2"}}});
    snapshot.sections.push_back({"Wash Setup", SectionState::NotRead, {}});
    return snapshot;
}

TEST(ConfigFile, everyTextTheWireAllowsComesBackByteForByte)
{
    std::string printable;
    for (char c = 0x20; c < 0x7F; ++c)
        printable += c;
    const std::string texts[] = {
        printable, " leading", "trailing ", "  ", "\"quoted\"", "back\\slash", "\\x41 is not an escape",
        "tab\there", std::string("nul\0byte", 8), "\x7F\x80\xFF", "", "=", "; not a comment", "[not a section]",
    };
    ConfigSnapshot snapshot = sample();
    for (std::size_t i = 0; i < std::size(texts); ++i)
        snapshot.sections[0].set("Text " + std::to_string(i), texts[i]);
    const ConfigFile::Parsed parsed = ConfigFile::parse(ConfigFile::serialise(snapshot));
    ASSERT_TRUE(parsed.snapshot) << parsed.problem;
    EXPECT_EQ(*parsed.snapshot, snapshot);
}

TEST(ConfigFile, writtenFileReadsAsATechnicianExpects)
{
    const std::string text = ConfigFile::serialise(sample());
    EXPECT_NE(text.find("[Header]\nFormat=1\n"), std::string::npos);
    EXPECT_NE(text.find("[Wipe Setup]\nState=read\nRun Time=120\nModule=New Module\n"), std::string::npos);
    EXPECT_NE(text.find("[Camera ID]\nState=partly read\nLine 1=LOBBY = EAST; #2\n"), std::string::npos);
    EXPECT_NE(text.find("[Wash Setup]\nState=not read\n"), std::string::npos);
}

TEST(ConfigFile, aFileThatDoesNotReadIsRefusedNamingTheLineOrField)
{
    struct Row {
        const char* text;
        const char* problem;
    };
    const Row rows[] = {
        {"[Header]\nFormat=1\n[A]\nState=read\nno equals sign\n", "Line 5 does not read: no equals sign"},
        {"[Header]\nFormat=1\n[A\n", "Line 3 does not read: [A"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=\"open\n", "Line 5: the quoted value of X does not read"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=\"a\"b\n", "Line 5: the quoted value of X does not read"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=\"\\q\"\n", "Line 5: the quoted value of X does not read"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=\"\\x4\"\n", "Line 5: the quoted value of X does not read"},
        {"[Header]\nFormat=1\n[A]\nState=read\n[A]\nState=read\n", "Line 5: [A] is given twice"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=1\nX=2\n", "Line 6: X is given twice in its section"},
        {"[Header]\nFormat=1\n[A]\nState=maybe\n", "Line 4: State=maybe is not read, partly read or not read"},
        {"[Header]\nFormat=1\n[A]\nX=1\n", "[A] has no State="},
        {"[Header]\nFormat=1\n[A]\nX=1\n[B]\nState=read\n", "[A] has no State="},
        {"X=1\n[Header]\nFormat=1\n", "Line 1: X comes before any section"},
        {"[A]\nState=read\n", "The file has no [Header]: it is not a camera configuration"},
        {"[Header]\nDate=today\n", "Format= is not a configuration format this console reads (it reads 1)"},
        {"[Header]\nFormat=2\n", "Format=2 is not a configuration format this console reads (it reads 1)"},
        {"[Header]\nFormat=1\nFormat=1\n", "Line 3: Format is given twice in its section"},
        {"[Header]\nFormat=1\n[A]\nState=read\nX=a\x01z\n", "Line 5 does not read: it holds a control character"},
        {"", "The file has no [Header]: it is not a camera configuration"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ConfigFile::Parsed parsed = ConfigFile::parse(row.text);
        EXPECT_FALSE(parsed.snapshot);
        EXPECT_EQ(parsed.problem, row.problem);
    }
}

TEST(ConfigFile, commentsBlankLinesAndWindowsLineEndsAreTaken)
{
    const auto parsed = ConfigFile::parse("; comment\r\n\r\n[Header]\r\nFormat = 1\r\n# another\r\n[A]\r\nState=read\r\n"
                                          "X =  spaced value  \r\n");
    ASSERT_TRUE(parsed.snapshot) << parsed.problem;
    ASSERT_EQ(parsed.snapshot->sections.size(), 1u);
    EXPECT_EQ(*parsed.snapshot->sections[0].find("X"), "spaced value");
}

TEST(ConfigCompare, listsEverySettingThatDiffersAndNothingElse)
{
    struct Row {
        const char* what;
        void (*change)(ConfigSnapshot&);
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"equal, header aside", [](ConfigSnapshot& s) { s.setHeader("Address", "9"); }, {}},
        {"one field", [](ConfigSnapshot& s) { s.sections[0].set("Run Time", "30"); },
         {"Wipe Setup.Run Time: 120 -> 30"}},
        {"a field only one holds", [](ConfigSnapshot& s) { s.sections[0].set("Delay Time", "5"); },
         {"Wipe Setup.Delay Time: (none) -> 5"}},
        {"a field the other lacks", [](ConfigSnapshot& s) { s.sections[0].fields.pop_back(); },
         {"Wipe Setup.Module: New Module -> (none)"}},
        {"a section not read on one side", [](ConfigSnapshot& s) {
             s.sections[0].state = SectionState::NotRead;
             s.sections[0].fields.clear(); },
         {"Wipe Setup.State: read -> not read"}},
        {"a section only one holds", [](ConfigSnapshot& s) { s.sections.push_back({"Thermal", SectionState::Read, {}}); },
         {"Thermal.State: (none) -> read"}},
        {"a section the other lacks", [](ConfigSnapshot& s) { s.sections.erase(s.sections.begin()); },
         {"Wipe Setup.State: read -> (none)"}},
        {"spaces show quoted", [](ConfigSnapshot& s) { s.sections[1].set("Line 1", "LOBBY "); },
         {"Camera ID.Line 1: LOBBY = EAST; #2 -> \"LOBBY \""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ConfigSnapshot other = sample();
        row.change(other);
        std::vector<std::string> lines;
        for (const ConfigDifference& difference : ConfigCompare::differences(sample(), other))
            lines.push_back(ConfigCompare::line(difference));
        EXPECT_EQ(lines, row.lines);
    }
}

} // namespace
} // namespace tarn::test
