// SPDX-License-Identifier: GPL-3.0-or-later
// What a tag write must never do, in both tag modes: write over bytes it has
// not identified as the old tag, write through a link, change the other
// names of a hard-linked file, fill the holes of a sparse file, or leave a
// read-only file writable.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

constexpr TagSupport kModes[] = {TagSupport::Basic, TagSupport::Full};

int WriteTitle(const std::string& path, TagSupport mode) {
    Id3v2Record r(mode);
    r.Reset();
    r.SetTitle("New");
    return r.WriteTag(path);
}

TEST(TagWriteSafetyTest, ATagWhoseEndIsUnknownIsNeverReplaced) {
    const Bytes frames = TextFrame(3, "TIT2", "Old") + Bytes(100, '\0');
    const Bytes frameBytes = TextFrame(3, "TIT2", "Old");
    const struct {
        const char* name;
        Bytes tag;  // what stands before the audio
    } cases[] = {
        {"size byte with its high bit set (300 as 00 00 02 AC)",
         Bytes("ID3\3\0\0\0\0\2\xAC", 10) + frames.substr(0, 172)},
        {"size byte with its high bit set (00 80 02 2C)",
         Bytes("ID3\3\0\0\0\x80\2\x2C", 10) + frames},
        {"size past the end of the file", Bytes("ID3\3\0\0\0\x7F\x7F\x7F", 10) + frames},
        {"a frame running past the tag",
         Bytes("ID3\3\0\0", 6) + Syncsafe(12) + Bytes("TIT2\0\0\1\0\0\0", 10) + "Ol"},
        {"unknown bytes in the padding", Tag(3, frameBytes + Bytes(20, '\0') + "MP3 audio?")},
        {"a footer announced but missing", Tag(4, frameBytes + Bytes(20, '\0'), 0, 0x10)},
        {"an unknown version", Bytes("ID3\5\0\0", 6) + Syncsafe(40) + Bytes(40, '\0')},
    };
    for (const TagSupport mode : kModes) {
        for (const auto& c : cases) {
            TempDir dir;
            const Bytes file = c.tag + Audio(4000) + V1Block({"V1"});
            dir.Write("a.mp3", file);
            EXPECT_EQ(WriteTitle(dir / "a.mp3", mode), 0) << c.name;
            EXPECT_EQ(Id3v2Record::RewriteFile(dir / "a.mp3", nullptr, 0), 0) << c.name;
            EXPECT_EQ(dir.Read("a.mp3"), file) << c.name;
            // The ID3v1 block at the other end is still known and written.
            Id3v1Record v1(mode);
            v1.Reset();
            v1.SetTitle("V1 new");
            EXPECT_EQ(v1.WriteTag(dir / "a.mp3"), 1) << c.name;
            EXPECT_EQ(dir.Read("a.mp3").substr(0, file.size() - 128),
                      file.substr(0, file.size() - 128))
                << c.name;
            EXPECT_EQ(dir.List(), std::vector<std::string>{"a.mp3"}) << c.name;
        }
    }
}

TEST(TagWriteSafetyTest, TheFooterBitOfVersion3AddsNoFooter) {
    // In version 3 the bit means nothing: the ten bytes after the tag are audio.
    for (const TagSupport mode : kModes) {
        TempDir dir;
        const Bytes audio = Audio(4000);
        dir.Write("a.mp3", Tag(3, TextFrame(3, "TIT2", "Old"), 200, 0x10) + audio);
        EXPECT_EQ(WriteTitle(dir / "a.mp3", mode), 1);
        const Bytes file = dir.Read("a.mp3");
        EXPECT_EQ(file.substr(file.size() - audio.size()), audio);
    }
}

TEST(TagWriteSafetyTest, LinksAreNotWrittenThroughAndHardLinksKeepTheirContents) {
    for (const TagSupport mode : kModes) {
        TempDir outside;
        TempDir dir;
        const Bytes original = Tag(3, TextFrame(3, "TIT2", "Old"), 300) + Audio(2000);
        outside.Write("target.mp3", original);
        ASSERT_EQ(::symlink((outside / "target.mp3").c_str(), (dir / "link.mp3").c_str()), 0);
        EXPECT_EQ(WriteTitle(dir / "link.mp3", mode), 0);
        Id3v1Record v1(mode);
        v1.Reset();
        EXPECT_EQ(v1.WriteTag(dir / "link.mp3"), 0);
        EXPECT_EQ(v1.failureReason, "symbolic links are not written through");
        EXPECT_EQ(outside.Read("target.mp3"), original);

        // A second name of the same file, outside the work directory, keeps
        // what it had; the name written gets the new tag.
        ASSERT_EQ(::link((outside / "target.mp3").c_str(), (dir / "hard.mp3").c_str()), 0);
        EXPECT_EQ(WriteTitle(dir / "hard.mp3", mode), 1);
        EXPECT_EQ(outside.Read("target.mp3"), original);
        Id3v2Record back(mode);
        back.ReadTag(dir / "hard.mp3");
        EXPECT_EQ(back.title, "New");
    }
}

TEST(TagWriteSafetyTest, HolesStayHolesAndPermissionsStayAsTheyWere) {
    for (const TagSupport mode : kModes) {
        TempDir dir;
        const std::string path = dir / "sparse.mp3";
        dir.Write("sparse.mp3", Tag(3, TextFrame(3, "TIT2", "x")) + Audio(1000));
        // Eight MiB of hole, then more audio: a rebuild must not write the zeros.
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        const Bytes tail = Audio(1000);
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), 8 << 20),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);
        ASSERT_EQ(::chmod(path.c_str(), 0), 0);
        Id3v2Record r(mode);
        r.Reset();
        r.SetTitle(Bytes(200, 'L'));  // the tag grows: the file is rebuilt
        EXPECT_EQ(r.WriteTag(path), 1) << r.failureReason;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_LT(info.st_blocks * 512, 1 << 20) << "the hole was filled";
        EXPECT_EQ(info.st_mode & 07777, 0u) << "a mode-000 file stays 000";
        ::chmod(path.c_str(), 0600);
        const Bytes file = dir.Read("sparse.mp3");
        EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
    }
}

}  // namespace
}  // namespace tagnomen
