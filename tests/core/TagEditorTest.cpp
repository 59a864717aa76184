// SPDX-License-Identifier: GPL-3.0-or-later
// The tag editor through the Workbench: the menu command's guards, the
// reconciliation of both tags with its prompts, the tag label, and what OK
// writes, on real files built byte by byte.
#include <gtest/gtest.h>

#include <memory>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tools/FileInfoEditorModel.h"

namespace tagnomen {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::TempDir;
using testing::V1Tag;
using Frames = std::vector<std::pair<std::string, std::string>>;

// What the editor showed when it opened.
struct Opened {
    bool opened = false;
    std::string title, label, shownName;
    SongValues values;
    std::string trackText;
    int genreIndex = FileInfoEditorModel::kNoGenre;
};

class TagEditorTest : public testing::WorkbenchFixture {
  protected:
    // Records what the editor shows, then types and presses OK (or Cancel
    // when `ok` is false).
    void PushEditor(Opened& seen, std::function<void(FileInfoEditorModel&)> type = {},
                    bool ok = true) {
        ui_.dialogs.fileInfoEditor.Push([&seen, type, ok](FileInfoEditorModel& editor) {
            seen.opened = true;
            seen.title = editor.Title();
            seen.label = editor.TagLabel();
            seen.shownName = editor.ShownName();
            seen.values = editor.Result();
            seen.trackText = editor.Text(EditorField::Track);
            seen.genreIndex = editor.GenreIndex();
            if (type) {
                type(editor);
            }
            return ok && editor.Accept();
        });
    }

    std::vector<std::string> PromptCaptions() const {
        std::vector<std::string> captions;
        for (const UiCall& call : ui_.CallsOfKind("mismatch")) {
            captions.push_back(call.text);
        }
        return captions;
    }
};

TEST_F(TagEditorTest, MenuCommandRefusesNoneOrSeveralSelectedEntries) {
    music_.Write("a.mp3", Mp3Bytes("", ""));
    music_.Write("b.mp3", Mp3Bytes("", ""));
    Workbench& wb = Start();
    testing::SetProposals(wb.Set(), {"A.mp3", "B.mp3"});

    wb.TagEditor();
    wb.SetRenamedSelection({0, 1});
    wb.TagEditor();
    ASSERT_EQ(ui_.calls.size(), 2u);
    EXPECT_EQ(ui_.calls[0].text, "You must select one item to edit");
    EXPECT_EQ(ui_.calls[1].text, "You must select only one item to edit");
    for (const UiCall& call : ui_.calls) {
        EXPECT_EQ(call.caption, "Error");
        EXPECT_EQ(call.icon, MessageIcon::Stop);
    }
    EXPECT_TRUE(ui_.dialogs.fileInfoEditor.Empty()) << "no editor was opened";
}

TEST_F(TagEditorTest, ShownNameIsTheProposedNameWhenThereIsOne) {
    music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}}), Id3v1Bytes({.title = "One"})));
    Workbench& wb = Start();
    testing::SetProposals(wb.Set(), {"Proposed.mp3"});
    Opened seen;
    PushEditor(seen, {}, false);
    wb.SetRenamedSelection({0});
    wb.TagEditor();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.shownName, "Proposed.mp3");
    ASSERT_EQ(ui_.CallsOfKind("mismatch").size(), 1u);
    EXPECT_EQ(ui_.CallsOfKind("mismatch")[0].file, "Proposed.mp3");

    // A double click on the old list without proposed names shows the old name.
    wb.Set().ClearProposals();
    Opened again;
    PushEditor(again, {}, false);
    wb.DoubleClickOld(0);
    EXPECT_EQ(again.shownName, "a.mp3");
    EXPECT_EQ(again.title, "ID3 TAG Editor");
}

struct ReconcileCase {
    const char* name;
    bool hasV1;
    V1Tag v1;
    Frames v2;  // no ID3v2 tag when empty
    std::deque<int> answers;
    std::vector<std::string> captions;  // prompts, in order
    SongValues expected;
};

TEST_F(TagEditorTest, ReconcilesBothTagsWithPromptsOnlyWhereTheRulesCannotDecide) {
    const std::string title30 = "A Very Long Song Title That Go";
    const std::string title40 = title30 + "es On And";
    const std::string text26 = "abcdefghijklmnopqrstuvwxyz";
    const std::string text27 = text26 + "!";
    const std::vector<ReconcileCase> cases = {
        {"30-character ID3v1 title cut from a longer ID3v2 title",
         true,
         {.title = title30},
         {{"TIT2", title40 + "."}},
         {},
         {},
         {.title = title40 + ".", .track = "0", .genre = "255"}},
        {"20-character ID3v1 title inside another ID3v2 title",
         true,
         {.title = "Twenty Character Tit"},
         {{"TIT2", "The Twenty Character Title"}},
         {2},
         {"Title - Song Name"},
         {.title = "The Twenty Character Title", .track = "0", .genre = "255"}},
        {"26 characters inside still asks",
         true,
         {.artist = text26},
         {{"TPE1", text26 + " and more"}},
         {},
         {"Artist - Author"},
         {.artist = text26, .track = "0", .genre = "255"}},
        {"27 characters inside does not ask",
         true,
         {.album = text27},
         {{"TALB", "<" + text27 + ">"}},
         {},
         {},
         {.album = "<" + text27 + ">", .track = "0", .genre = "255"}},
        {"two different years always ask",
         true,
         {.year = "1999"},
         {{"TYER", "2001"}},
         {2},
         {"Year"},
         {.year = "2001", .track = "0", .genre = "255"}},
        {"a year against an empty year",
         true,
         {.year = "1999"},
         {{"TIT2", "x"}},
         {},
         {},
         {.title = "x", .year = "1999", .track = "0", .genre = "255"}},
        {"track 0 against 5", true, {}, {{"TRCK", "5"}}, {}, {}, {.track = "5", .genre = "255"}},
        {"tracks 3 and 5 ask",
         true,
         {.track = 3},
         {{"TRCK", "5"}},
         {2},
         {"Track Number"},
         {.track = "5", .genre = "255"}},
        {"Blues against Rock takes Rock",
         true,
         {.genre = 0},
         {{"TCON", "(17)"}},
         {},
         {},
         {.track = "0", .genre = "17"}},
        {"Rock against no genre keeps Rock",
         true,
         {.genre = 17},
         {{"TIT2", "t"}},
         {},
         {},
         {.title = "t", .track = "0", .genre = "17"}},
        {"two named genres ask with the names",
         true,
         {.genre = 17},
         {{"TCON", "(13)"}},
         {2},
         {"Genre"},
         {.track = "0", .genre = "13"}},
        {"different comments ask",
         true,
         {.comment = "old"},
         {{"COMM", std::string("eng\0new", 7)}},
         {2},
         {"Comments"},
         {.track = "0", .genre = "255", .comment = "new"}},
        {"every value differs: prompts in order",
         true,
         {.title = "t1",
          .artist = "a1",
          .album = "b1",
          .year = "2001",
          .comment = "c1",
          .track = 1,
          .genre = 17},
         {{"TIT2", "t2"},
          {"TPE1", "a2"},
          {"TALB", "b2"},
          {"TYER", "2002"},
          {"TRCK", "2"},
          {"TCON", "(13)"},
          {"COMM", std::string("eng\0c2", 6)}},
         {1, 2, 1, 2, 1, 2, 1},
         {"Title - Song Name", "Artist - Author", "Album", "Year", "Track Number", "Genre",
          "Comments"},
         {"t1", "a2", "b1", "2002", "1", "13", "c1"}},
        {"only an ID3v2 tag",
         false,
         {},
         {{"TIT2", "Only Two"}, {"TRCK", "7"}},
         {},
         {},
         {.title = "Only Two", .track = "7", .genre = "255"}},
        {"no tags at all", false, {}, {}, {}, {}, {.track = "0", .genre = "255"}},
    };
    for (const ReconcileCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.calls.clear();
        music_.Write("a.mp3", Mp3Bytes(c.v2.empty() ? "" : Id3v2Bytes(c.v2),
                                       c.hasV1 ? Id3v1Bytes(c.v1) : ""));
        Workbench& wb = Start();
        ui_.mismatchAnswers = c.answers;
        Opened seen;
        PushEditor(seen, {}, false);
        wb.DoubleClickOld(0);
        ASSERT_TRUE(seen.opened);
        EXPECT_EQ(PromptCaptions(), c.captions);
        EXPECT_EQ(seen.values.title, c.expected.title);
        EXPECT_EQ(seen.values.artist, c.expected.artist);
        EXPECT_EQ(seen.values.album, c.expected.album);
        EXPECT_EQ(seen.values.year, c.expected.year);
        EXPECT_EQ(seen.values.track, c.expected.track);
        EXPECT_EQ(seen.values.genre, c.expected.genre);
        EXPECT_EQ(seen.values.comment, c.expected.comment);
    }
}

TEST_F(TagEditorTest, GenrePromptShowsTheNamesAndMapsTheAnswerBackToANumber) {
    music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TCON", "(13)"}}), Id3v1Bytes({.genre = 17})));
    Workbench& wb = Start();
    ui_.mismatchAnswers = {1};
    Opened seen;
    PushEditor(seen, {}, false);
    wb.DoubleClickOld(0);
    const std::vector<UiCall> prompts = ui_.CallsOfKind("mismatch");
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].v1, "Rock");
    EXPECT_EQ(prompts[0].v2, "Pop");
    EXPECT_EQ(seen.values.genre, "17");
    EXPECT_EQ(seen.genreIndex, 17) << "the dialog selects the entry of the genre";
}

TEST_F(TagEditorTest, LabelTellsWhichTagsTheFileHas) {
    const struct {
        const char* name;
        std::string bytes;
        const char* label;
    } cases[] = {
        {"both", Mp3Bytes(Id3v2Bytes({{"TIT2", "x"}}), Id3v1Bytes({.title = "x"})),
         "Uses ID3 TAGv1 and TAGv2"},
        {"ID3v1 only", Mp3Bytes("", Id3v1Bytes({.title = "x"})), "Uses ID3 TAGv1"},
        {"ID3v2 only", Mp3Bytes(Id3v2Bytes({{"TIT2", "x"}}), ""), "Uses ID3 TAGv2"},
        {"neither", Mp3Bytes("", ""), "Not Uses ID3 TAG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        music_.Write("a.mp3", c.bytes);
        Workbench& wb = Start();
        Opened seen;
        PushEditor(seen, {}, false);
        wb.DoubleClickOld(0);
        EXPECT_EQ(seen.label, c.label);
    }
}

struct WriteCase {
    const char* name;
    std::string v2;
    std::string v1;
    std::function<void(FileInfoEditorModel&)> type;
    bool expectV1;
    bool expectV2;
};

TEST_F(TagEditorTest, OkWritesId3v1AlwaysAndId3v2WhenTheFileHadOneOrAValueDoesNotFit) {
    store_.SetFullTagSupport(false);  // the ISO-8859-1 tags of old
    const std::string title31(31, 'T');
    const std::string comment28(28, 'c');
    const std::string comment29(29, 'c');
    const std::vector<WriteCase> cases = {
        {"only ID3v2: both afterwards", Id3v2Bytes({{"TIT2", "Two"}}), "", {}, true, true},
        {"only ID3v1 and a typed 31-character title", "", Id3v1Bytes({.title = "One"}),
         [&](FileInfoEditorModel& e) { e.SetText(EditorField::Title, title31); }, true, true},
        {"only ID3v1 and a 29-character comment", "", Id3v1Bytes({.title = "One"}),
         [&](FileInfoEditorModel& e) { e.SetText(EditorField::Comment, comment29); }, true, true},
        {"only ID3v1 and a 28-character comment", "", Id3v1Bytes({.title = "One"}),
         [&](FileInfoEditorModel& e) { e.SetText(EditorField::Comment, comment28); }, true, false},
        {"no tags: an ID3v1 tag is created", "", "",
         [](FileInfoEditorModel& e) { e.SetText(EditorField::Title, "New"); }, true, false},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        music_.Write("a.mp3", Mp3Bytes(c.v2, c.v1));
        Workbench& wb = Start();
        Opened seen;
        PushEditor(seen, c.type);
        wb.DoubleClickOld(0);
        ASSERT_TRUE(seen.opened);
        Id3v1Record v1;
        Id3v2Record v2;
        v1.ReadTag(music_ / "a.mp3");
        ASSERT_EQ(v2.ReadTag(music_ / "a.mp3"), 1);
        EXPECT_EQ(v1.tagPresent == 1, c.expectV1);
        EXPECT_EQ(v2.tagPresent == 1, c.expectV2);
        EXPECT_TRUE(ui_.MessageTexts().empty());
    }
}

TEST_F(TagEditorTest, WrittenValuesReachBothTags) {
    store_.SetFullTagSupport(false);  // the ISO-8859-1 tags of old
    music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Old"}, {"TCOM", "Composer"}}), ""));
    Workbench& wb = Start();
    const std::string longTitle = "A Title Far Too Long For Version One";
    Opened seen;
    PushEditor(seen, [&](FileInfoEditorModel& e) {
        e.SetText(EditorField::Title, longTitle);
        e.SetText(EditorField::Artist, "Artist");
        e.SetText(EditorField::Year, "1984");
        e.SetText(EditorField::Track, "7");
        e.SelectGenre(17);
        e.SetText(EditorField::Comment, "Hi");
    });
    wb.DoubleClickOld(0);
    Id3v1Record v1;
    Id3v2Record v2;
    v1.ReadTag(music_ / "a.mp3");
    v2.ReadTag(music_ / "a.mp3");
    EXPECT_EQ(v1.title, longTitle.substr(0, 30));
    EXPECT_EQ(v1.artist, "Artist");
    EXPECT_EQ(v1.year, "1984");
    EXPECT_EQ(v1.track, 7);
    EXPECT_EQ(v1.genre, 17);
    EXPECT_EQ(v1.comment, "Hi");
    EXPECT_EQ(v2.title, longTitle);
    EXPECT_EQ(v2.track, 7);
    EXPECT_EQ(v2.genre, "17");
    EXPECT_EQ(v2.comment, "Hi");
    EXPECT_EQ(v2.composer, "") << "nothing of the old tag is carried over";
    EXPECT_EQ(testing::AudioBytes(),
              music_.Read("a.mp3").substr(static_cast<std::size_t>(v2.tagSize),
                                          testing::AudioBytes().size()));
}

TEST_F(TagEditorTest, YearOutsideItsLimitsKeepsTheDialogOpen) {
    const struct {
        const char* year;
        bool accepted;
    } cases[] = {{"1899", false}, {"2051", false}, {"1900", true},
                 {"2050", true},  {"", true},      {"0", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        ui_.calls.clear();
        const std::string before = Mp3Bytes("", Id3v1Bytes({.title = "One", .year = "1970"}));
        music_.Write("a.mp3", before);
        Workbench& wb = Start();
        Opened seen;
        PushEditor(seen, [&](FileInfoEditorModel& e) { e.SetText(EditorField::Year, c.year); });
        wb.DoubleClickOld(0);
        const std::vector<UiCall> messages = ui_.CallsOfKind("message");
        if (c.accepted) {
            EXPECT_TRUE(messages.empty());
            Id3v1Record v1;
            v1.ReadTag(music_ / "a.mp3");
            EXPECT_EQ(v1.year, c.year);
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].caption, "Error in Year");
            EXPECT_EQ(messages[0].text, "Year value must be between 1900 and 2050.");
            EXPECT_EQ(messages[0].icon, MessageIcon::None);
            EXPECT_EQ(music_.Read("a.mp3"), before) << "nothing written";
        }
    }
}

TEST_F(TagEditorTest, EmptyTrackIsStoredAsZeroAndNoGenreAs255) {
    music_.Write("a.mp3", Mp3Bytes("", Id3v1Bytes({.title = "One", .track = 4, .genre = 17})));
    Workbench& wb = Start();
    Opened seen;
    PushEditor(seen, [](FileInfoEditorModel& e) {
        e.SetText(EditorField::Track, "");
        e.SelectGenre(FileInfoEditorModel::kNoGenre);
    });
    wb.DoubleClickOld(0);
    EXPECT_EQ(seen.trackText, "4");
    EXPECT_EQ(seen.genreIndex, 17);
    Id3v1Record v1;
    v1.ReadTag(music_ / "a.mp3");
    EXPECT_EQ(v1.version, 1) << "track 0 gives an ID3v1.0 tag";
    EXPECT_EQ(v1.track, 0);
    EXPECT_EQ(v1.genre, 255);
}

TEST_F(TagEditorTest, OkOnTheOpenedValuesLeavesTheFileByteForByte) {
    const std::string cases[] = {
        Mp3Bytes("", ""),
        Mp3Bytes("", Id3v1Bytes({.title = "One", .track = 3, .genre = 0})),
        Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}, {"TRCK", "9/12"}, {"TCON", "Synthwave"}}),
                 Id3v1Bytes({.title = "One", .year = "1999"})),
    };
    for (const std::string& before : cases) {
        music_.Write("a.mp3", before);
        Workbench& wb = Start();
        Opened seen;
        PushEditor(seen);
        wb.DoubleClickOld(0);
        EXPECT_TRUE(seen.opened);
        EXPECT_TRUE(music_.Read("a.mp3") == before) << seen.label;
    }
}

TEST_F(TagEditorTest, CancelLeavesTheFileAsItWas) {
    const std::string before = Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}}), Id3v1Bytes({.title = "T"}));
    music_.Write("a.mp3", before);
    Workbench& wb = Start();
    Opened seen;
    PushEditor(
        seen, [](FileInfoEditorModel& e) { e.SetText(EditorField::Title, "Changed"); }, false);
    const std::string cwd = CurrentDirectory();
    wb.DoubleClickOld(0);
    EXPECT_TRUE(seen.opened);
    EXPECT_EQ(music_.Read("a.mp3"), before);
    EXPECT_EQ(CurrentDirectory(), cwd);
}

TEST_F(TagEditorTest, FailedWritesAreReportedPerTagWithTheShownName) {
    store_.SetFullTagSupport(false);  // the ISO-8859-1 tags of old
    // "b.mp3" is listed, then replaced by a directory: neither tag can be written.
    music_.Write("b.mp3", Mp3Bytes("", ""));
    // "c.mp3" has an ID3v2 tag whose size runs past the end of the file: its
    // end is unknown, so the file is not written at all.
    const std::string c = std::string("ID3\x03\0\0\x7F\x7F\x7F\x7F", 10) + Mp3Bytes("", "");
    music_.Write("c.mp3", c);
    Workbench& wb = Start();
    testing::SetProposals(wb.Set(), {"Shown B.mp3", "Shown C.mp3"});
    RemoveFile(music_ / "b.mp3");
    ASSERT_TRUE(CreateDirectoryLevel(music_ / "b.mp3"));

    Opened first, second;
    PushEditor(first, [](FileInfoEditorModel& e) { e.SetText(EditorField::Title, "B"); });
    wb.DoubleClickOld(0);
    PushEditor(second, [](FileInfoEditorModel& e) {
        e.SetText(EditorField::Title, std::string(200, 'L'));
    });
    wb.DoubleClickOld(1);

    EXPECT_EQ(first.label, "Not Uses ID3 TAG");
    const std::vector<UiCall> messages = ui_.CallsOfKind("message");
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, "Unable to update ID3 TAGv1 on Shown B.mp3");
    EXPECT_EQ(messages[1].text, "Unable to update ID3 TAGv1 on Shown C.mp3");
    EXPECT_EQ(messages[2].text, "Unable to update ID3 TAGv2 on Shown C.mp3");
    for (const UiCall& call : messages) {
        EXPECT_EQ(call.caption, "Error");
        EXPECT_EQ(call.icon, MessageIcon::Warning);
        EXPECT_FALSE(call.reason.empty()) << call.text;
    }
    EXPECT_EQ(music_.Read("c.mp3"), c) << "both tags change in one step, or neither";
}

}  // namespace
}  // namespace tagnomen
