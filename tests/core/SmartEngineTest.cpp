// SPDX-License-Identifier: GPL-3.0-or-later
// Whole proposals of the smart engine for methods 1, 2 and others: the old
// name, the settings and the scripted answers in; the questions asked, the
// proposed name and the values found out.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "EngineQuestions.h"
#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "TestBatch.h"
#include "app/Workbench.h"
#include "rename/NameTemplate.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenamingMethods.h"
#include "rename/SmartEngine.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::Asked;
using testing::Choose;
using testing::ExpectAsked;
using testing::Garbage;
using testing::Rename;

using A = GarbageAnswer;

struct Values {
    std::string title, artist, album, year, track;
};

struct EngineCase {
    const char* what;
    std::string oldName;
    RenamingMethod method = RenamingMethod::SmartEngine;
    std::string templateText;  // empty: "UseTemplate" 0
    int brackets = 1;
    int underscore = 0;
    bool loader = false;
    std::vector<bool> yesNo;
    std::vector<GarbageAnswer> garbage;
    std::vector<Asked> asked;
    std::string expected;
    Values values;
};

class SmartEngine : public ::testing::Test {
  protected:
    SmartEngine() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
        store_.SetPathToWork(music_.Path());
    }

    void Run(const EngineCase& c) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.oldName);
        music_.Write(c.oldName, testing::Mp3Bytes("", ""));
        store_.SetRenamingMethod(c.method);
        store_.SetUseTemplate(c.templateText.empty() ? 0 : 1);
        store_.SetTemplate(c.templateText);
        store_.SetBrackets(c.brackets);
        context_.underscoreOption = c.underscore;
        context_.fileInfoLoader = c.loader;
        ui_.calls.clear();
        ui_.yesNoAnswers.assign(c.yesNo.begin(), c.yesNo.end());
        ui_.garbageAnswers.assign(c.garbage.begin(), c.garbage.end());

        EXPECT_EQ(Propose(c.oldName), c.expected);

        ExpectAsked(ui_, c.asked);
        EXPECT_TRUE(ui_.yesNoAnswers.empty()) << "unused Yes/No answers";
        EXPECT_TRUE(ui_.garbageAnswers.empty()) << "unused garbage answers";
        EXPECT_EQ(run_->values.title, c.values.title);
        EXPECT_EQ(run_->values.artist, c.values.artist);
        EXPECT_EQ(run_->values.album, c.values.album);
        EXPECT_EQ(run_->values.year, c.values.year);
        EXPECT_EQ(run_->values.track, c.values.track);
        EXPECT_EQ(run_->underscoreDashCount, 0);
    }

    // One call of the engine as a Rename of its own makes it (its options
    // read when it starts, its row recorded); the run stays for the test to
    // look at.
    std::string Propose(const std::string& oldName) {
        run_.reset();
        batch_.emplace(context_);
        run_.emplace(smart::StartRun(**batch_, oldName));
        Proposal proposal = smart::ProposeName(*run_);
        if (proposal.recorded) {
            RecordRow(context_.table, music_.Path(), oldName, proposal.name, *proposal.recorded,
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
    std::optional<testing::TestBatch> batch_;
    std::optional<smart::EngineRun> run_;
};

const std::string kBeatles = "03 - the beatles - help!.mp3";

TEST_F(SmartEngine, WorkedExamples) {
    const std::string floydAsked = "(Pink Floyd) - Money  () .mp3";
    const std::vector<EngineCase> cases = {
        {.what = "fixed format",
         .oldName = kBeatles,
         .expected = "(The Beatles) - Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", "03"}},
        {.what = "default template",
         .oldName = kBeatles,
         .templateText = kDefaultTemplate,
         .expected = "#03 - (The Beatles) - Help!.mp3",
         .values = {"Help!", "The Beatles", "Unknown Album", "Unknown Year", "03"}},
        {.what = "empty group kept",
         .oldName = "Pink_Floyd_-_Money_(1973).mp3",
         .asked = {Garbage("()", floydAsked)},
         .expected = "(Pink Floyd) - Money ().mp3",
         .values = {"Money  ()", "Pink Floyd", "", "1973", ""}},
        {.what = "empty group erased",
         .oldName = "Pink_Floyd_-_Money_(1973).mp3",
         .garbage = {A::Yes},
         .asked = {Garbage("()", floydAsked)},
         .expected = "(Pink Floyd) - Money.mp3",
         .values = {"Money", "Pink Floyd", "", "1973", ""}},
    };
    for (const EngineCase& c : cases) {
        Run(c);
    }
}

TEST_F(SmartEngine, EdgeCasesOfTheCleaning) {
    const std::string bandSong = "Band - Song 1999 2000.mp3";
    const std::vector<EngineCase> cases = {
        {.what = "leading year moves before the ending, then loses its digits",
         .oldName = "1999 - prince - dance.mp3",
         .asked = {Garbage("()", "(Prince) - Dance () .mp3")},
         .expected = "(Prince) - Dance ().mp3",
         .values = {"Dance ()", "Prince", "", "1999", ""}},
        {.what = "fourth character a digit keeps the digits",
         .oldName = "0123abc.mp3",
         .asked = {Rename("0123abc.mp3", "Abc.mp3")},
         .expected = "0123abc.mp3",
         .values = {"", "", "", "", "23"}},
        {.what = "track word",
         .oldName = "track 05 - Title.mp3",
         .expected = "Title.mp3",
         .values = {"", "", "", "", "05"}},
        {.what = "square brackets",
         .oldName = "[Artist] Song Title.mp3",
         .expected = "Artist) Song Title.mp3"},
        {.what = "year in brackets gives year and track",
         .oldName = "Artist - Title (2005).mp3",
         .asked = {Garbage("()", "(Artist) - Title () .mp3")},
         .expected = "(Artist) - Title ().mp3",
         .values = {"Title ()", "Artist", "", "2005", "05"}},
        {.what = "two years, No",
         .oldName = bandSong,
         .asked = {Choose("2000", "1999", "Year", bandSong)},
         .expected = "(Band) - Song.mp3",
         .values = {"Song", "Band", "", "1999", "00"}},
        {.what = "two years, Yes",
         .oldName = bandSong,
         .yesNo = {true},
         .asked = {Choose("2000", "1999", "Year", bandSong)},
         .expected = "(Band) - Song.mp3",
         .values = {"Song", "Band", "", "2000", "00"}},
        {.what = "Brackets 0",
         .oldName = "(The Beatles) - Help!.mp3",
         .brackets = 0,
         .expected = "The Beatles - Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", ""}},
        {.what = "Brackets 0 on a messy name",
         .oldName = kBeatles,
         .brackets = 0,
         .expected = "The Beatles - Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", "03"}},
        {.what = "UnderscoreOption 1",
         .oldName = "(The Beatles) - Help!.mp3",
         .underscore = 1,
         .expected = "(The_Beatles)_-_Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", ""}},
        {.what = "already clean",
         .oldName = "(The Beatles) - Help!.mp3",
         .expected = "(The Beatles) - Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", ""}},
        {.what = "word case of the first letter", .oldName = "help.mp3", .expected = "Help.mp3"},
        {.what = "word case inside the artist group",
         .oldName = "bEATLES - hELP.mp3",
         .expected = "(Beatles) - Help.mp3",
         .values = {"Help", "Beatles", "", "", ""}},
        {.what = "year kept by a digit fourth character comes out of the title",
         .oldName = "0123 - Song 1999.mp3",
         .expected = "(0123) - Song (1999).mp3",
         .values = {"Song", "0123", "", "1999", "23"}},
        {.what = "underscores around the artist dash",
         .oldName = "A-ha_-_Take_On_Me.mp3",
         .asked = {Garbage("A", "A-ha_-_Take_On_Me.mp3"), Garbage("ha_", "A-ha_-_Take_On_Me.mp3"),
                   Garbage("_Take_On_Me", "A-ha_-_Take_On_Me.mp3")},
         .expected = "(A-ha) - Take On Me.mp3",
         .values = {"Take On Me", "A-ha", "", "", ""}},
    };
    for (const EngineCase& c : cases) {
        Run(c);
    }
}

TEST_F(SmartEngine, GarbageQuestions) {
    const std::string rem = "R.E.M. - Losing My Religion.mp3";
    const std::string aat = "Artist.Album.Title.mp3";
    const std::string www = "(Artist) - Title (Www Site) .mp3";
    const std::string hash = "(Artist) - Title #1.mp3";
    const std::vector<EngineCase> cases = {
        {.what = "abbreviation dots kept",
         .oldName = rem,
         .asked = {Garbage("R.", rem), Garbage("E.", rem), Garbage("M.", rem), Garbage(" ", rem),
                   Garbage(" Losing My Religion", rem)},
         .expected = "(R.E.M.) - Losing My Religion.mp3",
         .values = {"", "R.E.M.", "", "", ""}},
        {.what = "dotted segments kept",
         .oldName = aat,
         .asked = {Garbage("Artist", aat), Garbage("Album", aat), Garbage("Title", aat)},
         .expected = "(Artist) - Album Title.mp3",
         .values = {"Album Title", "Artist", "", "", ""}},
        {.what = "dotted segment erased",
         .oldName = aat,
         .garbage = {A::No, A::Yes, A::No},
         .asked = {Garbage("Artist", aat), Garbage("Album", aat), Garbage("Title", aat)},
         .expected = "(Artist) - Title.mp3",
         .values = {"Title", "Artist", "", "", ""}},
        {.what = "dotted segment marked as album",
         .oldName = aat,
         .templateText = "%Artist - %Album - %Title",
         .garbage = {A::No, A::Album, A::No},
         .asked = {Garbage("Artist", aat, true, false), Garbage("Album", aat, true, false),
                   Garbage("Title", aat, true, false)},
         .expected = "Artist - Album - Title.mp3",
         .values = {"Title", "Artist", "Album", "", ""}},
        {.what = "version word",
         .oldName = "(Artist) - Title (Live).mp3",
         .expected = "(Artist) - Title (Live).mp3",
         .values = {"Title (Live)", "Artist", "", "", ""}},
        {.what = "web site group kept",
         .oldName = "(Artist) - Title (www site).mp3",
         .asked = {Garbage("(Www Site)", www)},
         .expected = "(Artist) - Title (Www Site).mp3",
         .values = {"Title (Www Site)", "Artist", "", "", ""}},
        {.what = "web site group erased",
         .oldName = "(Artist) - Title (www site).mp3",
         .garbage = {A::Yes},
         .asked = {Garbage("(Www Site)", www)},
         .expected = "(Artist) - Title.mp3",
         .values = {"Title", "Artist", "", "", ""}},
        {.what = "garbage characters kept",
         .oldName = hash,
         .asked = {Rename(hash, "(Artist) - Title .mp3")},
         .expected = hash,
         .values = {"Title #1", "Artist", "", "", ""}},
        {.what = "garbage characters erased",
         .oldName = hash,
         .yesNo = {true},
         .asked = {Rename(hash, "(Artist) - Title .mp3")},
         .expected = "(Artist) - Title.mp3",
         .values = {"Title", "Artist", "", "", ""}},
        {.what = "Mark as Track on a group without digits",
         .oldName = "(Artist) - Title (Bonus).mp3",
         .templateText = kDefaultTemplate,
         .garbage = {A::Track},
         .asked = {Garbage("(Bonus)", "(Artist) - Title (Bonus) .mp3", true, true)},
         .expected = "#0 - (Artist) - Title.mp3",
         .values = {"Title", "Artist", "Unknown Album", "Unknown Year", "0"}},
        {.what = "Mark as Track on a group with digits",
         .oldName = "(Artist) - Title (Take 75).mp3",
         .templateText = kDefaultTemplate,
         .garbage = {A::Track},
         .asked = {Garbage("(Take 75)", "(Artist) - Title (Take 75) .mp3", true, true)},
         .expected = "#75 - (Artist) - Title.mp3",
         .values = {"Title", "Artist", "Unknown Album", "Unknown Year", "75"}},
        {.what = "album from a group loses its brackets and leaves the title",
         .oldName = "Artist - Hits (Hits).mp3",
         .templateText = "%Artist - %Title{ (%Album)}",
         .garbage = {A::Album},
         .asked = {Garbage("(Hits)", "(Artist) - Hits (Hits) .mp3", true, false)},
         .expected = "Artist - (Hits).mp3",
         .values = {"", "Artist", "Hits", "", ""}},
        {.what = "Mark as Track against the track from the name",
         .oldName = "07 - Artist - Title (Take 75).mp3",
         .templateText = "%Track %Artist - %Title",
         .yesNo = {false},
         .garbage = {A::Track},
         .asked = {Garbage("(Take 75)", "(Artist) - Title (Take 75) .mp3", false, true),
                   Choose("75", "07", "Track", "(Artist) - Title (Take 75) .mp3")},
         .expected = "07 Artist - Title.mp3",
         .values = {"Title", "Artist", "", "", "07"}},
    };
    for (const EngineCase& c : cases) {
        Run(c);
    }
}

TEST_F(SmartEngine, MassMethodAndOtherMethods) {
    const std::string three = "Artist - Album - Title.mp3";
    const std::string bandSong = "Band - Song 1999 2000.mp3";
    const std::vector<EngineCase> cases = {
        {.what = "mass method asks nothing",
         .oldName = kBeatles,
         .method = RenamingMethod::Mass,
         .expected = "(The Beatles) - Help!.mp3",
         .values = {"Help!", "The Beatles", "", "", "03"}},
        {.what = "mass method fills title and artist from the loader",
         .oldName = "help.mp3",
         .method = RenamingMethod::Mass,
         .expected = "(Unknown Artist) - Unknown Title.mp3",
         .values = {"Unknown Title", "Unknown Artist", "", "", ""}},
        {.what = "mass method, Brackets 0",
         .oldName = "help.mp3",
         .method = RenamingMethod::Mass,
         .brackets = 0,
         .expected = "Unknown Artist - Unknown Title.mp3",
         .values = {"Unknown Title", "Unknown Artist", "", "", ""}},
        {.what = "mass method, artist with brackets, Brackets 0",
         .oldName = "(A (B)) - T.mp3",
         .method = RenamingMethod::Mass,
         .brackets = 0,
         .expected = "A B) - T.mp3",
         .values = {"T", "A (B)", "", "", ""}},
        {.what = "mass method, two dashes",
         .oldName = three,
         .method = RenamingMethod::Mass,
         .expected = "(Artist) - Unknown Title.mp3",
         .values = {"Unknown Title", "Artist", "", "", ""}},
        {.what = "mass method skips the garbage characters",
         .oldName = "(Artist) - Title #1.mp3",
         .method = RenamingMethod::Mass,
         .expected = "(Artist) - Title #1.mp3",
         .values = {"Title #1", "Artist", "", "", ""}},
        {.what = "mass method still asks about values",
         .oldName = bandSong,
         .method = RenamingMethod::Mass,
         .asked = {Choose("2000", "1999", "Year", bandSong)},
         .expected = "(Band) - Song.mp3",
         .values = {"Song", "Band", "", "1999", "00"}},
        {.what = "mass method with a template",
         .oldName = "help.mp3",
         .method = RenamingMethod::Mass,
         .templateText = "%Artist - %Title",
         .underscore = 1,
         .expected = "Unknown_Artist_-_Unknown_Title.mp3",
         .values = {"Unknown Title", "Unknown Artist", "", "", ""}},
        {.what = "method 1 on the same name: the extra dash leaves its blanks in the title",
         .oldName = three,
         .asked = {Garbage("Artist ", three), Garbage(" Album ", three), Garbage(" Title", three)},
         .expected = "(Artist) - Album Title.mp3",
         .values = {"Album   Title", "Artist", "", "", ""}},
        {.what = "another stored method: no garbage steps, no mass output",
         .oldName = three,
         .method = RenamingMethod{5},
         .expected = "(Artist) - Album - Title.mp3",
         .values = {"", "Artist", "", "", ""}},
        {.what = "another stored method keeps the title empty without a template",
         .oldName = "help.mp3",
         .method = RenamingMethod{7},
         .expected = "Help.mp3"},
    };
    for (const EngineCase& c : cases) {
        Run(c);
    }
}

TEST_F(SmartEngine, RecordsTheTableRowWithTheLoaderOn) {
    const EngineCase c = {
        .what = "loader on",
        .oldName = "(Artist) - Title (Bonus).mp3",
        .loader = true,
        .garbage = {A::Track},
        .asked = {Garbage("(Bonus)", "(Artist) - Title (Bonus) .mp3", true, true)},
        .expected = "(Artist) - Title.mp3",
        .values = {"Title", "Artist", "Unknown Album", "Unknown Year", "0"}};
    Run(c);
    EXPECT_EQ(run_->values.genre, "Unknown Genre");
    ASSERT_EQ(context_.table.RowCount(), 1u);
    const testing::RowTexts expected = {
        "(Artist) - Title.mp3", "Title", "Artist", "", "", "0", "255"};
    EXPECT_EQ(testing::TextsOf(context_.table, 0), expected);
    // Title and artist come from the name; the tags had nothing else.
    for (SongField field : kTableFields) {
        const bool fromName = field == SongField::Title || field == SongField::Artist;
        EXPECT_EQ(context_.table.Source(0, field),
                  fromName ? ValueSource::FileName : ValueSource::None);
    }

    // A second file appends; the values of the first are gone.
    Run({.what = "second file",
         .oldName = kBeatles,
         .loader = true,
         .expected = "(The Beatles) - Help!.mp3",
         .values = {"Help!", "The Beatles", "Unknown Album", "Unknown Year", "03"}});
    ASSERT_EQ(context_.table.RowCount(), 2u);
    EXPECT_EQ(context_.table.Value(1, SongField::Track), "03");
}

TEST_F(SmartEngine, ValuesComeFromTheTagsWhereTheNameHasNone) {
    testing::V1Tag tag;
    tag.title = "Help";
    tag.artist = "beatles";
    tag.album = "Rubber Soul";
    tag.year = "1965";
    music_.Write("help.mp3", testing::Mp3Bytes("", testing::Id3v1Bytes(tag)));
    store_.SetRenamingMethod(RenamingMethod::Mass);
    store_.SetUseTemplate(1);
    store_.SetTemplate("%Artist - %Album - %Title (%Year)");
    EXPECT_EQ(Propose("help.mp3"), "Beatles - Rubber Soul - Help (1965).mp3");
    EXPECT_EQ(run_->values.album, "Rubber Soul");
}

TEST_F(SmartEngine, ProposalsFitAFileName) {
    const std::string accent = "\xC3\xA9";
    std::string longTitle;
    for (int i = 0; i < 60; ++i) {
        longTitle += "word" + accent + " ";
    }
    const std::string oldName = "Artist - " + longTitle + "(Live).mp3";
    for (RenamingMethod method : {RenamingMethod::SmartEngine, RenamingMethod::Mass}) {
        for (int useTemplate : {0, 1}) {
            store_.SetRenamingMethod(method);
            store_.SetUseTemplate(useTemplate);
            store_.SetTemplate(kDefaultTemplate);
            const std::string proposal = Propose(oldName);
            EXPECT_LE(proposal.size(), 255u) << static_cast<int>(method) << useTemplate;
            EXPECT_TRUE(proposal.ends_with(".mp3")) << proposal;
            // The cut falls on a character boundary: the byte before the
            // ending is never the lead byte of the two-byte character.
            EXPECT_NE(static_cast<unsigned char>(proposal[proposal.size() - 5]), 0xC3) << proposal;
        }
    }
}

TEST_F(SmartEngine, NameWithoutAStemKeepsItsEnding) {
    Run({.what = "only punctuation before the ending",
         .oldName = "!!!.mp3",
         .asked = {Rename("Mp3", "Mp")},
         .expected = "Mp3.mp3"});
}

// A whole Rename with the engine: names in list order, each file's questions
// in order, and nothing carried from one file to the next.
TEST(RenameWithSmartEngine, WholeDirectory) {
    testing::CurrentDirectoryGuard guard;
    testing::TempDir music;
    testing::TempDir settingsDir;
    testing::V1Tag tag;
    tag.title = "Help";
    tag.artist = "beatles";
    tag.year = "1965";
    music.Write("help.mp3", testing::Mp3Bytes("", testing::Id3v1Bytes(tag)));
    music.Write("03 - the beatles - help!.mp3", testing::AudioBytes());
    music.Write("Pink_Floyd_-_Money_(1973).mp3", testing::AudioBytes());
    music.Write("Band - Song 1999 2000.mp3", testing::AudioBytes());
    SettingsStore store(settingsDir / "settings.reg");
    store.FirstRunCheck();
    store.SetPathToWork(music.Path());
    store.SetRenamingMethod(RenamingMethod::SmartEngine);
    store.SetFileInfoLoader(1);

    ScriptedUi ui;
    ui.garbageAnswers = {GarbageAnswer::Yes};
    ui.yesNoAnswers = {true};
    Workbench workbench(store, ui);
    ASSERT_EQ(workbench.Start(), StartResult::Ready);
    workbench.Rename();

    EXPECT_EQ(workbench.Set().Proposals(),
              (std::vector<std::string>{"(The Beatles) - Help!.mp3", "(Band) - Song.mp3",
                                        "Help.mp3", "(Pink Floyd) - Money.mp3"}));
    std::vector<std::string> asked;
    for (const UiCall& call : ui.calls) {
        if (call.kind == "garbage" || call.kind == "question") {
            asked.push_back(call.text);
        }
    }
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "Do you want to use 2000 instead of 1999 as Year\nFor: Band - Song "
                         "1999 2000.mp3",
                         "Do you want to erase: ()\nFrom: (Pink Floyd) - Money  () .mp3"}));

    const FileInfoTable& table = workbench.Context().table;
    ASSERT_EQ(table.RowCount(), 4u);
    EXPECT_EQ(table.Value(1, SongField::Year), "2000");
    EXPECT_EQ(table.Value(1, SongField::Track), "00");
    EXPECT_EQ(table.FileName(2), "Help.mp3");
    EXPECT_EQ(table.Value(2, SongField::Title), "Help");
    EXPECT_EQ(table.Value(2, SongField::Artist), "Beatles");
    EXPECT_EQ(table.Value(2, SongField::Year), "1965");
    EXPECT_EQ(table.Value(3, SongField::Title), "Money");
    EXPECT_EQ(table.Value(3, SongField::Year), "1973");
}

}  // namespace
}  // namespace tagnomen
