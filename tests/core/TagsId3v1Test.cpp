// SPDX-License-Identifier: GPL-3.0-or-later
// ID3v1 block, genre table and value start rule.
#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1Record.h"
#include "tags/ValueStartRule.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

TEST(GenreTableTest, NamesLookUpByNumberOnly) {
    const struct {
        int number;
        const char* name;
    } cases[] = {
        {0, "Blues"},
        {17, "Rock"},
        {51, "Tecno-Industrial"},
        {72, "Tribial"},
        {129, "HardCore"},
        {133, "negerpunk"},
        {140, "Contemporary Christian"},
        {142, "Merenge"},
        {144, "Trach Metal"},
        {147, "Synthpop"},
        {148, ""},
        {255, ""},
        {-1, ""},
        {1000, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GenreName(c.number), c.name) << c.number;
        EXPECT_EQ(Id3v1Record::GenreName(c.number), c.name) << c.number;
    }
    for (const auto name : GenreTable()) {
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), 29u) << name;
    }
}

TEST(ValueStartRuleTest, OnlyBytesFrom0x21To0xAFStartAValue) {
    const struct {
        unsigned char byte;
        bool present;
    } cases[] = {{0x00, false}, {0x09, false}, {0x20, false}, {0x21, true},
                 {'A', true},   {0x7F, true},  {0xA9, true},  {0xAF, true},
                 {0xB0, false}, {0xC9, false}, {0xFF, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsValueStartByte(c.byte), c.present) << int{c.byte};
        EXPECT_EQ(StartsWithValue(std::string(1, static_cast<char>(c.byte)) + "x"), c.present);
    }
    EXPECT_FALSE(StartsWithValue(""));
}

TEST(Id3v1RecordTest, FreshRecordReportsNoTag) {
    const Id3v1Record record;
    EXPECT_EQ(record.tagPresent, 0);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.track, 0);
    EXPECT_EQ(record.genre, 255);
    EXPECT_EQ(kGenreCount, 148);
}

class Id3v1ReadTest : public ::testing::Test {
  protected:
    Id3v1Record Read(const Bytes& block, const Bytes& before = Audio(300)) {
        dir.Write("a.mp3", before + block);
        Id3v1Record record;
        EXPECT_EQ(record.ReadTag(dir / "a.mp3"), 1);
        return record;
    }
    TempDir dir;
};

TEST_F(Id3v1ReadTest, VersionAndTrackFromTheMarkerBytes) {
    const struct {
        const char* name;
        Bytes comment;  // 30 bytes at offset 97: bytes 28 and 29 are the marker and track
        int version;
        int track;
        const char* readComment;
    } cases[] = {
        {"nul marker, track 5", Bytes("Hi") + Bytes(26, '\0') + '\0' + '\x05', 2, 5, "Hi"},
        {"nul marker, no track", Bytes("Hi") + Bytes(28, '\0'), 1, 0, "Hi"},
        {"blank marker, letter A", Bytes(28, 'c') + " A", 2, 65, "cccccccccccccccccccccccccccc"},
        {"blank marker, letter z", Bytes(28, 'c') + " z", 2, 0, "cccccccccccccccccccccccccccc"},
        {"blank marker, blank", Bytes(28, 'c') + "  ", 1, 0, "cccccccccccccccccccccccccccc"},
        {"full ID3v1.0 comment", Bytes(30, 'd'), 1, 0, "dddddddddddddddddddddddddddddd"},
        {"track above 99", Bytes("x") + Bytes(27, '\0') + '\0' + '\x64', 2, 0, "x"},
        {"track 99", Bytes("x") + Bytes(27, '\0') + '\0' + '\x63', 2, 99, "x"},
        {"ID3v1.1 comment cut at 29", Bytes(29, 'e') + '\x07', 1, 0,
         "eeeeeeeeeeeeeeeeeeeeeeeeeeeee\x07"},
    };
    for (const auto& c : cases) {
        const Id3v1Record r = Read(V1Block({"T", "A", "B", "2003", c.comment, 17}));
        EXPECT_EQ(r.tagPresent, 1) << c.name;
        EXPECT_EQ(r.version, c.version) << c.name;
        EXPECT_EQ(r.track, c.track) << c.name;
        EXPECT_EQ(r.trackByte, c.track) << c.name;
        EXPECT_EQ(r.comment, c.readComment) << c.name;
    }
}

TEST_F(Id3v1ReadTest, TextFieldsFollowTheValueStartRule) {
    const struct {
        const char* name;
        Bytes field;
        std::string title;
    } cases[] = {
        {"leading blank", " Song", ""},
        {"leading 0xC9", "\xC9t\xC3", ""},
        {"leading NUL", Bytes(1, '\0') + "Song", ""},
        {"leading 0xA9 kept, as UTF-8", "\xA9 2003", "\xC2\xA9 2003"},
        {"latin-1 inside", "Caf\xE9", "Caf\xC3\xA9"},
        {"full width, no terminator", Bytes(30, 'A'), std::string(30, 'A')},
        {"stops at the first NUL", Bytes("Ab") + '\0' + "cd", "Ab"},
        {"trailing blanks and tabs removed", "Song \t  ", "Song"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(V1Block({c.field, "", "", "", "", 0})).title, c.title) << c.name;
    }
    const Id3v1Record r = Read(V1Block({"", "Band  ", "Album", "19999", "", 0}));
    EXPECT_EQ(r.artist, "Band");
    EXPECT_EQ(r.album, "Album");
    EXPECT_EQ(r.year, "1999");
    EXPECT_EQ(r.title, "");
}

TEST_F(Id3v1ReadTest, GenreByteReadsAsItsNumber) {
    EXPECT_EQ(Read(V1Block({"T", "", "", "", "", 0x8C})).genre, 140);
    EXPECT_EQ(GenreName(140), "Contemporary Christian");
    EXPECT_EQ(Read(V1Block({"T", "", "", "", "", 0xFF})).genre, 255);
    EXPECT_EQ(Read(V1Block({"T", "", "", "", "", 200})).genre, 200);
}

TEST_F(Id3v1ReadTest, FilesWithoutATagReadAsEmpty) {
    const struct {
        const char* name;
        Bytes contents;
    } cases[] = {
        {"empty file", ""},
        {"127 bytes ending like a tag", Bytes("TAG") + Bytes(124, 'x')},
        {"no TAG marker", Audio(500)},
        {"lowercase marker", Audio(10) + "tag" + Bytes(125, 'x')},
    };
    for (const auto& c : cases) {
        dir.Write("n.mp3", c.contents);
        Id3v1Record r;
        r.title = "stale";
        EXPECT_EQ(r.ReadTag(dir / "n.mp3"), 1) << c.name;
        EXPECT_EQ(r.tagPresent, 0) << c.name;
        EXPECT_EQ(r.title, "") << c.name;
        EXPECT_EQ(r.genre, 255) << c.name;
    }
    Id3v1Record missing;
    EXPECT_EQ(missing.ReadTag(dir / "missing.mp3"), 1);
    EXPECT_EQ(missing.tagPresent, 0);
    Id3v1Record directory;
    EXPECT_EQ(directory.ReadTag(dir.Path()), 1);
    EXPECT_EQ(directory.tagPresent, 0);
}

TEST_F(Id3v1ReadTest, AFileOfExactly128BytesIsATag) {
    const Id3v1Record r = Read(V1Block({"Only", "", "", "", "", 1}), "");
    EXPECT_EQ(r.tagPresent, 1);
    EXPECT_EQ(r.title, "Only");
    EXPECT_EQ(r.genre, 1);
}

Id3v1Record Prepared(const std::string& title, const std::string& artist, const std::string& album,
                     const std::string& year, const std::string& comment, int track, int genre) {
    Id3v1Record r;
    r.Reset();
    r.SetTitle(title);
    r.SetArtist(artist);
    r.SetAlbum(album);
    r.SetYear(year);
    r.SetComment(comment);
    r.trackByte = static_cast<std::uint8_t>(track);
    r.genreByte = static_cast<std::uint8_t>(genre);
    return r;
}

TEST(Id3v1WriteTest, WrittenBlockMatchesTheByteImage) {
    TempDir dir;
    dir.Write("a.mp3", Audio(1000));
    Id3v1Record r = Prepared("Abc", "", "Xyz", "2003", "Hi", 7, 17);
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    const Bytes expected = Bytes("TAG") + "Abc" + Bytes(27, ' ') + Bytes(30, ' ') + "Xyz" +
                           Bytes(27, '\0') + "2003" + "Hi" + Bytes(26, '\0') + '\0' + '\x07' +
                           '\x11';
    ASSERT_EQ(expected.size(), 128u);
    const Bytes file = dir.Read("a.mp3");
    ASSERT_EQ(file.size(), 1128u);
    EXPECT_EQ(file.substr(0, 1000), Audio(1000));
    EXPECT_EQ(file.substr(1000), expected);

    // Without a track the comment keeps all its 30 bytes.
    Id3v1Record full = Prepared("Abc", "", "Xyz", "2003", std::string(30, 'c'), 0, 17);
    ASSERT_EQ(full.WriteTag(dir / "a.mp3"), 1);
    const Bytes again = dir.Read("a.mp3");
    ASSERT_EQ(again.size(), 1128u);
    EXPECT_EQ(again.substr(1000 + 97, 30), std::string(30, 'c'));
    EXPECT_EQ(static_cast<unsigned char>(again[1127]), 17);
}

TEST(Id3v1WriteTest, SettersCutTrimAndPadTheirOwnFieldOnly) {
    const struct {
        const char* name;
        std::string text;
        Bytes title;    // image after SetTitle
        Bytes album;    // image after SetAlbum
        Bytes comment;  // image after SetComment
    } cases[] = {
        {"empty", "", Bytes(30, ' '), Bytes(30, '\0'), Bytes(30, '\0')},
        {"31 characters", std::string(31, 'x'), Bytes(30, 'x'), Bytes(30, 'x'), Bytes(30, 'x')},
        {"cut, then trailing blank removed", std::string(29, 'a') + " b",
         std::string(29, 'a') + ' ', std::string(29, 'a') + '\0', std::string(29, 'a') + '\0'},
        {"leading blanks stay", "  x ", Bytes("  x") + Bytes(27, ' '),
         Bytes("  x") + Bytes(27, '\0'), Bytes("  x") + Bytes(27, '\0')},
        {"latin-1 and unmapped", "Caf\xC3\xA9 \xE2\x82\xAC", Bytes("Caf\xE9 ?") + Bytes(24, ' '),
         Bytes("Caf\xE9 ?") + Bytes(24, '\0'), Bytes("Caf\xE9 ?") + Bytes(24, '\0')},
        {"stray bytes kept, cut at 30", std::string(40, '\xC3'), Bytes(30, '\xC3'),
         Bytes(30, '\xC3'), Bytes(30, '\xC3')},
    };
    for (const auto& c : cases) {
        Id3v1Record r;
        r.SetTitle(c.text);
        r.SetArtist(c.text);
        r.SetAlbum(c.text);
        r.SetComment(c.text);
        EXPECT_EQ(Bytes(r.titleImage.begin(), r.titleImage.end()), c.title) << c.name;
        EXPECT_EQ(Bytes(r.artistImage.begin(), r.artistImage.end()), c.title) << c.name;
        EXPECT_EQ(Bytes(r.albumImage.begin(), r.albumImage.end()), c.album) << c.name;
        EXPECT_EQ(Bytes(r.commentImage.begin(), r.commentImage.end()), c.comment) << c.name;
    }
    // Thirty two-byte characters fill the 30-byte field.
    Id3v1Record wide;
    std::string e;
    for (int i = 0; i < 31; ++i) {
        e += "\xC3\xA9";
    }
    wide.SetTitle(e);
    EXPECT_EQ(Bytes(wide.titleImage.begin(), wide.titleImage.end()), Bytes(30, '\xE9'));
}

TEST(Id3v1WriteTest, YearIsTrimmedBeforeItIsCut) {
    const struct {
        std::string text;
        Bytes image;
    } cases[] = {{"2003", "2003"},
                 {"20031", "2003"},
                 {"123 4", "123 "},
                 {"99  ", Bytes("99") + Bytes(2, '\0')},
                 {"", Bytes(4, '\0')}};
    for (const auto& c : cases) {
        Id3v1Record r;
        r.SetYear(c.text);
        EXPECT_EQ(Bytes(r.yearImage.begin(), r.yearImage.end()), c.image) << c.text;
    }
}

TEST(Id3v1WriteTest, ExistingTagIsReplacedInPlaceAndValuesReadBack) {
    TempDir dir;
    const Bytes audio = Audio(700);
    dir.Write("a.mp3", audio);
    Id3v1Record first = Prepared("First", "Band", "Album", "1999", "one", 3, 13);
    ASSERT_EQ(first.WriteTag(dir / "a.mp3"), 1);
    EXPECT_EQ(dir.Read("a.mp3").size(), 828u);
    Id3v1Record second = Prepared("Second \xC3\xA9t\xC3\xA9", "", "", "2010", "two", 0, 255);
    ASSERT_EQ(second.WriteTag(dir / "a.mp3"), 1);
    const Bytes file = dir.Read("a.mp3");
    EXPECT_EQ(file.size(), 828u);
    EXPECT_EQ(file.substr(0, 700), audio);

    Id3v1Record back;
    back.ReadTag(dir / "a.mp3");
    EXPECT_EQ(back.tagPresent, 1);
    EXPECT_EQ(back.version, 1);
    EXPECT_EQ(back.title, "Second \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(back.artist, "");
    EXPECT_EQ(back.year, "2010");
    EXPECT_EQ(back.comment, "two");
    EXPECT_EQ(back.track, 0);
    EXPECT_EQ(back.genre, 255);
}

TEST(Id3v1WriteTest, StripTagCutsExactlyTheBlock) {
    TempDir dir;
    const Bytes audio = Audio(400);
    dir.Write("tagged.mp3", audio + V1Block({"T", "", "", "", "", 1}));
    dir.Write("plain.mp3", audio);
    Id3v1Record r;
    EXPECT_EQ(r.StripTag(dir / "tagged.mp3"), 1);
    EXPECT_EQ(dir.Read("tagged.mp3"), audio);
    EXPECT_EQ(r.StripTag(dir / "plain.mp3"), 1);
    EXPECT_EQ(dir.Read("plain.mp3"), audio);
    EXPECT_EQ(r.StripTag(dir / "missing.mp3"), 1);
    EXPECT_FALSE(dir.Exists("missing.mp3"));
}

TEST(Id3v1WriteTest, ReadOnlyFilesAreWrittenAndStayReadOnly) {
    TempDir dir;
    dir.Write("ro.mp3", Audio(300) + V1Block({"Old", "", "", "", "", 1}));
    dir.Write("ro2.mp3", Audio(300) + V1Block({"Old", "", "", "", "", 1}));
    ASSERT_EQ(::chmod((dir / "ro.mp3").c_str(), 0444), 0);
    ASSERT_EQ(::chmod((dir / "ro2.mp3").c_str(), 0440), 0);
    Id3v1Record r = Prepared("New", "", "", "", "", 0, 2);
    EXPECT_EQ(r.WriteTag(dir / "ro.mp3"), 1);
    EXPECT_EQ(PermissionBits(dir / "ro.mp3"), 0444u);
    Id3v1Record back;
    back.ReadTag(dir / "ro.mp3");
    EXPECT_EQ(back.title, "New");

    EXPECT_EQ(r.StripTag(dir / "ro2.mp3"), 1);
    EXPECT_EQ(PermissionBits(dir / "ro2.mp3"), 0440u);
    EXPECT_EQ(dir.Read("ro2.mp3").size(), 300u);
}

TEST(Id3v1WriteTest, MissingFileOrDirectoryIsAFailure) {
    TempDir dir;
    Id3v1Record r = Prepared("T", "", "", "", "", 0, 255);
    EXPECT_EQ(r.WriteTag(dir / "missing.mp3"), 0);
    EXPECT_FALSE(dir.Exists("missing.mp3"));
    EXPECT_EQ(r.WriteTag(dir.Path()), 0);
}

TEST(Id3v1WriteTest, ShortFilesGainATag) {
    TempDir dir;
    const Bytes shortStart = Bytes("TAG") + "xyz";  // looks like a marker but is too short
    dir.Write("s.mp3", shortStart);
    Id3v1Record r = Prepared("T", "", "", "", "", 1, 1);
    ASSERT_EQ(r.WriteTag(dir / "s.mp3"), 1);
    const Bytes file = dir.Read("s.mp3");
    EXPECT_EQ(file.size(), 134u);
    EXPECT_EQ(file.substr(0, 6), shortStart);
}

}  // namespace
}  // namespace tagnomen
