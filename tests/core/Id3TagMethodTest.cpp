// SPDX-License-Identifier: GPL-3.0-or-later
// The ID3 tag renaming method, the record step, and a whole Rename with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "TestBatch.h"
#include "app/Workbench.h"
#include "rename/FileInfoLoader.h"
#include "rename/NameTemplate.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenamingMethods.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::V1Tag;
using Row = testing::RowTexts;

std::vector<std::string> Captions(const ScriptedUi& ui) {
    std::vector<std::string> captions;
    for (const UiCall& call : ui.CallsOfKind("mismatch")) {
        captions.push_back(call.text);
    }
    return captions;
}

class Fixture : public ::testing::Test {
  protected:
    Fixture() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
        store_.SetPathToWork(music_.Path());
    }

    void UseTemplate(const std::string& templateText) {
        store_.SetUseTemplate(1);
        store_.SetTemplate(templateText);
    }
    void UseFixedFormat(int brackets) {
        store_.SetUseTemplate(0);
        store_.SetBrackets(brackets);
    }
    // One file proposed as a Rename of its own would: its options read when
    // it starts, the table row recorded as the Rename records it.
    std::string Propose(const std::string& name) {
        testing::TestBatch batch(context_, RenamingMethod::Id3Tag);
        Proposal proposal = ProposeNameId3Tag(*batch, name);
        if (proposal.recorded) {
            RecordRow(context_.table, music_.Path(), name, proposal.name, *proposal.recorded,
                      proposal.sources);
        }
        return proposal.name;
    }

    testing::CurrentDirectoryGuard guard_;
    testing::TempDir music_;
    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
};

class RecordStep : public Fixture {};

TEST_F(RecordStep, RecordedValues) {
    struct Case {
        SongValues values;
        int lowestGenre;
        Row expected;
    };
    const Case cases[] = {
        {{"Unknown Title", "Unknown Artist", "Unknown Album", "Unknown Year", "Unknown Track",
          "Unknown Genre"},
         0,
         {"n.mp3", "Unknown Title", "Unknown Artist", "", "", "0", "255"}},
        {{"T", "A", "Gold", "1900", "05", "17"},
         0,
         {"n.mp3", "T", "A", "Gold", "1900", "05", "17"}},
        {{"T", "A", "", "2050", "99", "255"}, 1, {"n.mp3", "T", "A", "", "2050", "99", "255"}},
        {{"T", "A", "", "1899", "100", "256"}, 0, {"n.mp3", "T", "A", "", "", "0", "255"}},
        {{"T", "A", "", "2051", "-1", "-1"}, 0, {"n.mp3", "T", "A", "", "", "0", "255"}},
        // Without a leading number a text reads as 0.
        {{"T", "A", "", "MCMXC", "A1", "Rock"}, 0, {"n.mp3", "T", "A", "", "", "A1", "Rock"}},
        {{"T", "A", "", "1999 live", "3/12", "Rock"},
         1,
         {"n.mp3", "T", "A", "", "1999 live", "3/12", "255"}},
        {{"T", "A", "", "", "", "0"}, 1, {"n.mp3", "T", "A", "", "", "", "255"}},
        {{"T", "A", "", "", "", "0"}, 0, {"n.mp3", "T", "A", "", "", "", "0"}},
    };
    for (const Case& c : cases) {
        context_.table.Empty();
        RecordRow(context_.table, music_.Path(), "old.mp3", "n.mp3",
                  RecordedValues(c.values, c.lowestGenre), {});
        ASSERT_EQ(context_.table.RowCount(), 1u);
        EXPECT_EQ(testing::TextsOf(context_.table, 0), c.expected)
            << "year " << c.values.year << ", track " << c.values.track << ", genre "
            << c.values.genre;
    }
}

// A Rename that records rows empties the table once, at its first row; one
// that records none (the loader off) leaves it as it was.
TEST(RenameRecordsTheTable, EmptiedOnceAtTheFirstRowAndUntouchedWithTheLoaderOff) {
    testing::CurrentDirectoryGuard guard;
    testing::TempDir music;
    testing::TempDir settingsDir;
    music.Write("1.mp3", Mp3Bytes("", Id3v1Bytes({"A", "X"})));
    music.Write("2.mp3", Mp3Bytes("", Id3v1Bytes({"B", "X"})));
    SettingsStore store(settingsDir / "settings.reg");
    store.FirstRunCheck();
    store.SetPathToWork(music.Path());
    store.SetRenamingMethod(RenamingMethod::Id3Tag);
    ScriptedUi ui;
    Workbench workbench(store, ui);
    ASSERT_EQ(workbench.Start(), StartResult::Ready);
    FileInfoTable& table = workbench.Context().table;
    for (bool loader : {false, true}) {
        SCOPED_TRACE(loader ? "loader on" : "loader off");
        table.Empty();
        table.AppendRow(testing::RowOf({"old.mp3", "", "", "", "", "0", "255"}));
        table.AppendRow(testing::RowOf({"old2.mp3", "", "", "", "", "0", "255"}));
        workbench.Context().fileInfoLoader = loader;
        workbench.Set().ClearProposals();
        workbench.Rename();
        ASSERT_EQ(table.RowCount(), 2u);
        EXPECT_EQ(table.FileName(0), loader ? "(X) - A.mp3" : "old.mp3");
        EXPECT_EQ(table.Value(1, SongField::Title), loader ? "B" : "");
    }
}

class Id3TagMethod : public Fixture {};

TEST_F(Id3TagMethod, FixedFormats) {
    struct Case {
        const char* what;
        std::string bytes;
        int brackets;
        int underscoreOption;
        const char* expected;
    };
    const Case cases[] = {
        {"title ending dropped", Mp3Bytes(Id3v2Bytes({{"TIT2", "Song.MP3"}, {"TPE1", "ana"}}), ""),
         1, 0, "(Ana) - Song.mp3"},
        {"title ending in small letters", Mp3Bytes(Id3v2Bytes({{"TIT2", "ONE LOVE.Mp3"}}), ""), 0,
         0, "Unknown Artist - One Love.mp3"},
        {"tagless without brackets", testing::AudioBytes(), 0, 0,
         "Unknown Artist - Unknown Title.mp3"},
        {"tagless with brackets", testing::AudioBytes(), 1, 0,
         "(Unknown Artist) - Unknown Title.mp3"},
        {"underscores", Mp3Bytes("", Id3v1Bytes({"blue sky", "ana lee"})), 1, 1,
         "(Ana_Lee)_-_Blue_Sky.mp3"},
    };
    for (const Case& c : cases) {
        music_.Write("f.mp3", c.bytes);
        UseFixedFormat(c.brackets);
        context_.underscoreOption = c.underscoreOption;
        EXPECT_EQ(Propose("f.mp3"), c.expected) << c.what;
        EXPECT_FALSE(context_.useTemplate) << c.what;
    }
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(Id3TagMethod, TemplateNames) {
    music_.Write(
        "f.mp3",
        Mp3Bytes(Id3v2Bytes(
                     {{"TIT2", "blue sky"}, {"TPE1", "ana lee"}, {"TYER", "1899"}, {"TRCK", "5"}}),
                 ""));
    struct Case {
        const char* templateText;
        const char* expected;
    };
    const Case cases[] = {
        {kDefaultTemplate, "#05 - (Ana Lee) - Blue Sky (1899).mp3"},
        {"%Track. %Title", "05. blue sky.mp3"},
        {"{%Album - }%Title", "Blue Sky.mp3"},
        {"", ".mp3"},
    };
    for (const Case& c : cases) {
        UseTemplate(c.templateText);
        EXPECT_EQ(Propose("f.mp3"), c.expected) << c.templateText;
        EXPECT_TRUE(context_.useTemplate);
    }
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(Id3TagMethod, KeysFollowTheTemplate) {
    // Every value differs between the tags; only values with a mark in the
    // key are asked about, the track and genre always.
    music_.Write("f.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"},
                                               {"TPE1", "Bob"},
                                               {"TALB", "Blue"},
                                               {"TYER", "2001"},
                                               {"TRCK", "5"},
                                               {"TCON", "(13)"}}),
                                   Id3v1Bytes({"One", "Ann", "Red", "1999", "", 3, 17})));
    struct Case {
        const char* templateText;
        bool loader;
        std::vector<std::string> captions;
    };
    const Case cases[] = {
        {"%Title", 0, {"Title - Song Name"}},
        {"%Title", 1, {"Title - Song Name", "Track Number", "Genre"}},
        {"%Year %Album %Title %Artist",
         0,
         {"Title - Song Name", "Artist - Author", "Album", "Year"}},
        {kDefaultTemplate,
         1,
         {"Title - Song Name", "Artist - Author", "Album", "Year", "Track Number", "Genre"}},
        {"%Track", 0, {"Track Number"}},
    };
    for (const Case& c : cases) {
        ui_.calls.clear();
        UseTemplate(c.templateText);
        context_.fileInfoLoader = c.loader;
        Propose("f.mp3");
        EXPECT_EQ(Captions(ui_), c.captions) << c.templateText << ", loader " << c.loader;
    }
    // The fixed format asks about title and artist, then the second pass
    // about the track and the genre.
    ui_.calls.clear();
    UseFixedFormat(1);
    context_.fileInfoLoader = true;
    Propose("f.mp3");
    EXPECT_EQ(Captions(ui_), (std::vector<std::string>{"Title - Song Name", "Artist - Author",
                                                       "Track Number", "Genre"}));
}

TEST_F(Id3TagMethod, SecondPassFillsTheTableSilentlyWhereMarksAreMissing) {
    music_.Write("f.mp3",
                 Mp3Bytes(Id3v2Bytes({{"TIT2", "Song"}, {"TPE1", "Bob"}, {"TALB", "Blue"}}),
                          Id3v1Bytes({"Song", "Ann", "Red", "2003", "", 0, 17})));
    UseTemplate("%Title");
    context_.fileInfoLoader = true;
    EXPECT_EQ(Propose("f.mp3"), "Song.mp3");
    EXPECT_TRUE(ui_.calls.empty());
    ASSERT_EQ(context_.table.RowCount(), 1u);
    EXPECT_EQ(testing::TextsOf(context_.table, 0),
              (Row{"Song.mp3", "Song", "Bob", "Blue", "2003", "0", "17"}));
    // Every value came from the tags; the missing track is none.
    for (SongField field : kTableFields) {
        EXPECT_EQ(context_.table.Source(0, field),
                  field == SongField::Track ? ValueSource::None : ValueSource::Tag);
    }
}

TEST_F(Id3TagMethod, RecordedTrackAndYear) {
    context_.fullTagSupport = false;  // the ISO-8859-1 reader of old
    music_.Write("f.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Song"},
                                               {"TPE1", "Ana"},
                                               {"TYER", "1899"},
                                               {"TRCK", "5"},
                                               {"TCON", "Rock"}}),
                                   ""));
    context_.fileInfoLoader = true;
    UseTemplate("%Track - %Title (%Year)");
    EXPECT_EQ(Propose("f.mp3"), "05 - Song (1899).mp3");
    UseFixedFormat(1);
    EXPECT_EQ(Propose("f.mp3"), "(Ana) - Song.mp3");
    ASSERT_EQ(context_.table.RowCount(), 2u);
    EXPECT_EQ(testing::TextsOf(context_.table, 0),
              (Row{"05 - Song (1899).mp3", "Song", "Ana", "", "", "05", "Rock"}));
    EXPECT_EQ(testing::TextsOf(context_.table, 1),
              (Row{"(Ana) - Song.mp3", "Song", "Ana", "", "", "5", "Rock"}));
}

TEST_F(Id3TagMethod, TitleRecordedWithoutItsEnding) {
    music_.Write("f.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Song.MP3"}}), ""));
    context_.fileInfoLoader = true;
    UseFixedFormat(0);
    Propose("f.mp3");
    ASSERT_EQ(context_.table.RowCount(), 1u);
    EXPECT_EQ(context_.table.Value(0, SongField::Title), "song");
    EXPECT_EQ(context_.table.Value(0, SongField::Artist), "Unknown Artist");
}

TEST_F(Id3TagMethod, TableUntouchedWithTheLoaderOff) {
    music_.Write("f.mp3", Mp3Bytes("", Id3v1Bytes({"Song", "Ana"})));
    context_.table.AppendRow(testing::RowOf({"kept.mp3", "T", "A", "", "", "0", "255"}));
    context_.fileInfoLoader = false;
    UseFixedFormat(1);
    EXPECT_EQ(Propose("f.mp3"), "(Ana) - Song.mp3");
    ASSERT_EQ(context_.table.RowCount(), 1u);
    EXPECT_EQ(context_.table.FileName(0), "kept.mp3");
}

TEST_F(Id3TagMethod, SettingsReadWhenEachRenameStarts) {
    music_.Write("f.mp3", Mp3Bytes("", Id3v1Bytes({"Song", "Ana"})));
    UseFixedFormat(0);
    EXPECT_EQ(Propose("f.mp3"), "Ana - Song.mp3");
    store_.SetBrackets(1);
    EXPECT_EQ(Propose("f.mp3"), "(Ana) - Song.mp3");
    UseTemplate("%Title");
    EXPECT_EQ(Propose("f.mp3"), "Song.mp3");
    store_.SetTemplate("%Artist");
    EXPECT_EQ(Propose("f.mp3"), "Ana.mp3");
}

// A whole Rename through the Workbench: names in list order, questions in
// file and value order, one table row per file.
TEST(RenameWithId3TagMethod, WholeDirectory) {
    testing::CurrentDirectoryGuard guard;
    testing::TempDir music;
    testing::TempDir settingsDir;
    music.Write("b.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Hello World"}, {"TRCK", "5"}}),
                                  Id3v1Bytes({"Hello", "ana lee", "", "1999", "", 3, 17})));
    music.Write("A.MP3", testing::AudioBytes());
    music.Write("c.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "mr. big"},
                                              {"TPE1", "McCoy"},
                                              {"TALB", "x"},
                                              {"TYER", "2003"},
                                              {"TRCK", "12"},
                                              {"TCON", "(13)"}}),
                                  Id3v1Bytes({"mr. big", "McCoy", "x", "2003", "", 12, 17})));
    music.Write("notes.txt", "not an mp3");
    SettingsStore store(settingsDir / "settings.reg");
    store.FirstRunCheck();
    store.SetPathToWork(music.Path());
    store.SetRenamingMethod(RenamingMethod::Id3Tag);
    store.SetFileInfoLoader(1);
    store.SetUseTemplate(1);
    store.SetTemplate(kDefaultTemplate);

    ScriptedUi ui;
    ui.mismatchAnswers = {1, 2, 2};
    Workbench workbench(store, ui);
    ASSERT_EQ(workbench.Start(), StartResult::Ready);
    workbench.Rename();

    EXPECT_EQ(workbench.Set().Proposals(),
              (std::vector<std::string>{"(Unknown Artist) - Unknown Title.mp3",
                                        "#05 - (Ana Lee) - Hello (1999).mp3",
                                        "#12 - (McCoy) - X - Mr. big (2003).mp3"}));
    const std::vector<UiCall> questions = ui.CallsOfKind("mismatch");
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0].text, "Title - Song Name");
    EXPECT_EQ(questions[0].file, "b.mp3");
    EXPECT_EQ(questions[1].text, "Track Number");
    EXPECT_EQ(questions[2].text, "Genre");
    EXPECT_EQ(questions[2].file, "c.mp3");
    EXPECT_EQ(questions[2].v1, "Rock");
    EXPECT_EQ(questions[2].v2, "Pop");

    const FileInfoTable& table = workbench.Context().table;
    ASSERT_EQ(table.RowCount(), 3u);
    EXPECT_EQ(testing::TextsOf(table, 0),
              (Row{"(Unknown Artist) - Unknown Title.mp3", "Unknown Title", "Unknown Artist", "",
                   "", "0", "255"}));
    EXPECT_EQ(testing::TextsOf(table, 1), (Row{"#05 - (Ana Lee) - Hello (1999).mp3", "Hello",
                                               "ana lee", "", "1999", "05", "17"}));
    EXPECT_EQ(testing::TextsOf(table, 2), (Row{"#12 - (McCoy) - X - Mr. big (2003).mp3", "mr. big",
                                               "McCoy", "x", "2003", "12", "13"}));

    // A second Rename replaces the rows instead of adding to them.
    ui.mismatchAnswers = {1, 2, 2};
    workbench.Set().ClearProposals();
    workbench.Rename();
    EXPECT_EQ(workbench.Context().table.RowCount(), 3u);
}

}  // namespace
}  // namespace tagnomen
