// SPDX-License-Identifier: GPL-3.0-or-later
// Writing tags with full support: every frame not set is kept byte for byte,
// the tag keeps its version, new values get an encoding that holds them, and
// the frames of the values set follow the forms other taggers use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/Id3v2FrameList.h"
#include "tags/Id3v2Record.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

const Bytes kAudio = Audio(3000);
const Bytes kNul(1, '\0');  // also the encoding byte of ISO-8859-1

// "ID=data", as Describe lists a frame.
Bytes Entry(const Bytes& id, const Bytes& data) {
    return id + "=" + data;
}

// Writes `set` over a file holding `tag` and the audio; returns the frames of
// the new tag. The audio must come through unchanged.
Id3v2FrameList WriteAndParse(const Bytes& tag, const std::function<void(Id3v2Record&)>& set,
                             std::size_t* newTagBytes = nullptr) {
    TempDir dir;
    dir.Write("a.mp3", tag + kAudio);
    Id3v2Record r(TagSupport::Full);
    r.Reset();
    set(r);
    EXPECT_EQ(r.WriteTag(dir / "a.mp3"), 1) << r.failureReason;
    const Bytes file = dir.Read("a.mp3");
    EXPECT_GE(file.size(), kAudio.size());
    const Bytes region = file.substr(0, file.size() - kAudio.size());
    EXPECT_EQ(file.substr(region.size()), kAudio);
    if (newTagBytes != nullptr) {
        *newTagBytes = region.size();
    }
    std::string reason;
    std::optional<Id3v2FrameList> parsed = Id3v2FrameList::Parse(region, &reason);
    EXPECT_TRUE(parsed) << reason;
    return parsed.value_or(Id3v2FrameList{});
}

// "ID" or "ID=data" of each frame, in order.
std::vector<Bytes> Describe(const Id3v2FrameList& list, bool withData = true) {
    std::vector<Bytes> out;
    for (const Id3v2Frame& frame : list.frames) {
        out.push_back(withData ? frame.id + "=" + frame.data : frame.id);
    }
    return out;
}

TEST(FullSupportWriteTest, ATitleEditChangesTheTitleFrameOnly) {
    const Bytes cover = Bytes("\0image/jpeg\0\3\0", 14) + "\xFF\xD8" + Bytes(20000, 'J');
    for (const int version : {3, 4}) {
        auto frame = [version](const Bytes& id, const Bytes& data, std::uint16_t flags = 0) {
            return version == 4 ? Frame4(id, data, flags) : Frame(version, id, data);
        };
        const Bytes frames =
            frame("TIT2", "\1" + Utf16(u"Old", Utf16Form::LittleWithMark)) + frame("APIC", cover) +
            frame("USLT", Bytes("\0eng\0la la", 10)) +
            frame("TXXX", Bytes("\0MusicBrainz Album Id\0abc", 25)) +
            frame("COMM", Bytes("\0engiTunNORM\0 0A", 16)) + frame("TRCK", kNul + "9/12") +
            frame("TCON", Bytes("\0Rock", 5)) + frame("UFID", Bytes("http://mb\0xyz", 13)) +
            frame("POPM", Bytes("a@b\0\xC8\0\0\0\3", 9)) + frame("PRIV", Bytes("WM\0\1\2", 5)) +
            frame("XYZW", "unknown", version == 4 ? 0x4000 : 0);
        const Bytes tag = Tag(version, frames, 600);
        std::size_t newBytes = 0;
        const Id3v2FrameList written = WriteAndParse(
            tag, [](Id3v2Record& r) { r.SetTitle("New"); }, &newBytes);
        EXPECT_EQ(newBytes, tag.size()) << "written in place, version " << version;
        EXPECT_EQ(written.majorVersion, version);
        const std::optional<Id3v2FrameList> before = Id3v2FrameList::Parse(tag, nullptr);
        ASSERT_TRUE(before);
        ASSERT_EQ(written.frames.size(), before->frames.size());
        for (std::size_t i = 0; i < before->frames.size(); ++i) {
            const Id3v2Frame& old = before->frames[i];
            const Id3v2Frame& now = written.frames[i];
            EXPECT_EQ(now.id, old.id);
            if (old.id != "TIT2") {
                EXPECT_EQ(now.data, old.data) << old.id;
                EXPECT_EQ(now.flags, old.flags) << old.id;
            }
        }
        EXPECT_EQ(written.frames[0].data, Bytes("\0New", 4));
    }
}

TEST(FullSupportWriteTest, VersionsAndTheEncodingOfNewValues) {
    const Bytes tokyo = "\u6771\u4EAC";
    const Bytes pic = Frame(2, "PIC", Bytes("\0JPG\3\0", 6) + "jpeg");
    const struct {
        const char* name;
        Bytes oldTag;
        Bytes title;
        int version;
        std::vector<Bytes> frames;  // id=data after the write
    } cases[] = {
        {"no tag: version 3, ISO-8859-1", "", "Song", 3, {Entry("TIT2", kNul + "Song")}},
        {"version 3: UTF-16 for what ISO-8859-1 lacks",
         Tag(3, TextFrame(3, "TIT2", "x"), 50),
         tokyo,
         3,
         {Entry("TIT2", "\1" + Utf16(u"\u6771\u4EAC", Utf16Form::LittleWithMark))}},
        {"version 4: UTF-8",
         Tag(4, Frame4("TIT2", Bytes("\0x", 2)), 50),
         tokyo,
         4,
         {Entry("TIT2", "\3" + tokyo)}},
        {"version 2 becomes 3, PIC becomes APIC, ids without a counterpart go",
         Tag(2, TextFrame(2, "TT2", "x") + pic + Frame(2, "XXX", "?")),
         "\u00C9t\u00E9",
         3,
         {Entry("TIT2", kNul + "\xC9t\xE9"),
          Entry("APIC", kNul + "image/jpeg" + kNul + "\3" + kNul + "jpeg")}},
    };
    for (const auto& c : cases) {
        const Id3v2FrameList written =
            WriteAndParse(c.oldTag, [&c](Id3v2Record& r) { r.SetTitle(c.title); });
        EXPECT_EQ(written.majorVersion, c.version) << c.name;
        EXPECT_EQ(Describe(written), c.frames) << c.name;
    }
}

TEST(FullSupportWriteTest, FramesOfTheValuesSetFollowTheCommonForms) {
    const Bytes v3 = Tag(3,
                         TextFrame(3, "TRCK", "9/12") + TextFrame(3, "TCON", "Rock") +
                             Frame(3, "COMM", Bytes("\0engiTunNORM\0 0A", 16)) +
                             Frame(3, "COMM", Bytes("\0deu\0Alt", 8)),
                         100);
    const Bytes v4 = Tag(4, Frame4("TDRC", kNul + "2003-05-12"), 100);
    const Bytes described = Entry("COMM", kNul + "engiTunNORM" + kNul + " 0A");
    const struct {
        const char* name;
        Bytes oldTag;
        std::function<void(Id3v2Record&)> set;
        std::vector<Bytes> frames;
    } cases[] = {
        {"a new track keeps the total; a genre of the table is its number",
         v3,
         [](Id3v2Record& r) {
             r.SetTrack("10");
             r.SetGenre("13");
         },
         {Entry("TRCK", kNul + "10/12"), Entry("TCON", kNul + "(13)"), described,
          Entry("COMM", kNul + "deu" + kNul + "Alt")}},
        {"no track, no genre; the comment is the one without description",
         v3,
         [](Id3v2Record& r) {
             r.SetTrack("0");
             r.SetGenre("255");
             r.SetComment("Hi");
         },
         {described, Entry("COMM", kNul + "deu" + kNul + "Hi")}},
        {"a genre by name; the year where version 4 keeps it",
         v4,
         [](Id3v2Record& r) {
             r.SetGenre("Synthwave");
             r.SetYear("2004");
         },
         {Entry("TDRC", kNul + "2004"), Entry("TCON", kNul + "Synthwave")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(WriteAndParse(c.oldTag, c.set)), c.frames) << c.name;
    }
}

TEST(FullSupportWriteTest, ATagThatMustGrowLeavesRoomForTheNextEdits) {
    std::size_t newBytes = 0;
    const Id3v2FrameList written = WriteAndParse(
        Tag(3, TextFrame(3, "TIT2", "x")), [](Id3v2Record& r) { r.SetTitle(Bytes(200, 'T')); },
        &newBytes);
    EXPECT_GE(newBytes, written.RenderedBytes() + 1024);
    std::size_t again = 0;
    WriteAndParse(
        written.Render(newBytes).value(), [](Id3v2Record& r) { r.SetArtist(Bytes(200, 'A')); },
        &again);
    EXPECT_EQ(again, newBytes) << "the second edit fits the room left";
}

}  // namespace
}  // namespace tagnomen
