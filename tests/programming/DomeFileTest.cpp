#include "platform/LocalFile.h"
#include "programming/DomeFile.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace tarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields, put together by hand.
struct HandMade {
    Bytes bytes;
    HandMade& u8(std::uint8_t v) { bytes.push_back(v); return *this; }
    HandMade& i16(int v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
    HandMade& i32(std::int64_t v) { return i16(static_cast<int>(v & 0xFFFF)).i16(static_cast<int>((v >> 16) & 0xFFFF)); }
    HandMade& chars(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
};

const std::string Text24 = "North gate, east fence 1"; // 24 characters
const std::string Text300(300, 'x');

// Sector 1 carries a 24-character text, sector 2 a 300-character one (the
// FF + uint16 length form), zone 3 and tour 1 their own values; everything
// else is as the dialog would leave it.
Bytes handMadeFile()
{
    HandMade file;
    file.i32(1);
    file.i16(100).i16(200).u8(0x18).chars(Text24).i32(1);
    file.i16(4096).i16(4096).u8(0xFF).i16(300).chars(Text300).i32(0);
    for (int sector = 3; sector <= 16; ++sector)
        file.i16(4096).i16(4096).u8(0).i32(1);
    for (int zone = 1; zone <= 8; ++zone)
        file.i16(zone == 3 ? 10 : 4096).i16(zone == 3 ? 3590 : 4096).i32(zone == 3 ? 0 : 1);
    for (int tour = 1; tour <= 8; ++tour) {
        for (int step = 0; step < 33; ++step) {
            const bool programmed = tour == 1 && step < 3;
            file.i32(programmed ? step + 1 : 0).i32(programmed ? 10 : 0);
        }
    }
    return file.bytes;
}

TEST(DomeFile, handMadeFileReadsAndWritesBackByteForByte)
{
    const Bytes file = handMadeFile();
    const DomeFile::Contents contents = DomeFile::parse(file);
    ASSERT_TRUE(contents.read);
    const LocalTables& tables = contents.tables;
    EXPECT_EQ(tables.sectors[0], (CSector{100, 200, Text24, 1}));
    EXPECT_EQ(tables.sectors[1].idText, Text300);
    EXPECT_EQ(tables.sectors[1].enabled, 0);
    EXPECT_EQ(tables.sectors[15], CSector{});
    EXPECT_EQ(tables.zones[2], (CPriZone{10, 3590, 0}));
    EXPECT_EQ(tables.tours[0].steps[2], (TourStep{3, 10}));
    EXPECT_EQ(tables.tours[0].steps[3], TourStep{});

    EXPECT_EQ(DomeFile::serialise(tables), file);
    // The 24-character text: its length byte, then the characters.
    EXPECT_EQ(file[8], 0x18);
}

TEST(DomeFile, textsOfAnyLengthTakeTheirLengthForm)
{
    // Below 255: one byte; below 0xFFFE: FF + uint16; else FF FFFF + uint32.
    const struct {
        std::size_t length;
        Bytes prefix;
    } rows[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        LocalTables tables;
        tables.sectors[0].idText.assign(row.length, 'a');
        const Bytes file = DomeFile::serialise(tables);
        EXPECT_TRUE(std::equal(row.prefix.begin(), row.prefix.end(), file.begin() + 8));
        EXPECT_EQ(DomeFile::parse(file).tables, tables);
    }
}

TEST(DomeFile, everyTruncatedPrefixGivesTheRecordsReadWholeAndDefaultsForTheRest)
{
    const Bytes file = handMadeFile();
    const LocalTables good = DomeFile::parse(file).tables;
    const LocalTables defaults = LocalTables::withoutFile();
    for (std::size_t size = 0; size < file.size(); ++size) {
        SCOPED_TRACE(size);
        const DomeFile::Contents contents = DomeFile::parse(std::span(file).first(size));
        EXPECT_FALSE(contents.read);
        // Record by record in file order: the file's own values up to some
        // point, the defaults from there on.
        std::vector<bool> fromFile;
        const auto check = [&](const auto& got, const auto& expected, const auto& fallback) {
            EXPECT_TRUE(got == expected || got == fallback);
            if (!(expected == fallback))
                fromFile.push_back(got == expected);
        };
        for (std::size_t i = 0; i < good.sectors.size(); ++i)
            check(contents.tables.sectors[i], good.sectors[i], defaults.sectors[i]);
        for (std::size_t i = 0; i < good.zones.size(); ++i)
            check(contents.tables.zones[i], good.zones[i], defaults.zones[i]);
        check(contents.tables.tours[0], good.tours[0], defaults.tours[0]);
        EXPECT_TRUE(std::is_sorted(fromFile.rbegin(), fromFile.rend()));
    }
    EXPECT_EQ(DomeFile::parse(std::span(file).first(40)).tables.sectors[0], good.sectors[0]);
}

TEST(DomeFile, badFilesGiveDefaultsWithoutReadingPastTheirEnd)
{
    const Bytes file = handMadeFile();
    const struct {
        const char* name;
        Bytes bytes;
        bool emptyTexts; // the tables as constructed, not the no-file defaults
    } rows[] = {
        {"wrong version", [&] { Bytes b = file; b[0] = 2; return b; }(), true},
        {"version only", {1, 0, 0, 0}, false},
        {"absurd uint32 length", HandMade{}.i32(1).i16(0).i16(0).u8(0xFF).i16(0xFFFF).i32(0x7FFFFFFF).bytes, false},
        {"length past the end", HandMade{}.i32(1).i16(0).i16(0).u8(0xFF).i16(0x1000).chars("abc").bytes, false},
        {"wide-character mark", HandMade{}.i32(1).i16(0).i16(0).u8(0xFF).i16(0xFFFE).u8(3).chars("abc").bytes, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DomeFile::Contents contents = DomeFile::parse(row.bytes);
        EXPECT_FALSE(contents.read);
        EXPECT_EQ(contents.tables, row.emptyTexts ? LocalTables{} : LocalTables::withoutFile());
    }
}

TEST(DomeFile, missingFileGivesNumberedSectorTexts)
{
    test::TemporaryFolder folder;
    const DomeFile::Contents contents = DomeFile::load(folder.file("Dome.dat"));
    EXPECT_FALSE(contents.read);
    EXPECT_EQ(contents.tables.sectors[2].idText, "Sector 03 ID text");
    EXPECT_EQ(contents.tables.sectors[15].idText, "Sector 16 ID text");
    EXPECT_EQ(contents.tables.zones[7], CPriZone{});
}

TEST(DomeFile, saveCreatesTheFolderAndLoadReadsItBack)
{
    test::TemporaryFolder folder;
    const std::string path = folder.file("share/Tarn/tarn-console/Dome.dat");
    const LocalTables tables = DomeFile::parse(handMadeFile()).tables;
    EXPECT_EQ(DomeFile::save(path, tables), std::nullopt);
    EXPECT_EQ(test::fileBytes(path), handMadeFile());
    const DomeFile::Contents contents = DomeFile::load(path);
    EXPECT_TRUE(contents.read);
    EXPECT_EQ(contents.tables, tables);
}

TEST(DomeFile, writeCutShortLeavesTheOldFileAndNoLeftovers)
{
    test::TemporaryFolder folder;
    const std::string path = folder.file("Dome.dat");
    const Bytes old = handMadeFile();
    test::writeFileBytes(path, old);

    // The disk fills up after 100 bytes of the new copy.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = LocalFile::writeAtomically(path, Bytes(2000, 0x55));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "File too large");
    EXPECT_EQ(test::fileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

} // namespace
} // namespace tarn
