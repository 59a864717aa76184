// SPDX-License-Identifier: GPL-3.0-or-later
// The tag cleaner of full tag support on real files: only the values of the
// row that differ from the tags are written, every other frame stays, no tag
// is added that no value needs, guesses from the file name replace nothing
// the tags hold unless ticked, and ID3v1 never gets "?" for a character.
#include <gtest/gtest.h>

#include "TableRows.h"
#include "TagsTestBytes.h"
#include "WorkbenchFixture.h"
#include "platform/Latin1Form.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2FrameList.h"
#include "tools/CleanReviewModel.h"
#include "tools/TagCleaner.h"

namespace tagnomen {
namespace {

using namespace testing::tags;

// "v2.3 TIT2=Old TCOM=Bach APIC; v1 title|artist|album|year|track|genre", or
// "no v2" / "no v1": text frames with their text, other frames by id.
std::string Describe(const std::string& path) {
    const std::string bytes = testing::ReadFile(path);
    std::string out = "no v2";
    const std::optional<std::size_t> size = Id3v2FrameList::DeclaredBytes(bytes, nullptr);
    if (const auto list =
            size ? Id3v2FrameList::Parse(bytes.substr(0, *size), nullptr) : std::nullopt) {
        out = "v2." + std::to_string(list->majorVersion);
        for (const Id3v2Frame& frame : list->frames) {
            out += " " + frame.id;
            const auto content = FrameContent(frame.data, frame.flags, list->majorVersion);
            const auto text = content && frame.id[0] == 'T' && frame.id != "TXXX"
                                  ? DecodeTextFrame(*content)
                                  : std::nullopt;
            out += text ? "=" + text->text : "";
        }
    }
    Id3v1Record v1(TagSupport::Full);
    v1.ReadTag(path);
    if (v1.tagPresent != 1) {
        return out + "; no v1";
    }
    return out + "; v1 " + v1.title + "|" + v1.artist + "|" + v1.album + "|" + v1.year + "|" +
           std::to_string(v1.track) + "|" + std::to_string(v1.genre);
}

const Bytes kAudio = Audio(700);
const Bytes kFullTag =
    Tag(3,
        TextFrame(3, "TIT2", "Old") + TextFrame(3, "TPE1", "Band") + TextFrame(3, "TALB", "Album") +
            TextFrame(3, "TRCK", "9/12") + TextFrame(3, "TCOM", "Bach") +
            Frame(3, "TXXX", Bytes("\0MusicBrainz Album Id\0abc", 25)) +
            Frame(3, "APIC", Bytes("\0image/png\0\3\0", 13) + "PNG"),
        64);
const std::string kFullFrames = " TPE1=Band TALB=Album TRCK=9/12 TCOM=Bach TXXX APIC";
const Bytes kV1Only = kAudio + V1Block({"Old", "Band"});

class TagCleanerFullTest : public testing::WorkbenchFixture {};

TEST_F(TagCleanerFullTest, WritesOnlyWhatDiffersAndKeepsEverythingElse) {
    const std::string title40(40, 'L');
    const struct {
        const char* name;
        Bytes file;
        testing::RowTexts row;  // name, title, artist, album, year, track, genre
        ValueSource source;     // of every value of the row
        bool tickGuesses;
        std::string after;  // "" when the file stays byte for byte
    } cases[] = {
        {"a value from the tags",
         kFullTag + kAudio,
         {"a.mp3", "New", "Band", "Album", "", "9", "255"},
         ValueSource::Tag,
         false,
         "v2.3 TIT2=New" + kFullFrames + "; no v1"},
        {"a new track keeps the total",
         kFullTag + kAudio,
         {"a.mp3", "Old", "Band", "Album", "", "10", "255"},
         ValueSource::Tag,
         false,
         "v2.3 TIT2=Old TPE1=Band TALB=Album TRCK=10/12 TCOM=Bach TXXX APIC; no v1"},
        {"the row as the tags have it",
         kFullTag + kAudio,
         {"a.mp3", "Old", "Band", "Album", "", "9", "255"},
         ValueSource::Tag,
         false,
         ""},
        {"a guess over a tag's value",
         kFullTag + kAudio,
         {"a.mp3", "Cent", "Band", "", "", "50", ""},
         ValueSource::FileName,
         false,
         ""},
        {"a guess ticked",
         kFullTag + kAudio,
         {"a.mp3", "Cent", "Band", "", "", "9", ""},
         ValueSource::FileName,
         true,
         "v2.3 TIT2=Cent" + kFullFrames + "; no v1"},
        {"a guess where the tags have nothing",
         kFullTag + kAudio,
         {"a.mp3", "Old", "Band", "Album", "1982", "9", ""},
         ValueSource::FileName,
         false,
         "v2.3 TIT2=Old" + kFullFrames + " TYER=1982; no v1"},
        {"the person's edit",
         kFullTag + kAudio,
         {"a.mp3", "Mine", "", "", "", "9", "17"},
         ValueSource::Edited,
         false,
         "v2.3 TIT2=Mine TRCK=9/12 TCOM=Bach TXXX APIC TCON=(17); no v1"},
        {"placeholders of an untagged file",
         kAudio,
         {"a.mp3", "Unknown Title", "Unknown Artist", "", "", "0", "255"},
         ValueSource::None,
         false,
         ""},
        {"an untagged file and a guess",
         kAudio,
         {"a.mp3", "Song", "", "", "", "0", "255"},
         ValueSource::FileName,
         false,
         "v2.3 TIT2=Song; no v1"},
        {"ID3v1 alone, a Latin-1 value",
         kV1Only,
         {"a.mp3", "Caf\xC3\xA9", "", "", "", "0", ""},
         ValueSource::Tag,
         false,
         "no v2; v1 Caf\xC3\xA9|Band|||0|255"},
        {"ID3v1 alone, Czech",
         kV1Only,
         {"a.mp3", "", "Dvo\xC5\x99\xC3\xA1k", "", "", "0", ""},
         ValueSource::Tag,
         false,
         "v2.3 TIT2=Old TPE1=Dvo\xC5\x99\xC3\xA1k; v1 Old|Dvor\xC3\xA1k|||0|255"},
        {"ID3v1 alone, Cyrillic",
         kV1Only,
         {"a.mp3", "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", "", "", "", "0", ""},
         ValueSource::Tag,
         false,
         "v2.3 TIT2=\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE TPE1=Band; v1 |Band|||0|255"},
        {"ID3v1 cut short beside ID3v2",
         Tag(3, TextFrame(3, "TIT2", title40)) + kAudio + V1Block({title40.substr(0, 30)}),
         {"a.mp3", "Short", "", "", "", "0", ""},
         ValueSource::Edited,
         false,
         "v2.3 TIT2=Short; v1 Short||||0|255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        music_.Write("a.mp3", c.file);
        Workbench& wb = Start();
        TableRow row = testing::RowOf(c.row);
        row.sources.of.fill(c.source);
        wb.Context().table.AppendRow(row);
        std::size_t listed = 0;
        ui_.dialogs.cleanReview.Push([&](CleanReviewModel& review) {
            listed = review.RowCount();
            for (SongField field : kTableFields) {
                review.SetGuessChecked(0, field, c.tickGuesses || review.GuessChecked(0, field));
            }
            review.Accept();
            return true;
        });
        EXPECT_EQ(CleanTags(wb.Context(), {}).failures, 0u);
        const std::string path = music_ / "a.mp3";
        if (c.after.empty()) {
            EXPECT_TRUE(testing::ReadFile(path) == c.file) << "changed: " << Describe(path);
        } else {
            EXPECT_EQ(Describe(path), c.after);
        }
        EXPECT_EQ(listed, c.after.empty() && c.source != ValueSource::FileName ? 0u : 1u);
        EXPECT_NE(testing::ReadFile(path).find(kAudio), std::string::npos) << "the audio";
    }
}

TEST_F(TagCleanerFullTest, CancelledReviewWritesNothing) {
    music_.Write("a.mp3", kV1Only);
    Workbench& wb = Start();
    wb.Context().table.AppendRow(testing::RowOf({"a.mp3", "New", "", "", "", "0", "255"}));
    EXPECT_FALSE(CleanTags(wb.Context(), {}).ran);
    EXPECT_EQ(music_.Read("a.mp3"), kV1Only);
    EXPECT_TRUE(ui_.CallsOfKind("progress").empty());
}

TEST_F(TagCleanerFullTest, FilesChangedSinceTheReviewOrOutsideTheFolderAreReportedAndKept) {
    const Bytes other = kV1Only + "more audio";
    music_.Write("a.mp3", kV1Only);
    music_.Write("b.mp3", kV1Only);
    Workbench& wb = Start();
    for (const char* name : {"a.mp3", "b.mp3", "../b.mp3"}) {
        wb.Context().table.AppendRow(testing::RowOf({name, "New", "", "", "", "0", "255"}));
    }
    ui_.dialogs.cleanReview.Push([](CleanReviewModel& review) {
        review.Accept();
        return true;
    });
    const CleanResult result =
        CleanTags(wb.Context(), {}, [&](std::size_t, const std::string& name) {
            if (name == "b.mp3") {
                music_.Write("b.mp3", other);  // rewritten after the review read it
            }
        });
    EXPECT_EQ(result.failures, 2u);
    EXPECT_EQ(Describe(music_ / "a.mp3"), "no v2; v1 New|Band|||0|255");
    EXPECT_TRUE(music_.Read("b.mp3") == other);
    EXPECT_EQ(ui_.MessageTexts(),
              (std::vector<std::string>{"Unable to update ID3 TAGv1 on b.mp3",
                                        "Unable to update ID3 TAGv1 on ../b.mp3"}));
}

TEST(Latin1FormTest, KeepsWhatIsReadableAndNothingElse) {
    const struct {
        const char* text;
        std::optional<std::string> form;
    } cases[] = {
        {"Dvo\xC5\x99\xC3\xA1k", "Dvor\xC3\xA1k"},  // ř has no Latin-1 form, á is Latin-1
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "L\xC3\xB3\x64z"},  // Łódź
        {"\xC5\x92uvre \xE2\x80\x9C"
         "A\xE2\x80\x9D \xE2\x80\x93 x\xE2\x80\xA6",
         "OEuvre \"A\" - x..."},
        {"Nguy\xE1\xBB\x85n", "Nguyen"},                     // Latin Extended Additional
        {"e\xCC\x81t\xC3\xA9", "et\xC3\xA9"},                // a combining accent is dropped
        {"\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", std::nullopt},  // Cyrillic
        {"Tokyo \xE6\x9D\xB1\xE4\xBA\xAC", std::nullopt},
        {"\xFF\xFE", "\xC3\xBF\xC3\xBE"},  // not UTF-8: taken as Latin-1 bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClosestLatin1Form(c.text), c.form) << c.text;
    }
}

}  // namespace
}  // namespace tagnomen
