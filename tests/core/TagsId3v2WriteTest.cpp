// SPDX-License-Identifier: GPL-3.0-or-later
// Writing ID3v2 tags: slots, frame data, layout, in-place writes and rebuilds.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/TagValues.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

Id3v2Record Values(const std::string& title, const std::string& artist = "") {
    Id3v2Record r;
    r.Reset();
    r.SetTitle(title);
    r.SetArtist(artist);
    return r;
}

ValueSlot SlotOf(const Bytes& bytes) {
    ValueSlot slot{};
    std::copy(bytes.begin(),
              bytes.begin() +
                  static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), slot.size())),
              slot.begin());
    return slot;
}

TEST(Id3v2FrameDataTest, LengthFollowsTheTwoPartRule) {
    const struct {
        const char* name;
        Bytes slot;
        int length;  // data bytes after the encoding byte; -1: no frame
    } cases[] = {
        {"text", "Song", 4},
        {"comment", Bytes("eng\0Nice", 8), 8},
        {"url", Bytes("\0link", 5), 5},
        {"first byte fails, second passes",
         "\xC9"
         "dith",
         5},
        {"first two bytes fail",
         "\xC9\xC9"
         "ab",
         0},
        {"comment text failing the rule", Bytes("eng\0\xC9t\xE9", 7), 3},
        {"empty slot", "", -1},
        {"blank only", " ", 0},
        {"249 characters", Bytes(249, 'x'), 249},
        {"250 bytes without NUL", Bytes(250, 'x'), 250},
        {"second part reaching the end", Bytes("a\0", 2) + Bytes(248, 'y'), 250},
        {"first part ends at the last byte", Bytes(249, 'x') + "\0", 249},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Id3v2Record::FrameDataLength(SlotOf(c.slot)), c.length) << c.name;
    }
}

TEST(Id3v2WriteTest, SettersTrimCutAndConvert) {
    Id3v2Record r;
    r.SetTitle("  \tSong \r\n");
    EXPECT_EQ(r.ValueToWrite(0), "Song");
    r.SetArtist(std::string(300, 'a'));
    EXPECT_EQ(r.ValueToWrite(1), std::string(250, 'a'));
    r.SetAlbum("Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(r.ValueToWrite(2), "Caf\xC3\xA9 ?");
    std::string wide;
    for (int i = 0; i < 260; ++i) {
        wide += "\xC3\xA9";
    }
    r.SetComment(wide);  // 260 characters of two bytes each: cut by characters
    EXPECT_EQ(r.ValueToWrite(6).size(), 500u);

    const struct {
        const char* text;
        int track;
    } tracks[] = {{" 7 ", 7},    {"99", 99}, {"100", 0},  {"-1", 0}, {"x", 0},
                  {"12abc", 12}, {"", 0},    {"3/12", 3}, {"0", 0},  {"99999999999", 0}};
    for (const auto& t : tracks) {
        r.SetTrack(t.text);
        EXPECT_EQ(r.TrackToWrite(), t.track) << t.text;
    }
    r.Reset();
    EXPECT_EQ(r.ValueToWrite(0), "");
    EXPECT_EQ(r.TrackToWrite(), 0);
}

TEST(Id3v2WriteTest, NewTagOnAnUntaggedFileIsThe512ByteImage) {
    TempDir dir;
    const Bytes audio = Audio(3000) + V1Block({"V1", "", "", "", "", 3});
    dir.Write("a.mp3", audio);
    Id3v2Record r = Values("Song", "Band");
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    const Bytes expected = Bytes("ID3\x03\x00\x00\x00\x00\x03\x76", 10) +
                           Bytes("TIT2\0\0\0\x05\0\0\0Song", 15) +
                           Bytes("TPE1\0\0\0\x05\0\0\0Band", 15) + Bytes(472, '\0');
    const Bytes file = dir.Read("a.mp3");
    ASSERT_EQ(file.size(), audio.size() + 512);
    EXPECT_EQ(file.substr(0, 512), expected);
    EXPECT_EQ(file.substr(512), audio);
    EXPECT_FALSE(dir.Exists("a.mp3.tmp"));

    // Written again with values that still fit: in place, same length.
    Id3v2Record again = Values("Another Song", "Another Band");
    again.SetAlbum("Album");
    ASSERT_EQ(again.WriteTag(dir / "a.mp3"), 1);
    const Bytes rewritten = dir.Read("a.mp3");
    ASSERT_EQ(rewritten.size(), file.size());
    EXPECT_EQ(rewritten.substr(6, 4), Bytes("\x00\x00\x03\x76", 4));
    EXPECT_EQ(rewritten.substr(512), audio);
    Id3v2Record back;
    ASSERT_EQ(back.ReadTag(dir / "a.mp3"), 1);
    EXPECT_EQ(back.title, "Another Song");
    EXPECT_EQ(back.album, "Album");
}

TEST(Id3v2WriteTest, FramesInRowOrderWithTheirSpecialLayouts) {
    TempDir dir;
    dir.Write("a.mp3", Audio(100));
    Id3v2Record r = Values("Song");
    r.SetTrack("7");
    r.SetGenre("17");
    r.SetComment("Nice");
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    const Bytes frames = Bytes("TIT2\0\0\0\x05\0\0\0Song", 15) +
                         Bytes(
                             "TRCK\0\0\0\x02\0\0\0"
                             "7",
                             12) +
                         Bytes("TCON\0\0\0\x05\0\0\0(17)", 15) +
                         Bytes("COMM\0\0\0\x09\0\0\0eng\0Nice", 19);
    const Bytes file = dir.Read("a.mp3");
    EXPECT_EQ(file.substr(10, frames.size()), frames);
    EXPECT_EQ(file.substr(10 + frames.size(), 512 - 10 - frames.size()),
              Bytes(512 - 10 - frames.size(), '\0'));

    const struct {
        const char* name;
        const char* track;
        const char* genre;
        Bytes expected;  // frames after TIT2
    } cases[] = {
        {"track 0, empty genre", "0", "", ""},
        {"genre 255", "", "255", Bytes("TCON\0\0\0\x06\0\0\0(255)", 16)},
    };
    for (const auto& c : cases) {
        Id3v2Record v = Values("Song");
        v.SetTrack(c.track);
        v.SetGenre(c.genre);
        ASSERT_EQ(v.WriteTag(dir / "a.mp3"), 1) << c.name;
        const Bytes tag = dir.Read("a.mp3").substr(25, c.expected.size() + 10);
        EXPECT_EQ(tag, c.expected + Bytes(10, '\0')) << c.name;
    }

    // A url is written with an empty description.
    Id3v2Record link;
    link.SetUrl("http://x");
    ASSERT_EQ(link.WriteTag(dir / "a.mp3"), 1);
    EXPECT_EQ(dir.Read("a.mp3").substr(10, 20), Bytes("WXXX\0\0\0\x0A\0\0\0\0http://x", 20));
}

TEST(Id3v2WriteTest, LongValuesAreCutToFitTheirSlots) {
    TempDir dir;
    dir.Write("a.mp3", Audio(100));
    Id3v2Record r;
    const std::string longText(250, 'v');
    r.SetTitle(longText);
    r.SetComment(longText);
    r.SetGenre(longText);
    r.SetUrl(longText);
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    Id3v2Record back;
    ASSERT_EQ(back.ReadTag(dir / "a.mp3"), 1);
    // Each frame carries 250 bytes of data; a read keeps 249 of them, the
    // encoding byte included.
    EXPECT_EQ(back.title, std::string(248, 'v'));
    EXPECT_EQ(back.comment, std::string(244, 'v'));      // after "eng" and its NUL
    EXPECT_EQ(back.url, std::string(247, 'v'));          // after the empty description
    EXPECT_EQ(back.genre, "(" + std::string(247, 'v'));  // the closing bracket is lost
    const Bytes file = dir.Read("a.mp3");
    // TIT2: 249 bytes of text plus the encoding byte.
    EXPECT_EQ(file.substr(10, 8), Bytes("TIT2\0\0\0\xFA", 8));
    // The tag holds: header, TIT2 260, TCON 260, COMM 260, WXXX 260 = 1050 bytes.
    EXPECT_EQ(file.substr(6, 4), Syncsafe(1040));
}

TEST(Id3v2WriteTest, RoundTripOfEveryValue) {
    TempDir dir;
    dir.Write("a.mp3", Audio(100));
    Id3v2Record r;
    SetValues(r, {.title = "T\xC3\xADtulo",
                  .artist = "Art\xC3\xADsta",
                  .album = "Album \xC3\x85",
                  .year = "1999",
                  .track = "12",
                  .genre = "17",
                  .comment = "Nice comment"});
    r.SetComposer("Comp");
    r.SetEncodedBy("Enc");
    r.SetRightsNotice("(c) 1999");
    r.SetLanguage("spa");
    r.SetUrl("http://example.org/");
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    Id3v2Record back;
    ASSERT_EQ(back.ReadTag(dir / "a.mp3"), 1);
    EXPECT_EQ(back.majorVersion, 3);
    EXPECT_EQ(back.tagSize, 512);
    EXPECT_EQ(back.title, "T\xC3\xADtulo");
    EXPECT_EQ(back.artist, "Art\xC3\xADsta");
    EXPECT_EQ(back.album, "Album \xC3\x85");
    EXPECT_EQ(back.track, 12);
    EXPECT_EQ(back.year, "1999");
    EXPECT_EQ(back.genre, "17");
    EXPECT_EQ(back.comment, "Nice comment");
    EXPECT_EQ(back.composer, "Comp");
    EXPECT_EQ(back.encodedBy, "Enc");
    EXPECT_EQ(back.rightsNotice, "(c) 1999");
    EXPECT_EQ(back.language, "spa");
    EXPECT_EQ(back.url, "http://example.org/");
}

TEST(Id3v2WriteTest, TextStartingAboveTheRuleIsWrittenButReadsAsEmpty) {
    TempDir dir;
    dir.Write("a.mp3", Audio(100));
    Id3v2Record r;
    r.SetTitle("\xC3\x89t\xC3\xA9");  // 0xC9: the first byte fails, the second passes
    r.SetArtist("\xC3\x89\xC3\x89");  // both fail: a frame of the encoding byte only
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    const Bytes file = dir.Read("a.mp3");
    EXPECT_EQ(file.substr(10, 29), Bytes("TIT2\0\0\0\x04\0\0\0\xC9t\xE9", 14) +
                                       Bytes("TPE1\0\0\0\x01\0\0\0", 11) + Bytes(4, '\0'));
    Id3v2Record back;
    ASSERT_EQ(back.ReadTag(dir / "a.mp3"), 1);
    EXPECT_EQ(back.title, "");
    EXPECT_EQ(back.artist, "");
}

TEST(Id3v2WriteTest, InPlaceOrRebuildDependsOnTheOldTag) {
    const Bytes smallFrames = TextFrame(4, "TIT2", "Old") + Frame(4, "APIC", Bytes(300, 'p'));
    const std::string big(100, 'b');
    const Bytes footer = Bytes("3DI") + Bytes(7, '\0');
    const struct {
        const char* name;
        Bytes oldTag;
        bool bigValues;            // four frames of 111 bytes: 454 bytes with the header
        std::size_t newTagLength;  // length of the tag written
        bool oldBytesKept;         // the old tag stays behind the new one
    } cases[] = {
        {"2048-byte version 4 tag, in place", TagOfLength(4, smallFrames, 2048), false, 2048,
         false},
        {"4096-byte tag, in place", TagOfLength(3, smallFrames, 4096), false, 4096, false},
        {"4097-byte tag, rebuilt", TagOfLength(3, smallFrames, 4097), false, 512, false},
        {"6000-byte tag, rebuilt", TagOfLength(3, smallFrames, 6000), false, 512, false},
        {"400-byte tag, frames of 454 bytes", TagOfLength(3, smallFrames, 400), true, 512, false},
        {"454-byte tag, frames of 454 bytes", TagOfLength(3, smallFrames, 454), true, 454, false},
        {"footer makes room", Tag(4, smallFrames, 450 - 10 - smallFrames.size(), 0x10) + footer,
         true, 460, false},
        {"version 2 tag, in place", TagOfLength(2, TextFrame(2, "TT2", "x"), 600), false, 600,
         false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const Bytes audio = Audio(5000) + V1Block({"V1", "", "", "", "", 9});
        dir.Write("a.mp3", c.oldTag + audio);
        Id3v2Record r = Values("New", "Band");
        if (c.bigValues) {
            r.SetTitle(big);
            r.SetArtist(big);
            r.SetAlbum(big);
            r.SetComposer(big);
        }
        ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1) << c.name;
        const Bytes rest = (c.oldBytesKept ? c.oldTag : "") + audio;
        const Bytes file = dir.Read("a.mp3");
        ASSERT_EQ(file.size(), c.newTagLength + rest.size()) << c.name;
        EXPECT_EQ(file.substr(c.newTagLength), rest) << c.name;
        EXPECT_EQ(file.substr(0, 6), Bytes("ID3\x03\0\0", 6)) << c.name;
        EXPECT_EQ(file.substr(6, 4), Syncsafe(static_cast<std::uint32_t>(c.newTagLength - 10)))
            << c.name;
        Id3v2Record back;
        ASSERT_EQ(back.ReadTag(dir / "a.mp3"), 1);
        EXPECT_EQ(back.tagSize, static_cast<int>(c.newTagLength)) << c.name;
        EXPECT_EQ(back.title, c.bigValues ? big : "New") << c.name;
        EXPECT_EQ(back.album, c.bigValues ? big : "") << c.name;  // old frames are gone
        EXPECT_FALSE(dir.Exists("a.mp3.tmp")) << c.name;
    }
}

TEST(Id3v2WriteTest, LargeValuesOnAnUntaggedFileGiveATagWithoutPadding) {
    TempDir dir;
    dir.Write("a.mp3", Audio(100));
    Id3v2Record r;
    const std::string text(161, 't');
    r.SetTitle(text);                    // frame of 10 + 1 + 161 = 172 bytes
    r.SetArtist(text);                   // 172
    r.SetAlbum(text);                    // 172
    r.SetComposer(text.substr(0, 150));  // 161
    r.SetYear("99");                     // 13; with the header: 700
    ASSERT_EQ(r.WriteTag(dir / "a.mp3"), 1);
    const Bytes file = dir.Read("a.mp3");
    EXPECT_EQ(file.size(), 700u + 100u);
    EXPECT_EQ(file.substr(6, 4), Syncsafe(690));
    EXPECT_EQ(file.substr(700), Audio(100));
}

TEST(Id3v2WriteTest, RewriteFileRemovesOrReplacesTheTag) {
    TempDir dir;
    const Bytes audio = Audio(3000);
    dir.Write("tagged.mp3", TagOfLength(3, TextFrame(3, "TIT2", "x"), 1000) + audio);
    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "tagged.mp3", nullptr, 0), 1);
    EXPECT_EQ(dir.Read("tagged.mp3"), audio);

    dir.Write("plain.mp3", audio);
    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "plain.mp3", nullptr, 0), 0);
    EXPECT_EQ(dir.Read("plain.mp3"), audio);

    const unsigned char data[] = {'D', 'A', 'T', 'A'};
    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "plain.mp3", data, sizeof data), 1);
    EXPECT_EQ(dir.Read("plain.mp3"), "DATA" + audio);

    // A large file crosses many copy blocks unchanged.
    const Bytes large = Audio(300000);
    dir.Write("large.mp3", TagOfLength(3, "", 64) + large);
    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "large.mp3", data, sizeof data), 1);
    EXPECT_EQ(dir.Read("large.mp3"), "DATA" + large);

    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "missing.mp3", data, sizeof data), 0);
    EXPECT_EQ(Id3v2Record::RewriteFile(dir.Path(), data, sizeof data), 0);
    dir.Write("short.mp3", "123456789");
    EXPECT_EQ(Id3v2Record::RewriteFile(dir / "short.mp3", data, sizeof data), 0);
    EXPECT_EQ(dir.List(),
              (std::vector<std::string>{"large.mp3", "plain.mp3", "short.mp3", "tagged.mp3"}));
}

TEST(Id3v2WriteTest, LeftoverTemporaryFileNeitherBlocksTheRebuildNorIsTouched) {
    TempDir dir;
    const Bytes original = Audio(2000);
    dir.Write("Song.mp3", original);
    dir.Write("Song.mp3.tmp", "someone else's");
    Id3v2Record r = Values("Song");
    EXPECT_EQ(r.WriteTag(dir / "Song.mp3"), 1);
    EXPECT_EQ(dir.Read("Song.mp3").substr(512), original);
    EXPECT_EQ(dir.Read("Song.mp3.tmp"), "someone else's");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"Song.mp3", "Song.mp3.tmp"}));
}

TEST(Id3v2WriteTest, FailedRebuildRemovesItsTemporaryFile) {
    TempDir dir;
    const Bytes original = Audio(200000);
    dir.Write("a.mp3", original);
    // Limit the size of files this process may write, so that the copy into
    // the temporary file fails half-way.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 50000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    Id3v2Record r = Values("Song");
    const int result = r.WriteTag(dir / "a.mp3");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.Read("a.mp3"), original);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"a.mp3"});
}

TEST(Id3v2WriteTest, ReadOnlyFilesAreWrittenAndStayReadOnly) {
    TempDir dir;
    dir.Write("inplace.mp3", TagOfLength(3, TextFrame(3, "TIT2", "x"), 600) + Audio(100));
    dir.Write("rebuild.mp3", Audio(100));
    ASSERT_EQ(::chmod((dir / "inplace.mp3").c_str(), 0444), 0);
    ASSERT_EQ(::chmod((dir / "rebuild.mp3").c_str(), 0440), 0);
    Id3v2Record r = Values("Song");
    EXPECT_EQ(r.WriteTag(dir / "inplace.mp3"), 1);
    EXPECT_EQ(r.WriteTag(dir / "rebuild.mp3"), 1);
    EXPECT_EQ(PermissionBits(dir / "inplace.mp3"), 0444u);
    // The rebuilt file keeps the permission bits of the original.
    EXPECT_EQ(PermissionBits(dir / "rebuild.mp3"), 0440u);
    Id3v2Record back;
    back.ReadTag(dir / "rebuild.mp3");
    EXPECT_EQ(back.title, "Song");
}

TEST(Id3v2WriteTest, MissingOrTinyFilesAreNotWritten) {
    TempDir dir;
    Id3v2Record r = Values("Song");
    EXPECT_EQ(r.WriteTag(dir / "missing.mp3"), 0);
    dir.Write("tiny.mp3", "ID3");
    EXPECT_EQ(r.WriteTag(dir / "tiny.mp3"), 0);
    EXPECT_EQ(dir.Read("tiny.mp3"), "ID3");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"tiny.mp3"});
}

}  // namespace
}  // namespace tagnomen
