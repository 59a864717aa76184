// SPDX-License-Identifier: GPL-3.0-or-later
// Reading tags as today's players and taggers write them (full support):
// every text encoding, versions 2 to 4, extended headers, unsynchronisation,
// version 4 sizes written as plain numbers, described comments, genre forms.
#include <gtest/gtest.h>

#include <string>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

constexpr const char* kUber = "\u00DCber Alles";  // "Über Alles"
constexpr const char* kEdith = "\u00C9dith Piaf";
const std::u16string kUber16 = u"\u00DCber Alles";
const std::u16string kTokyo16 = u"\u6771\u4EAC";  // "東京"
constexpr const char* kTokyo = "\u6771\u4EAC";

// A COMM frame of version 4: encoding, language, description, text.
Bytes Comment(char encoding, const Bytes& description, const Bytes& text) {
    const Bytes terminator(encoding == 1 || encoding == 2 ? 2 : 1, '\0');
    return Frame4("COMM", Bytes(1, encoding) + "eng" + description + terminator + text);
}

Id3v2Record ReadFull(const TempDir& dir, const Bytes& contents) {
    dir.Write("a.mp3", contents);
    Id3v2Record record(TagSupport::Full);
    EXPECT_EQ(record.ReadTag(dir / "a.mp3"), 1);
    return record;
}

TEST(FullSupportReadTest, EveryEncodingVersionAndLayout) {
    const Bytes cover = Frame(3, "APIC", Bytes("\0image/jpeg\0\3\0", 14) + Bytes(100000, 'J'));
    const Bytes bigFrame = TextFrame(4, "TIT2", Bytes(299, 'x'));  // plain size 00 00 01 2C
    const Bytes unsyncTitle = Bytes("\0\xFF\xFE", 3) + "Song";     // Latin-1 "ÿþSong"
    const struct {
        const char* name;
        Bytes file;
        Bytes title;
        Bytes artist;
        const char* encoding;  // of the title's frame
    } cases[] = {
        {"ISO-8859-1, accented first letter",
         Tag(3, TextFrame(3, "TIT2",
                          "\xDC"
                          "ber Alles") +
                    TextFrame(3, "TPE1",
                              "\xC9"
                              "dith Piaf")),
         kUber, kEdith, "iso-8859-1"},
        {"UTF-16, little-endian mark",
         Tag(3, Frame(3, "TIT2", "\1" + Utf16(kUber16, Utf16Form::LittleWithMark))), kUber, "",
         "utf-16"},
        {"UTF-16, big-endian mark",
         Tag(3, Frame(3, "TIT2", "\1" + Utf16(kTokyo16, Utf16Form::BigWithMark))), kTokyo, "",
         "utf-16"},
        {"UTF-16BE of version 4",
         Tag(4, Frame4("TIT2", "\2" + Utf16(kUber16, Utf16Form::BigWithoutMark))), kUber, "",
         "utf-16be"},
        {"UTF-8 of version 4, several values",
         Tag(4, Frame4("TIT2", std::string("\3") + kTokyo) +
                    Frame4("TPE1", std::string("\3") + kEdith + '\0' + "Second")),
         kTokyo, kEdith, "utf-8"},
        {"version 2 ids",
         Tag(2, Frame(2, "TT2", "\1" + Utf16(kUber16, Utf16Form::LittleWithMark)) +
                    TextFrame(2, "TP1", "Band")),
         kUber, "Band", "utf-16"},
        {"version 3 extended header",
         Tag(3, Bytes("\0\0\0\6", 4) + Bytes(6, '\0') + TextFrame(3, "TIT2", "Song"), 0, 0x40),
         "Song", "", "iso-8859-1"},
        {"version 4 extended header",
         Tag(4, Syncsafe(6) + Bytes("\1\0", 2) + Frame4("TIT2", Bytes("\0Song", 5)), 0, 0x40),
         "Song", "", "iso-8859-1"},
        {"version 3 tag unsynchronised as a whole",
         Bytes("ID3\3\0\x80", 6) +
             Syncsafe(
                 static_cast<std::uint32_t>(Unsynchronised(Frame(3, "TIT2", unsyncTitle)).size())) +
             Unsynchronised(Frame(3, "TIT2", unsyncTitle)),
         "\u00FF\u00FESong", "", "iso-8859-1"},
        {"version 4 frame unsynchronised with its data length",
         Tag(4, Frame4("TIT2", Syncsafe(7) + Unsynchronised(unsyncTitle), 0x0003)),
         "\u00FF\u00FESong", "", "iso-8859-1"},
        {"version 4 sizes written as plain numbers",
         Tag(4, bigFrame + TextFrame(4, "TPE1", "Band"), 10), Bytes(250, 'x'), "Band",
         "iso-8859-1"},
        {"a cover before the text frames",
         Tag(3, cover + TextFrame(3, "TIT2", "Song") + TextFrame(3, "TPE1", "Band")), "Song",
         "Band", "iso-8859-1"},
        {"a frame running past the tag is not read from the audio",
         Tag(3, TextFrame(3, "TPE1", "Band") + Bytes("TIT2\0\0\0\x20\0\0\0Aud", 14)) + "io", "",
         "Band", ""},
        {"blanks around a value are no part of it, as players show it",
         Tag(3, TextFrame(3, "TIT2", " Song ") + TextFrame(3, "TPE1", "\tBand")), "Song", "Band",
         "iso-8859-1"},
        {"a control character does not start a value",
         Tag(3, TextFrame(3, "TIT2", "\x01Song") + TextFrame(3, "TPE1",
                                                             "\x02"
                                                             "Band")),
         "", "", ""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const Id3v2Record r = ReadFull(dir, c.file + Audio(200));
        EXPECT_EQ(r.title, c.title) << c.name;
        EXPECT_EQ(r.artist, c.artist) << c.name;
        EXPECT_EQ(r.valueEncodings[kTitleRow], c.encoding) << c.name;
    }
}

TEST(FullSupportReadTest, CommentTrackYearAndGenreForms) {
    const struct {
        const char* name;
        Bytes frames;
        const char* comment;
        int track;
        const char* year;
    } cases[] = {
        {"described comments are not the comment",
         Comment(0, "iTunNORM", " 0000A") + Comment(3, "", "Nice"), "Nice", 0, ""},
        {"only a described comment", Comment(0, "iTunSMPB", " 01"), "", 0, ""},
        {"UTF-16 comment",
         Comment(1, Utf16(u"", Utf16Form::LittleWithMark),
                 Utf16(kUber16, Utf16Form::LittleWithMark)),
         kUber, 0, ""},
        {"track with total, recording time",
         Frame4("TRCK", Bytes(1, '\0') + "9/12") + Frame4("TDRC", Bytes(1, '\0') + "2003-05-12"),
         "", 9, "2003"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const Id3v2Record r = ReadFull(dir, Tag(4, c.frames) + Audio(50));
        EXPECT_EQ(r.comment, c.comment) << c.name;
        EXPECT_EQ(r.track, c.track) << c.name;
        EXPECT_EQ(r.year, c.year) << c.name;
    }

    const struct {
        Bytes text;
        const char* genre;
    } genres[] = {
        {"(17)", "17"}, {"(17)Rock", "17"}, {"Rock", "17"},      {"rock", "17"},
        {"17", "17"},   {"(RX)", "Remix"},  {"(CR)", "Cover"},   {"Synthwave", "Synthwave"},
        {"(255)", ""},  {"(300)", ""},      {"((Odd)", "(Odd)"}, {Bytes("Pop\0Rock", 8), "13"}};
    for (const auto& g : genres) {
        const Id3v2Record r =
            ReadFull(dir, Tag(4, Frame4("TCON", Bytes(1, '\0') + g.text)) + Audio(50));
        EXPECT_EQ(r.genre, g.genre) << g.text;
    }
}

TEST(FullSupportReadTest, Id3v1ByTheCommonRules) {
    const struct {
        const char* name;
        V1Fields fields;
        const char* title;
        int version;
        int track;
        Bytes comment;
    } cases[] = {
        {"a blank as 29th comment character stays in the comment",
         {"\xC9t\xE9", "", "", "", Bytes(28, 'c') + " z"},
         "\u00C9t\u00E9",
         1,
         0,
         Bytes(28, 'c') + " z"},
        {"zero and a track number make ID3v1.1",
         {"\tT", "", "", "", Bytes(28, 'c') + Bytes("\0\5", 2)},
         "",
         2,
         5,
         Bytes(28, 'c')},
    };
    TempDir dir;
    for (const auto& c : cases) {
        dir.Write("a.mp3", Audio(100) + V1Block(c.fields));
        Id3v1Record full(TagSupport::Full);
        full.ReadTag(dir / "a.mp3");
        EXPECT_EQ(full.version, c.version) << c.name;
        EXPECT_EQ(full.track, c.track) << c.name;
        EXPECT_EQ(full.comment, c.comment) << c.name;
        EXPECT_EQ(full.title, c.title) << c.name;
    }
}

TEST(FullSupportReadTest, CoverPictureOfAnyVersion) {
    TempDir dir;
    const Bytes jpeg = "\xFF\xD8" + Bytes(5000, 'j');
    dir.Write("v3.mp3", Tag(3, Frame(3, "APIC", Bytes("\0image/png\0\4\0", 13) + "PNG") +
                                   Frame(3, "APIC", Bytes("\0image/jpeg\0\3Front\0", 19) + jpeg)) +
                            Audio(10));
    dir.Write("v2.mp3", Tag(2, Frame(2, "PIC", Bytes("\0JPG\3\0", 6) + jpeg)) + Audio(10));
    for (const char* name : {"v3.mp3", "v2.mp3"}) {
        const std::optional<Picture> cover = ReadCoverPicture(dir / name);
        ASSERT_TRUE(cover) << name;
        EXPECT_EQ(cover->mimeType, "image/jpeg") << name;
        EXPECT_EQ(cover->data, jpeg) << name;
    }
    dir.Write("none.mp3", Tag(3, TextFrame(3, "TIT2", "x")) + Audio(10));
    EXPECT_FALSE(ReadCoverPicture(dir / "none.mp3"));
}

}  // namespace
}  // namespace tagnomen
