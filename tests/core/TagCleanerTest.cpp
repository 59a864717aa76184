// SPDX-License-Identifier: GPL-3.0-or-later
// The tag cleaner through the Workbench's Tools command, on real files, with
// "FullTagSupport" 0 (fresh tags from the table): its guards, where the
// names come from, what each file holds afterwards and how failures are
// reported. TagCleanerFullTest has the cleaner of full tag support.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tools/TagCleaner.h"

namespace tagnomen {
namespace {

using testing::AudioOf;

using testing::AudioBytes;
using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::TempDir;
using testing::V1Tag;

constexpr const char* kQuestion =
    "Before proceeding check that the File Information loaded is correct, going to Tools -> "
    "File Info Viewer.\nDo you want to proceed with TAG's Cleaner?";

class TagCleanerTest : public testing::WorkbenchFixture {
  protected:
    void SetUp() override {
        WorkbenchFixture::SetUp();
        store_.SetFileInfoLoader(1);
        store_.SetFullTagSupport(false);
    }

    void AddRow(const std::string& name, const std::string& title, const std::string& track = "0",
                const std::string& genre = "255", const std::string& artist = "Artist",
                const std::string& album = "Album", const std::string& year = "1999") {
        FileInfoTable& table = workbench_->Context().table;
        if (table.Directory().empty()) {
            table.SetDirectory(music_.Path());  // as a Rename in the music folder records it
        }
        table.AppendRow(testing::RowOf({name, title, artist, album, year, track, genre}));
    }

    // Both tags of a file.
    struct Tags {
        Id3v1Record v1;
        Id3v2Record v2;
    };
    Tags Read(const std::string& name) const {
        Tags tags;
        tags.v1.ReadTag(music_ / name);
        tags.v2.ReadTag(music_ / name);
        return tags;
    }
};

TEST_F(TagCleanerTest, EmptyTableShowsOnlyItsMessage) {
    music_.Write("a.mp3", Mp3Bytes("", Id3v1Bytes({.title = "x"})));
    Workbench& wb = Start();
    wb.TagCleaner();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Error");
    EXPECT_EQ(ui_.calls[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui_.calls[0].text,
              "TAG's Cleaner can't proceed because there is no File Information loaded.\nFile "
              "Information is loaded during renaming process.\nMake sure that File Information "
              "Loader is enabled (Menu Options -> Enable File Information Loader is checked) and "
              "start the renaming process (Press Rename Button).");
}

TEST_F(TagCleanerTest, NoLeavesEveryFileUntouchedAndShowsNoWindow) {
    const std::string a = Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}}), Id3v1Bytes({.title = "One"}));
    music_.Write("a.mp3", a);
    Workbench& wb = Start();
    AddRow("a.mp3", "Cleaned");
    ui_.yesNoAnswers = {false};
    wb.TagCleaner();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].kind, "question");
    EXPECT_EQ(ui_.calls[0].caption, "Warning");
    EXPECT_EQ(ui_.calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui_.calls[0].text, kQuestion);
    EXPECT_EQ(music_.Read("a.mp3"), a);
}

TEST_F(TagCleanerTest, GreyedWhileTheLoaderIsOff) {
    store_.SetFileInfoLoader(0);
    music_.Write("a.mp3", Mp3Bytes("", ""));
    Workbench& wb = Start();
    AddRow("a.mp3", "Cleaned");
    ui_.yesNoAnswers = {true};
    wb.TagCleaner();
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(TagCleanerTest, NamesComeFromTheTableWhenTheListIsEmpty) {
    store_.SetPathToWork(settingsDir_.Path());  // nothing is listed at start-up
    Workbench& wb = Start();
    store_.SetPathToWork(music_.Path());
    for (const char* name : {"x.mp3", "y.mp3", "z.mp3"}) {
        music_.Write(name, Mp3Bytes("", ""));
    }
    ASSERT_EQ(wb.Set().Size(), 0u);
    AddRow("x.mp3", "Title X");
    AddRow("y.mp3", "Title Y");
    AddRow("z.mp3", "Title Z");
    ui_.yesNoAnswers = {true};
    const std::string cwd = CurrentDirectory();
    wb.TagCleaner();
    EXPECT_EQ(Read("x.mp3").v1.title, "Title X");
    EXPECT_EQ(Read("y.mp3").v1.title, "Title Y");
    EXPECT_EQ(Read("z.mp3").v1.title, "Title Z");
    EXPECT_EQ(CurrentDirectory(), cwd) << "the saved directory is restored";
    const std::vector<UiCall> progress = ui_.CallsOfKind("progress");
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0].text, "Cleaning your Mp3 File's TAGs...");
    EXPECT_EQ(progress[1].answer, "close");
}

TEST_F(TagCleanerTest, ListEntriesGoWithTheRowAtTheSamePositionAndStopAtTheTablesEnd) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        music_.Write(name, Mp3Bytes("", ""));
    }
    Workbench& wb = Start();
    // After a Save the table holds the new names; the list still the old ones.
    AddRow("New A.mp3", "Row 0");
    AddRow("New B.mp3", "Row 1");
    ui_.yesNoAnswers = {true};
    wb.TagCleaner();
    EXPECT_EQ(Read("a.mp3").v1.title, "Row 0");
    EXPECT_EQ(Read("b.mp3").v1.title, "Row 1");
    EXPECT_EQ(music_.Read("c.mp3"), Mp3Bytes("", "")) << "no row for the third entry";
    EXPECT_FALSE(music_.Exists("New A.mp3"));
    EXPECT_EQ(ui_.CallsOfKind("message").size(), 0u);
}

TEST_F(TagCleanerTest, KeptCommentIsTheId3v2OneWhenThereElseTheId3v1One) {
    const struct {
        const char* name;
        std::string bytes;
        const char* kept;
    } cases[] = {
        {"both comments",
         Mp3Bytes(Id3v2Bytes({{"COMM", std::string("eng\0two", 7)}, {"TCOM", "Someone"}}),
                  Id3v1Bytes({.comment = "one"})),
         "two"},
        {"empty ID3v2 comment",
         Mp3Bytes(Id3v2Bytes({{"TIT2", "t"}}), Id3v1Bytes({.comment = "one"})), "one"},
        {"ID3v2 comment only", Mp3Bytes(Id3v2Bytes({{"COMM", std::string("eng\0two", 7)}}), ""),
         "two"},
        {"no tags", Mp3Bytes("", ""), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        music_.Write("a.mp3", c.bytes);
        Workbench& wb = Start();
        AddRow("a.mp3", "Short Title", "3", "17");
        ui_.yesNoAnswers = {true};
        wb.TagCleaner();
        const Tags tags = Read("a.mp3");
        EXPECT_EQ(tags.v1.tagPresent, 1);
        EXPECT_EQ(tags.v2.tagPresent, 0) << "short values leave an ID3v1 tag alone";
        EXPECT_EQ(tags.v1.comment, c.kept);
        EXPECT_EQ(tags.v1.title, "Short Title");
        EXPECT_EQ(tags.v1.artist, "Artist");
        EXPECT_EQ(tags.v1.album, "Album");
        EXPECT_EQ(tags.v1.year, "1999");
        EXPECT_EQ(tags.v1.track, 3);
        EXPECT_EQ(tags.v1.genre, 17);
        EXPECT_EQ(AudioOf(music_.Read("a.mp3")), AudioBytes());
    }
}

TEST_F(TagCleanerTest, Id3v2TagIsWrittenOnlyWhenAValueDoesNotFit) {
    const std::string title31 = "Thirty One Characters Of Title!";
    ASSERT_EQ(title31.size(), 31u);
    const struct {
        const char* name;
        std::string title;
        std::string comment;  // the file's ID3v2 comment, kept
        bool id3v2;
    } cases[] = {
        {"30-character title", title31.substr(0, 30), "", false},
        {"31-character title", title31, "", true},
        {"28-character comment", "t", std::string(28, 'c'), false},
        {"29-character comment", "t", std::string(29, 'c'), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string v2 =
            c.comment.empty() ? "" : Id3v2Bytes({{"COMM", std::string("eng\0", 4) + c.comment}});
        music_.Write("a.mp3", Mp3Bytes(v2, ""));
        Workbench& wb = Start();
        AddRow("a.mp3", c.title, "0", "255");
        ui_.yesNoAnswers = {true};
        wb.TagCleaner();
        const Tags tags = Read("a.mp3");
        EXPECT_EQ(tags.v2.tagPresent == 1, c.id3v2);
        EXPECT_EQ(tags.v1.title, c.title.substr(0, 30));
        if (c.id3v2) {
            EXPECT_EQ(tags.v2.majorVersion, 3);
            EXPECT_EQ(tags.v2.title, c.title) << "the whole title in TIT2";
            EXPECT_EQ(tags.v2.comment, c.comment);
            EXPECT_GE(tags.v2.tagSize, 512);
        }
        EXPECT_EQ(AudioOf(music_.Read("a.mp3")), AudioBytes());
    }
}

TEST_F(TagCleanerTest, TrackDecidesBetweenId3v10AndId3v11) {
    const std::string comment30(30, 'k');
    const struct {
        const char* track;
        int version;
        int byte;
        std::size_t commentLength;
    } cases[] = {{"0", 1, 0, 30}, {"7", 2, 7, 28}, {"-4", 1, 0, 30}, {"x", 1, 0, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.track);
        music_.Write("a.mp3", Mp3Bytes("", Id3v1Bytes({.comment = comment30})));
        Workbench& wb = Start();
        AddRow("a.mp3", "t", c.track, "255");
        ui_.yesNoAnswers = {true};
        wb.TagCleaner();
        const std::string bytes = music_.Read("a.mp3");
        const std::string block = bytes.substr(bytes.size() - 128);
        const Tags tags = Read("a.mp3");
        EXPECT_EQ(tags.v1.version, c.version);
        // ID3v1.1 puts the track into the comment's last byte; ID3v1.0 keeps
        // the comment's 30th character there.
        EXPECT_EQ(static_cast<unsigned char>(block[126]), c.version == 2 ? c.byte : 'k');
        EXPECT_EQ(tags.v1.comment.size(), c.commentLength);
        EXPECT_EQ(tags.v2.tagPresent, 1) << "a 30-character comment needs ID3v2";
    }
}

TEST_F(TagCleanerTest, Genre255IsByte255AndTcon255) {
    store_.SetFullTagSupport(false);  // the ISO-8859-1 tags of old
    music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TCON", "(17)"}}), Id3v1Bytes({.genre = 17})));
    Workbench& wb = Start();
    AddRow("a.mp3", std::string(40, 'L'), "0", "255");
    ui_.yesNoAnswers = {true};
    wb.TagCleaner();
    const std::string bytes = music_.Read("a.mp3");
    EXPECT_EQ(static_cast<unsigned char>(bytes.back()), 255);
    const std::size_t tcon = bytes.find("TCON");
    ASSERT_NE(tcon, std::string::npos);
    EXPECT_EQ(bytes.substr(tcon + 11, 5), "(255)");
}

TEST_F(TagCleanerTest, FailedFilesAreReportedAndLeftAsTheyWereAndTheRunGoesOn) {
    // The ID3v2 tag of "a.mp3" claims more bytes than the file has, so its
    // end is unknown and the file must not be written; "b.mp3" is a name
    // with a slash in the table, which the cleaner must not follow; "c.mp3"
    // is cleaned.
    store_.SetPathToWork(settingsDir_.Path());
    Workbench& wb = Start();
    store_.SetPathToWork(music_.Path());
    const std::string a =
        std::string("ID3\x03\0\0\x7F\x7F\x7F\x7F", 10) + Mp3Bytes("", Id3v1Bytes({.title = "One"}));
    music_.Write("a.mp3", a);
    ASSERT_TRUE(CreateDirectoryLevel(music_ / "sub"));
    music_.Write("sub/b.mp3", Mp3Bytes("", ""));
    music_.Write("c.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}}), ""));
    AddRow("a.mp3", "A");
    AddRow("sub/b.mp3", "B");
    AddRow("c.mp3", "C");
    ui_.yesNoAnswers = {true};
    wb.TagCleaner();
    const std::vector<UiCall> messages = ui_.CallsOfKind("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Unable to update ID3 TAGv2 on a.mp3");
    EXPECT_EQ(messages[1].text, "Unable to update ID3 TAGv1 on sub/b.mp3");
    for (const UiCall& call : messages) {
        EXPECT_EQ(call.caption, "Error");
        EXPECT_EQ(call.icon, MessageIcon::Warning);
    }
    EXPECT_EQ(messages[0].reason, "ID3v2 tag size runs past the end of the file");
    EXPECT_EQ(music_.Read("a.mp3"), a) << "neither tag changes";
    EXPECT_EQ(music_.Read("sub/b.mp3"), Mp3Bytes("", ""));
    EXPECT_EQ(Read("c.mp3").v2.tagPresent, 0);
    EXPECT_EQ(Read("c.mp3").v1.title, "C");
}

TEST_F(TagCleanerTest, WorkDirectoryThatCannotBeEnteredTouchesNothingElsewhere) {
    music_.Write("a.mp3", Mp3Bytes("", ""));
    Workbench& wb = Start();
    AddRow("a.mp3", "A");
    wb.Context().table.SetDirectory(music_ / "gone");
    // The same name in the current directory must not be cleaned instead.
    TempDir elsewhere;
    elsewhere.Write("a.mp3", Mp3Bytes("", ""));
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    ui_.yesNoAnswers = {true};
    wb.TagCleaner();
    EXPECT_EQ(elsewhere.Read("a.mp3"), Mp3Bytes("", ""));
    EXPECT_EQ(music_.Read("a.mp3"), Mp3Bytes("", ""));
    ASSERT_EQ(ui_.CallsOfKind("message").size(), 1u);
    EXPECT_EQ(ui_.CallsOfKind("message")[0].text, "Unable to update ID3 TAGv1 on a.mp3");
}

TEST_F(TagCleanerTest, TagsGoOnlyIntoTheFilesTheTableWasReadFrom) {
    const std::string original = Mp3Bytes("", Id3v1Bytes({.title = "Old"}));
    const struct {
        const char* name;
        std::function<void(Workbench&, const TempDir& other)> afterRename;
        bool bCleaned;  // b.mp3 is cleaned, or reported and left alone
    } cases[] = {
        {"another folder listed since",
         [](Workbench& wb, const TempDir& other) { wb.OpenDroppedDirectory(other.Path()); }, true},
        {"another copy stored another work directory",
         [this](Workbench&, const TempDir& other) { store_.SetPathToWork(other.Path()); }, true},
        {"b.mp3 replaced by another file since",
         [this](Workbench&, const TempDir&) {
             music_.Write("new.mp3", Mp3Bytes("", ""));
             ASSERT_EQ(::rename((music_ / "new.mp3").c_str(), (music_ / "b.mp3").c_str()), 0);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir other;
        other.Write("a.mp3", original);
        music_.Write("a.mp3", original);
        music_.Write("b.mp3", original);
        store_.SetPathToWork(music_.Path());
        Workbench& wb = Start();
        wb.SelectMethod(RenamingMethod::Id3Tag);
        wb.Rename();
        ASSERT_EQ(wb.Context().table.RowCount(), 2u);
        wb.Context().table.SetValue(0, SongField::Title, "New A");
        wb.Context().table.SetValue(1, SongField::Title, "New B");
        c.afterRename(wb, other);
        const std::string replacedB = music_.Read("b.mp3");
        ui_.calls.clear();
        ui_.yesNoAnswers = {true, true};
        wb.TagCleaner();
        EXPECT_EQ(Read("a.mp3").v1.title, "New A");
        EXPECT_EQ(other.Read("a.mp3"), original) << "a file of another folder is never written";
        if (c.bCleaned) {
            EXPECT_EQ(Read("b.mp3").v1.title, "New B");
        } else {
            EXPECT_EQ(music_.Read("b.mp3"), replacedB);
            ASSERT_EQ(ui_.CallsOfKind("message").size(), 1u);
            EXPECT_EQ(ui_.CallsOfKind("message")[0].text, "Unable to update ID3 TAGv1 on b.mp3");
        }
        // The rows follow the files the cleaner rebuilt: a second run finds them.
        ui_.calls.clear();
        ui_.yesNoAnswers = {true};
        wb.TagCleaner();
        EXPECT_EQ(ui_.CallsOfKind("message").size(), c.bCleaned ? 0u : 1u);
    }
}

TEST_F(TagCleanerTest, AFileChangedBetweenItsReadAndItsWriteIsReportedAndKeptAsItIs) {
    const std::string original = Mp3Bytes("", Id3v1Bytes({.title = "Old", .comment = "mine"}));
    const std::string other = Mp3Bytes("", Id3v1Bytes({.title = "Other"})) + "more audio";
    // Replaced by another file or rewritten, its tags read ahead or in turn.
    for (const auto& [replaced, readAheadThreads] : {std::pair{true, 16}, {true, 0}, {false, 16}}) {
        const bool newFile = replaced;  // a lambda may not capture a binding (clang)
        music_.Write("a.mp3", original);
        music_.Write("b.mp3", original);
        Workbench& wb = Start();
        wb.SelectMethod(RenamingMethod::Id3Tag);
        wb.Rename();
        wb.Context().readAheadThreads = readAheadThreads;
        wb.Context().table.SetValue(0, SongField::Title, "New A");
        ui_.calls.clear();
        ui_.yesNoAnswers = {true};
        CleanTags(wb.Context(), wb.Set().OldNames(), [&](std::size_t, const std::string& name) {
            if (name == "b.mp3") {
                music_.Write(newFile ? "new.mp3" : "b.mp3", other);
                if (newFile) {
                    ASSERT_EQ(::rename((music_ / "new.mp3").c_str(), (music_ / "b.mp3").c_str()),
                              0);
                }
            }
        });
        EXPECT_EQ(Read("a.mp3").v1.title, "New A");
        EXPECT_EQ(music_.Read("b.mp3"), other) << "never the row's tags";
        EXPECT_EQ(ui_.MessageTexts(),
                  (std::vector<std::string>{kQuestion, "Unable to update ID3 TAGv1 on b.mp3"}));
    }
}

}  // namespace
}  // namespace tagnomen
