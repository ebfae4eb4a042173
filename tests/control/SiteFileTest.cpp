#include "control/SiteFile.h"
#include "control/SiteLink.h"
#include "platform/LocalFile.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

SiteCamera camera(std::string name, std::string link, int protocol, int baudIndex, int address)
{
    SiteCamera c;
    c.name = std::move(name);
    c.link = std::move(link);
    c.protocolIndex = protocol;
    c.baudIndex = baudIndex;
    c.address = address;
    return c;
}

std::vector<std::string> names(const std::vector<SiteCamera>& cameras)
{
    std::vector<std::string> result;
    for (const SiteCamera& c : cameras)
        result.push_back(c.name);
    return result;
}

// A whole camera section, numbered, for the corrupt-file table.
std::string section(int number, const std::string& name, const std::string& extra = "Address=1\n")
{
    return "[Camera " + std::to_string(number) + "]\nName=" + name
        + "\nLink=COM1\nProtocol=2\nBaud=9600\n" + extra;
}

TEST(SiteFile, everyKindOfValueRoundTrips)
{
    SiteCamera full = camera("Tür Süd – Ost = Gate; 2", "192.168.1.200:4001", 5, 6, 16384);
    full.receiverType = 6;
    full.cameraType = 2;
    full.panTiltType = 0;
    full.group = "Building B; floor 3";
    full.note = "key=value; more=x";
    SiteCamera pelcoP = camera("Pelco P at 0", "/dev/serial/by-id/usb-FTDI_A9-if00", 3, 5, 0);
    pelcoP.note = "";
    const std::vector<SiteCamera> cameras = {
        full,
        pelcoP,
        camera("AD top", "COM255", 8, 3, 99),
        camera("Local", "localhost:4001", 1, 0, 8191),
    };

    const SiteFile::Contents read = SiteFile::parse(SiteFile::serialise(cameras));
    EXPECT_EQ(read.problems, std::vector<std::string>{});
    EXPECT_EQ(read.cameras, cameras);

    test::TemporaryFolder folder;
    const std::string path = folder.file("site/North plant.site");
    ASSERT_EQ(SiteFile::save(path, cameras), std::nullopt);
    const SiteFile::Contents loaded = SiteFile::load(path);
    EXPECT_TRUE(loaded.opened);
    EXPECT_EQ(loaded.cameras, cameras);
}

TEST(SiteFile, writtenFileIsTheDocumentedText)
{
    SiteCamera lobby = camera("Lobby", "COM3", 2, 6, 12);
    lobby.group = "Ground floor";
    const std::string text = SiteFile::serialise(std::vector{lobby});
    const std::string expected = "\n[Camera 1]\nName=Lobby\nLink=COM3\nProtocol=2\nBaud=19200\nAddress=12\n"
                                 "ReceiverType=1\nCameraType=3\nPanTiltType=1\nGroup=Ground floor\nNote=\n";
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
    EXPECT_TRUE(text.starts_with("; "));
}

TEST(SiteFile, handEditedFileReadsAsTheTechnicianMeantIt)
{
    // A byte-order mark and CRLF from a Windows editor, keys in any case,
    // spaces around '=', comments, sections out of order, types left out.
    const std::string text = "\xEF\xBB\xBF; Plant north\r\n"
                             "[ Camera 5 ]\r\n"
                             "name = Yard  \r\n"
                             "LINK=com2\r\n"
                             "protocol=2\r\n"
                             "baud= 4800\r\n"
                             "ADDRESS =7\r\n"
                             "# no note\r\n"
                             "[Camera 2]\r\n"
                             "Name=Gate\r\nLink=10.0.0.5:4001\r\nProtocol=1\r\nBaud=9600\r\nAddress=3\r\nCameraType=1";
    const SiteFile::Contents read = SiteFile::parse(text);
    EXPECT_EQ(read.problems, std::vector<std::string>{});
    ASSERT_EQ(names(read.cameras), (std::vector<std::string>{"Gate", "Yard"}));
    SiteCamera yard = camera("Yard", "com2", 2, 1, 7);
    EXPECT_EQ(read.cameras[1], yard);
    EXPECT_EQ(read.cameras[0].cameraType, 1);
    EXPECT_EQ(read.cameras[0].receiverType, 1);
}

TEST(SiteFile, aProblemNamesItsLineOrEntryAndEveryOtherCameraLoads)
{
    struct Row {
        const char* what;
        std::string text;
        std::vector<std::string> problems;
        std::vector<std::string> loaded;
    };
    const std::string b = section(9, "B");
    const Row rows[] = {
        {"a line without '='", section(1, "A") + "this is no line\n" + b,
         {"Line 7 does not read: this is no line"}, {"A", "B"}},
        {"an address the protocol does not allow", section(1, "A", "Address=300\n") + b,
         {"[Camera 1] \"A\" (line 1): Address=300 is outside 1..254, the addresses Pelco D allows; not loaded"},
         {"B"}},
        {"a rate of no list", section(1, "A") + b + "[Camera 3]\nName=C\nLink=COM1\nProtocol=2\nBaud=1234\nAddress=1\n",
         {"[Camera 3] \"C\" (line 13): Baud=1234 is not one of 300, 600, 1200, 2400, 4800, 9600, 19200; not loaded"},
         {"A", "B"}},
        {"types out of their lists", section(1, "A", "Address=1\nReceiverType=7\nPanTiltType=-1\n") + b,
         {"[Camera 1] \"A\" (line 1): ReceiverType=7 is outside 0..6; not loaded",
          "[Camera 1] \"A\" (line 1): PanTiltType=-1 is outside 0..2; not loaded"},
         {"B"}},
        {"a word for a number", section(1, "A", "Address=twelve\n") + b,
         {"[Camera 1] \"A\" (line 1): Address=twelve is not a number; not loaded"}, {"B"}},
        {"a link of no kind", "[Camera 1]\nName=A\nLink=LPT1\nProtocol=2\nBaud=9600\nAddress=1\n" + b,
         {"[Camera 1] \"A\" (line 1): Link=LPT1 is not a COM port (COM1 to COM255), a device path (/dev/...) or a "
          "port server (IPv4 address:port); not loaded"},
         {"B"}},
        {"a section twice", section(1, "A") + section(1, "A again") + b,
         {"Line 7: [Camera 1] is there twice (first on line 1); the second is skipped"}, {"A", "B"}},
        {"missing keys", "[Camera 1]\nName=A\nLink=COM1\nBaud=9600\n" + b,
         {"[Camera 1] \"A\" (line 1) has no Protocol=; not loaded",
          "[Camera 1] \"A\" (line 1) has no Address=; not loaded"},
         {"B"}},
        {"no name at all", "[Camera 1]\nName=\nLink=COM1\nProtocol=2\nBaud=9600\nAddress=1\n" + b,
         {"[Camera 1] (line 1) has no name; not loaded"}, {"B"}},
        {"a key twice", section(1, "A", "Address=1\nAddress=2\n") + b,
         {"Line 7: Address= is given twice in [Camera 1]; the first one is kept"}, {"A", "B"}},
        {"an unknown key", section(1, "A", "Address=1\nColour=red\n") + b,
         {"Line 7: Colour is not a key of a camera; ignored"}, {"A", "B"}},
        {"an unknown section", "[Site]\nName=North\n" + b, {"Line 1: [Site] is not a camera section; its lines are skipped"},
         {"B"}},
        {"a key before any section", "Name=North\n" + b,
         {"Line 1: Name= comes before any [Camera N] section; ignored"}, {"B"}},
        {"a header cut short", section(1, "A") + "[Camera 2\nName=X\n" + b,
         {"Line 7 does not read: [Camera 2"}, {"A", "B"}},
        {"a control character in a note", section(1, "A", "Address=1\nNote=a\x01z\n") + b,
         {"[Camera 1] \"A\" (line 1): Note= holds a control character or is not UTF-8 text; not loaded"}, {"B"}},
        {"a name that is not UTF-8", section(1, "\xC3(") + b,
         {"[Camera 1] \"\xC3(\" (line 1): Name= holds a control character or is not UTF-8 text; not loaded"},
         {"B"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SiteFile::Contents read = SiteFile::parse(row.text);
        EXPECT_EQ(read.problems, row.problems);
        EXPECT_EQ(names(read.cameras), row.loaded);
    }
}

TEST(SiteFile, the256thCameraIsRefusedByName)
{
    std::string text;
    for (int number = 1; number <= 256; ++number)
        text += section(number, "C" + std::to_string(number));
    const SiteFile::Contents read = SiteFile::parse(text);
    EXPECT_EQ(read.cameras.size(), 255u);
    EXPECT_EQ(read.cameras.back().name, "C255");
    EXPECT_EQ(read.problems,
              std::vector<std::string>{"[Camera 256] \"C256\" (line 1531) is past the 255 cameras a site holds; not loaded"});
}

TEST(SiteFile, aFileOfNoiseGivesFiftyProblemsAndACount)
{
    std::string text;
    for (int line = 0; line < 70; ++line)
        text += "noise\n";
    const SiteFile::Contents read = SiteFile::parse(text);
    ASSERT_EQ(read.problems.size(), SiteFile::MostProblemsShown + 1);
    EXPECT_EQ(read.problems.back(), "... and 20 more");
    EXPECT_TRUE(read.cameras.empty());
}

TEST(SiteFile, filesThatCannotBeReadOrWrittenSaySo)
{
    test::TemporaryFolder folder;
    const std::string missing = folder.file("none.site");
    const SiteFile::Contents read = SiteFile::load(missing);
    EXPECT_FALSE(read.opened);
    EXPECT_EQ(read.problemText(), "The site file " + missing + " cannot be read.");

    // Past the largest read the rest is not looked at, and the box says so.
    const std::string huge = folder.file("huge.site");
    std::string text = section(1, "A");
    text.resize(SiteFile::LargestRead - 2, ';');
    text += "\n" + section(2, "B");
    ASSERT_EQ(LocalFile::writeAtomically(huge, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())),
              std::nullopt);
    const SiteFile::Contents cut = SiteFile::load(huge);
    EXPECT_EQ(names(cut.cameras), std::vector<std::string>{"A"});
    ASSERT_FALSE(cut.problems.empty());
    EXPECT_EQ(cut.problems.front(), "The site file is longer than 1024 KB: only its beginning is read");

    // A plain file where the folder should be.
    const std::string blocker = folder.file("plain");
    ASSERT_EQ(SiteFile::save(blocker, {}), std::nullopt);
    const auto failure = SiteFile::save(blocker + "/site.txt", std::vector{camera("A", "COM1", 1, 0, 1)});
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->starts_with("The site file " + blocker + "/site.txt cannot be written: ")) << *failure;
}

TEST(SiteCamera, checkNamesEveryValueOutOfRange)
{
    struct Row {
        const char* what;
        void (*change)(SiteCamera&);
        std::vector<std::string> problems;
    };
    const Row rows[] = {
        {"in range", [](SiteCamera&) {}, {}},
        {"Pelco P address 0", [](SiteCamera& c) { c.protocolIndex = 3; c.address = 0; }, {}},
        {"Pelco P address 33", [](SiteCamera& c) { c.protocolIndex = 3; c.address = 33; },
         {"Camera \"Lobby\": Address=33 is outside 0..32, the addresses Pelco P allows"}},
        {"AD address 100", [](SiteCamera& c) { c.protocolIndex = 8; c.address = 100; },
         {"Camera \"Lobby\": Address=100 is outside 1..99, the addresses AD allows"}},
        {"protocol 11", [](SiteCamera& c) { c.protocolIndex = 11; },
         {"Camera \"Lobby\": Protocol=11 is outside 0..10"}},
        {"baud index 7", [](SiteCamera& c) { c.baudIndex = 7; },
         {"Camera \"Lobby\": Baud index=7 is outside 0..6"}},
        {"module 4", [](SiteCamera& c) { c.cameraType = 4; },
         {"Camera \"Lobby\": CameraType=4 is outside 0..3"}},
        {"COM0", [](SiteCamera& c) { c.link = "COM0"; },
         {"Camera \"Lobby\": Link=COM0 is not a COM port (COM1 to COM255), a device path (/dev/...) or a port "
          "server (IPv4 address:port)"}},
        {"no name", [](SiteCamera& c) { c.name.clear(); }, {"A camera without a name has no name"}},
        {"a newline in the group", [](SiteCamera& c) { c.group = "a\nb"; },
         {"Camera \"Lobby\": Group= holds a control character or is not UTF-8 text"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SiteCamera c = camera("Lobby", "COM3", 2, 0, 12);
        row.change(c);
        EXPECT_EQ(c.check(), row.problems);
    }
}

TEST(SiteLink, readsEachKindAndRefusesTheRest)
{
    using Kind = SiteLink::Kind;
    struct Row {
        const char* text;
        Kind kind;
    };
    const Row rows[] = {
        {"COM1", Kind::ComPort},           {"COM255", Kind::ComPort},       {"COM256", Kind::Invalid},
        {"COM", Kind::Invalid},            {"COM-1", Kind::Invalid},        {"COM 3", Kind::Invalid},
        {"/dev/ttyUSB0", Kind::Device},    {"ttyUSB0", Kind::Invalid},      {"10.0.0.5:4001", Kind::PortServer},
        {"localhost:1", Kind::PortServer}, {"10.0.0.5:0", Kind::Invalid},   {"10.0.0.5:65536", Kind::Invalid},
        {"10.0.0.256:4001", Kind::Invalid}, {"10.0.0:4001", Kind::Invalid}, {"10.0.0.5.6:4001", Kind::Invalid},
        {"plant-nvr:4001", Kind::Invalid},  {"", Kind::Invalid},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SiteLink::parse(row.text).kind, row.kind) << row.text;
    EXPECT_EQ(SiteLink::parse("com03"), SiteLink::parse("COM3"));
    EXPECT_EQ(SiteLink::parse("localhost:4001"), SiteLink::parse("127.0.0.1:4001"));
}

} // namespace
} // namespace tarn
