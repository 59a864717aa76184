// SPDX-License-Identifier: GPL-3.0-or-later
// Reading ID3v2 tags: header, frame walk, value slots and decoding.
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagFile.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

class Id3v2ReadTest : public ::testing::Test {
  protected:
    Id3v2Record Read(const Bytes& contents, int expectedResult = 1) {
        dir.Write("a.mp3", contents);
        Id3v2Record record;
        EXPECT_EQ(record.ReadTag(dir / "a.mp3"), expectedResult);
        return record;
    }
    // A version 3 tag with one text frame, then some audio.
    Id3v2Record ReadFrame(const Bytes& id, const Bytes& data) {
        return Read(Tag(3, Frame(3, id, data), 20) + Audio(100));
    }
    TempDir dir;
};

TEST_F(Id3v2ReadTest, OnlyIsoLatin1FramesAreKeptInEveryVersion) {
    const Bytes utf16 = Bytes("\x01\xFF\xFE", 3) + Bytes("B\0a\0n\0d\0", 8);
    const struct {
        int version;
        Bytes titleId, artistId;
    } cases[] = {{2, "TT2", "TP1"}, {3, "TIT2", "TPE1"}, {4, "TIT2", "TPE1"}};
    for (const auto& c : cases) {
        const Id3v2Record r = Read(
            Tag(c.version,
                TextFrame(c.version, c.titleId, "Song") + Frame(c.version, c.artistId, utf16), 30) +
            Audio(64));
        EXPECT_EQ(r.tagPresent, 1) << c.version;
        EXPECT_EQ(r.majorVersion, c.version);
        // header, both frames (5 and 11 bytes of data), 30 bytes of padding
        EXPECT_EQ(r.tagSize, 10 + 2 * (c.version == 2 ? 6 : 10) + 5 + 11 + 30) << c.version;
        EXPECT_EQ(r.title, "Song") << c.version;
        EXPECT_EQ(r.artist, "") << c.version;
    }
}

TEST_F(Id3v2ReadTest, Version4FrameSizesArePlainNumbers) {
    // A 200-byte frame: as a plain number 00 00 00 C8; read as 7-bit groups
    // the walk would land in the middle of the frame and miss TPE1.
    const Bytes frames = TextFrame(4, "TIT2", Bytes(199, 'x')) + TextFrame(4, "TPE1", "Band");
    const Id3v2Record r = Read(Tag(4, frames, 10) + Audio(50));
    EXPECT_EQ(r.title, Bytes(199, 'x'));
    EXPECT_EQ(r.artist, "Band");
    const Id3v2Record small = Read(Tag(4, Bytes("TIT2\0\0\0\x05\0\0\0Song", 15)) + Audio(10));
    EXPECT_EQ(small.title, "Song");
}

TEST_F(Id3v2ReadTest, GenreBracketRule) {
    const struct {
        Bytes text;
        const char* genre;
    } cases[] = {
        {"(17)", "17"},     {"Rock", "Rock"},     {"(300)", "255"},
        {"(RX)", "RX"},     {"(17)Rock", "Rock"}, {"(17) Rock", "Rock"},
        {"(17)(18)", "18"}, {")Rock", ")Rock"},   {"Pop)Rock", "Pop)Rock"},
        {"(4)  ", "4"},     {"  (4)", ""},        {"-1", "255"},
        {"(-5)", "255"},    {"255", "255"},       {"256", "255"},
        {"(", "("},         {"()", ""},           {"(17)(", "("},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrame("TCON", Bytes(1, '\0') + c.text).genre, c.genre) << c.text;
    }
    EXPECT_EQ(ReadFrame("TIT2", Bytes(1, '\0') + "x").genre, "");
}

TEST_F(Id3v2ReadTest, TrackNumberRules) {
    const struct {
        Bytes text;
        int track;
    } cases[] = {{"3/12", 3}, {"120", 0}, {"A1", 0}, {"7 ", 7}, {" 7", 0},    {"99", 99},
                 {"100", 0},  {"0", 0},   {"-3", 0}, {"/5", 0}, {"12abc", 12}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrame("TRCK", Bytes(1, '\0') + c.text).track, c.track) << c.text;
    }
}

TEST_F(Id3v2ReadTest, FallbackFramesFillOnlyMissingValues) {
    const Id3v2Record fallbacks =
        Read(Tag(4,
                 TextFrame(4, "TDRC", "2003-05-12") + TextFrame(4, "TIT1", "Group") +
                     TextFrame(4, "TOPE", "Orig") + TextFrame(4, "TOAL", "First Album"),
                 16) +
             Audio(10));
    EXPECT_EQ(fallbacks.year, "2003");
    EXPECT_EQ(fallbacks.title, "Group");
    EXPECT_EQ(fallbacks.artist, "Orig");
    EXPECT_EQ(fallbacks.album, "First Album");

    const Id3v2Record both =
        Read(Tag(3,
                 TextFrame(3, "TDRC", "2003") + TextFrame(3, "TYER", "1999") +
                     TextFrame(3, "TIT1", "Group") + TextFrame(3, "TIT2", "Song"),
                 0) +
             Audio(10));
    EXPECT_EQ(both.year, "1999");
    EXPECT_EQ(both.title, "Song");

    // A title frame that counts as empty lets the fallback through.
    const Id3v2Record empty = Read(
        Tag(3, TextFrame(3, "TIT2", "\xC9t\xE9") + TextFrame(3, "TIT1", "Group"), 0) + Audio(10));
    EXPECT_EQ(empty.title, "Group");
}

TEST_F(Id3v2ReadTest, CommentAndUrlLayouts) {
    const struct {
        const char* name;
        Bytes id;
        Bytes data;
        const char* comment;
        const char* url;
    } cases[] = {
        {"comment text", "COMM", Bytes("\0eng\0Nice", 9), "Nice", ""},
        {"comment text failing the rule", "COMM", Bytes("\0engDesc\0 0000A", 15), "engDesc", ""},
        {"comment with description", "COMM", Bytes("\0engDesc\0Text", 13), "Text", ""},
        {"comment without text", "COMM", Bytes("\0eng", 4), "eng", ""},
        {"comment, language of NULs", "COMM", Bytes("\0\0\0\0\0Text", 9), "Text", ""},
        {"comment trimmed", "COMM", Bytes("\0eng\0 ", 6) + "", "eng", ""},
        {"comment with other encoding", "COMM", Bytes("\1eng\0Nice", 9), "", ""},
        {"url without description", "WXXX", Bytes("\0\0link", 6), "", "link"},
        {"url with description", "WXXX", Bytes("\0home\0x", 7), "", "home"},
        {"url trimmed", "WXXX", Bytes("\0\0http://x  ", 12), "", "http://x"},
        {"url failing the rule", "WXXX", Bytes("\0\0 x", 4), "", ""},
    };
    for (const auto& c : cases) {
        const Id3v2Record r = ReadFrame(c.id, c.data);
        EXPECT_EQ(r.comment, c.comment) << c.name;
        EXPECT_EQ(r.url, c.url) << c.name;
    }
}

TEST_F(Id3v2ReadTest, PlainTextFramesOfEveryRow) {
    const Bytes frames = TextFrame(3, "TIT2", "Song \t ") + TextFrame(3, "TPE1", "Band") +
                         TextFrame(3, "TALB", "Album") + TextFrame(3, "TYER", "2001") +
                         TextFrame(3, "TCOM", "Composer ") + TextFrame(3, "TENC", "Encoder") +
                         TextFrame(3, "TCOP", "(c) Me") + TextFrame(3, "TLAN", "eng") +
                         TextFrame(3, "TXXX", "ignored") + TextFrame(3, "TCOM", "Last Composer");
    const Id3v2Record r = Read(Tag(3, frames, 100) + Audio(10));
    EXPECT_EQ(r.title, "Song");
    EXPECT_EQ(r.artist, "Band");
    EXPECT_EQ(r.album, "Album");
    EXPECT_EQ(r.year, "2001");
    EXPECT_EQ(r.composer, "Last Composer");  // a later frame with the same id wins
    EXPECT_EQ(r.encodedBy, "Encoder");
    EXPECT_EQ(r.rightsNotice, "(c) Me");
    EXPECT_EQ(r.language, "eng");
    // The read values are also the values to write.
    EXPECT_EQ(r.ValueToWrite(0), "Song");
    EXPECT_EQ(r.ValueToWrite(7), "Last Composer");
}

TEST_F(Id3v2ReadTest, TextStartAndLatin1Conversion) {
    const struct {
        Bytes text;
        const char* title;
    } cases[] = {
        {"\xC9t\xE9", ""},
        {"\xA9 Me", "\xC2\xA9 Me"},
        {"Caf\xE9", "Caf\xC3\xA9"},
        {" Song", ""},  // the encoding byte and a blank both fail the rule
        {"\x01"
         "abc",
         ""},
        {"Song\x01", "Song\x01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrame("TIT2", Bytes(1, '\0') + c.text).title, c.title) << c.text;
    }
    // Composer and its kin start at the second byte and follow the rule there.
    EXPECT_EQ(ReadFrame("TCOM", Bytes("\0 Bach", 6)).composer, "");
    EXPECT_EQ(ReadFrame("TCOM", Bytes("\0\xA9"
                                      "Bach",
                                      6))
                  .composer,
              "\xC2\xA9"
              "Bach");
}

TEST_F(Id3v2ReadTest, LongFramesKeep248CharactersAndTheWalkGoesOn) {
    const Bytes frames = TextFrame(3, "TIT2", Bytes(300, 'L')) + TextFrame(3, "TPE1", "Next") +
                         Frame(3, "APIC", Bytes(20000, '\x55')) + TextFrame(3, "TALB", "After");
    const Id3v2Record r = Read(Tag(3, frames, 64) + Audio(100));
    EXPECT_EQ(r.title, Bytes(248, 'L'));
    EXPECT_EQ(r.artist, "Next");
    EXPECT_EQ(r.album, "After");
}

TEST_F(Id3v2ReadTest, WalkStopsAtPaddingAndDamage) {
    // A frame after the padding is not reached.
    const Bytes afterPadding =
        Tag(3, TextFrame(3, "TIT2", "Song") + Bytes(10, '\0') + TextFrame(3, "TPE1", "Hidden"));
    EXPECT_EQ(Read(afterPadding + Audio(10)).artist, "");
    EXPECT_EQ(Read(afterPadding + Audio(10)).title, "Song");
    // The extended-header flag: what follows the header is not a frame id.
    const Bytes extended =
        Tag(3, Bytes("\0\0\0\x06\0\0\0\0\0\0", 10) + TextFrame(3, "TIT2", "Song"), 0, 0x40);
    EXPECT_EQ(Read(extended + Audio(10)).title, "");
    // A lowercase id ends the walk; slots filled before stay filled.
    const Bytes damaged = Tag(
        3, TextFrame(3, "TIT2", "Song") + TextFrame(3, "tpe1", "x") + TextFrame(3, "TALB", "A"));
    const Id3v2Record r = Read(damaged + Audio(10));
    EXPECT_EQ(r.title, "Song");
    EXPECT_EQ(r.album, "");
}

TEST_F(Id3v2ReadTest, HeaderOutcomes) {
    const struct {
        const char* name;
        Bytes contents;
        int result;
        int present;
        int version;
        int size;
        const char* title;
    } cases[] = {
        {"no file bytes", "", 0, 0, 0, 0, ""},
        {"nine bytes", "ID3\x03\0\0\0\0\0", 0, 0, 0, 0, ""},
        {"not ID3", Audio(100), 1, 0, 0, 0, ""},
        {"version 5", Tag(5, TextFrame(3, "TIT2", "Song")) + Audio(10), 1, 1, 5, 25, ""},
        {"version 1", Tag(1, TextFrame(3, "TIT2", "Song")) + Audio(10), 1, 1, 1, 25, ""},
        {"size past the end", Tag(3, TextFrame(3, "TIT2", "Song"), 1000).substr(0, 100), 1, 1, 3, 0,
         ""},
        {"size exactly the file", Tag(3, TextFrame(3, "TIT2", "Song"), 5), 1, 1, 3, 30, "Song"},
        {"footer flag adds ten", Tag(4, TextFrame(4, "TIT2", "Song"), 0, 0x10) + Bytes(20, 'F'), 1,
         1, 4, 35, "Song"},
        {"footer flag past the end", Tag(4, TextFrame(4, "TIT2", "Song"), 0, 0x10) + "3DI", 1, 1, 4,
         0, ""},
        {"bare header", Bytes("ID3\x03\0\0\0\0\0\0", 10), 1, 1, 3, 10, ""},
    };
    for (const auto& c : cases) {
        const Id3v2Record r = Read(c.contents, c.result);
        EXPECT_EQ(r.tagPresent, c.present) << c.name;
        EXPECT_EQ(r.majorVersion, c.version) << c.name;
        EXPECT_EQ(r.tagSize, c.size) << c.name;
        EXPECT_EQ(r.title, c.title) << c.name;
    }
    Id3v2Record missing;
    EXPECT_EQ(missing.ReadTag(dir / "missing.mp3"), 0);
    EXPECT_EQ(missing.ReadTag(dir.Path()), 0);
}

TEST_F(Id3v2ReadTest, HostileSizesStayInsideTheFile) {
    const struct {
        const char* name;
        Bytes contents;
        const char* title;
        const char* artist;
    } cases[] = {
        // The data of an oversized frame is read as far as the file goes.
        {"frame size 0xFFFFFFFF after a good frame",
         Tag(3, TextFrame(3, "TIT2", "Song") + Bytes("TPE1\xFF\xFF\xFF\xFF\0\0\0Band", 15), 40),
         "Song", "Band"},
        {"frame size 0xFFFFFFFF first",
         Tag(3, Bytes("TIT2\xFF\xFF\xFF\xFF\0\0\0Song", 15) + TextFrame(3, "TPE1", "Band")),
         "SongTPE1", ""},
        {"24-bit size past the end", Tag(2, Bytes("TT2\xFF\xFF\xFF\0Song", 11)), "Song", ""},
        {"header bytes with high bits",
         Bytes("ID3\x03\0\0\xFF\xFF\xFF\xFF", 10) + TextFrame(3, "TIT2", "Song"), "", ""},
        {"frame header cut by the end of file",
         Tag(3, TextFrame(3, "TIT2", "Song") + Bytes("TPE", 3)), "Song", ""},
        {"version 2 frame header cut", Tag(2, TextFrame(2, "TT2", "Song") + "TP"), "Song", ""},
    };
    for (const auto& c : cases) {
        const Id3v2Record r = Read(c.contents);
        EXPECT_EQ(r.title, c.title) << c.name;
        EXPECT_EQ(r.artist, c.artist) << c.name;
    }
}

TEST_F(Id3v2ReadTest, StaleValuesAreClearedByTheNextRead) {
    Id3v2Record r;
    dir.Write("tagged.mp3", Tag(3, TextFrame(3, "TIT2", "Song") + TextFrame(3, "TRCK", "4")));
    dir.Write("plain.mp3", Audio(50));
    ASSERT_EQ(r.ReadTag(dir / "tagged.mp3"), 1);
    ASSERT_EQ(r.title, "Song");
    ASSERT_EQ(r.ReadTag(dir / "plain.mp3"), 1);
    EXPECT_EQ(r.tagPresent, 0);
    EXPECT_EQ(r.title, "");
    EXPECT_EQ(r.track, 0);
    EXPECT_EQ(r.ValueToWrite(0), "");
}

TEST(ReadTagsTest, OneOpenGivesTheSameValuesAsTwoReads) {
    TempDir dir;
    // Tags that cross the reader's cached window in several ways: a big
    // picture between text frames, audio after the tag, an ID3v1 block.
    const struct {
        const char* name;
        Bytes contents;
    } cases[] = {
        {"small", Tag(3, TextFrame(3, "TIT2", "Song"), 30) + Audio(200) +
                      V1Block({"V1 Song", "V1 Band", "", "1999", "c", 4})},
        {"picture first", Tag(3,
                              Frame(3, "APIC", Bytes(9000, 'p')) + TextFrame(3, "TIT2", "Song") +
                                  TextFrame(3, "TPE1", "Band"),
                              500) +
                              Audio(5000) + V1Block({"T", "A", "B", "2000", "", 7})},
        {"text across the window edge",
         Tag(3, Frame(3, "PRIV", Bytes(4070, 'q')) + TextFrame(3, "TIT2", Bytes(240, 's'))) +
             Audio(10) + V1Block({"T", "", "", "", "", 1})},
        {"tiny", Bytes("ID3\x03\0\0\0\0\0\0", 10)},
        {"tag block only", V1Block({"Only", "", "", "", "", 1})},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        dir.Write("f.mp3", c.contents);
        Id3v1Record v1a, v1b;
        Id3v2Record v2a, v2b;
        const int combined = ReadTags(dir / "f.mp3", v1a, v2a);
        EXPECT_EQ(combined, v2b.ReadTag(dir / "f.mp3")) << c.name;
        v1b.ReadTag(dir / "f.mp3");
        EXPECT_EQ(v1a.tagPresent, v1b.tagPresent) << c.name;
        EXPECT_EQ(v1a.title, v1b.title) << c.name;
        EXPECT_EQ(v1a.track, v1b.track) << c.name;
        EXPECT_EQ(v2a.tagPresent, v2b.tagPresent) << c.name;
        EXPECT_EQ(v2a.tagSize, v2b.tagSize) << c.name;
        EXPECT_EQ(v2a.title, v2b.title) << c.name;
        EXPECT_EQ(v2a.artist, v2b.artist) << c.name;
        // The same bytes in memory read as the file does.
        Id3v1Record v1m;
        Id3v2Record v2m;
        EXPECT_EQ(ReadTags(TagFile::FromBytes(c.contents), v1m, v2m), combined) << c.name;
        EXPECT_EQ(std::tie(v1m.tagPresent, v1m.title, v1m.track, v2m.tagPresent, v2m.tagSize,
                           v2m.title, v2m.artist),
                  std::tie(v1a.tagPresent, v1a.title, v1a.track, v2a.tagPresent, v2a.tagSize,
                           v2a.title, v2a.artist))
            << c.name;
    }
    // Spot checks of the values themselves.
    dir.Write("f.mp3", cases[1].contents);
    Id3v1Record v1;
    Id3v2Record v2;
    ReadTags(dir / "f.mp3", v1, v2);
    EXPECT_EQ(v2.title, "Song");
    EXPECT_EQ(v2.artist, "Band");
    EXPECT_EQ(v1.genre, 7);
    EXPECT_EQ(v1.album, "B");
    dir.Write("f.mp3", cases[2].contents);
    ReadTags(dir / "f.mp3", v1, v2);
    EXPECT_EQ(v2.title, Bytes(240, 's'));
}

}  // namespace
}  // namespace tagnomen
