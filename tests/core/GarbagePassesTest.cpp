// SPDX-License-Identifier: GPL-3.0-or-later
// The three garbage passes: what they ask, in which order, and what each
// answer does to the name and to the album and track values.
#include "rename/GarbagePasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineQuestions.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestBatch.h"
#include "rename/EngineRun.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::Asked;
using testing::Choose;
using testing::ExpectAsked;
using testing::Garbage;
using testing::Rename;

using namespace smart;

TEST(GarbageTests, VersionWord) {
    struct Case {
        std::string text;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"(Live)", true},          {"(Radio MIX)", true},     {"(Extended)", true},
        {"(Album Version)", true}, {"(ACOUSTIC)", true},      {"(Unpluged)", true},
        {"(Unplugged)", false},    {"(Remaster 1999)", true}, {"(1899)", false},
        {"(2051)", false},         {"(Www Site)", false},     {"()", false},
        {"(Take 75)", false},      {"(Deliver)", true},  // "live" inside a word counts
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasVersionWord(c.text), c.expected) << c.text;
    }
}

TEST(GarbageTests, TwoDigitValue) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"(Bonus)", "0"}, {"(Take 75)", "75"}, {"7", "0"},    {"12 34", "34"},
        {"123", "23"},    {"1234x5", "34"},    {"07)", "07"}, {"", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwoDigitValue(c.text), c.expected) << c.text;
    }
}

using Pass = std::string (*)(EngineRun&, const std::string&);

struct PassCase {
    const char* what;
    Pass pass;
    std::string name;
    bool needsAlbum = false;
    bool needsTrack = false;
    std::vector<GarbageAnswer> garbageAnswers;
    std::vector<bool> yesNoAnswers;
    std::string albumBefore;
    std::string trackBefore;
    std::vector<Asked> asked;
    std::string expectedName;
    std::string expectedAlbum;
    std::string expectedTrack;
};

class GarbagePass : public ::testing::Test {
  protected:
    GarbagePass() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {}

    void Run(const PassCase& c) {
        SCOPED_TRACE(c.what);
        ui_.calls.clear();
        ui_.garbageAnswers.assign(c.garbageAnswers.begin(), c.garbageAnswers.end());
        ui_.yesNoAnswers.assign(c.yesNoAnswers.begin(), c.yesNoAnswers.end());
        testing::TestBatch batch(context_);
        EngineRun run(*batch, c.name);
        run.needsAlbum = c.needsAlbum;
        run.needsTrack = c.needsTrack;
        run.values.album = c.albumBefore;
        run.values.track = c.trackBefore;

        EXPECT_EQ(c.pass(run, c.name), c.expectedName);
        EXPECT_EQ(run.values.album, c.expectedAlbum);
        EXPECT_EQ(run.values.track, c.expectedTrack);
        ExpectAsked(ui_, c.asked);
    }

    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
};

using A = GarbageAnswer;

TEST_F(GarbagePass, Segments) {
    const std::string aat = "Artist.Album.Title.mp3";
    const std::string rem = "R.E.M. - Losing My Religion.mp3";
    const std::string three = "Artist - Album - Title.mp3";
    const std::vector<PassCase> cases = {
        {.what = "three dots, all kept",
         .pass = GarbageSegmentsPass,
         .name = aat,
         .asked = {Garbage("Artist", aat), Garbage("Album", aat), Garbage("Title", aat)},
         .expectedName = "Artist-Album-Title.mp3"},
        {.what = "middle segment erased",
         .pass = GarbageSegmentsPass,
         .name = three,
         .garbageAnswers = {A::No, A::Yes, A::No},
         .asked = {Garbage("Artist ", three), Garbage(" Album ", three), Garbage(" Title", three)},
         .expectedName = "Artist - Title.mp3"},
        {.what = "two separators ask nothing",
         .pass = GarbageSegmentsPass,
         .name = "Artist - Title.mp3",
         .expectedName = "Artist - Title.mp3"},
        {.what = "separators inside brackets do not count",
         .pass = GarbageSegmentsPass,
         .name = "(A-B.C) - x.mp3",
         .expectedName = "(A-B.C) - x.mp3"},
        {.what = "abbreviation dots",
         .pass = GarbageSegmentsPass,
         .name = rem,
         .asked = {Garbage("R.", rem), Garbage("E.", rem), Garbage("M.", rem), Garbage(" ", rem),
                   Garbage(" Losing My Religion", rem)},
         .expectedName = rem},
        {.what = "mark as album, buttons shown",
         .pass = GarbageSegmentsPass,
         .name = aat,
         .needsAlbum = true,
         .needsTrack = true,
         .garbageAnswers = {A::No, A::Album, A::No},
         .asked = {Garbage("Artist", aat, true, true), Garbage("Album", aat, true, true),
                   Garbage("Title", aat, true, true)},
         .expectedName = "Artist-Title.mp3",
         .expectedAlbum = "Album"},
        {.what = "mark as track takes the two-digit value",
         .pass = GarbageSegmentsPass,
         .name = "Artist.Take 07.Title.mp3",
         .needsTrack = true,
         .garbageAnswers = {A::No, A::Track, A::No},
         .asked = {Garbage("Artist", "Artist.Take 07.Title.mp3", false, true),
                   Garbage("Take 07", "Artist.Take 07.Title.mp3", false, true),
                   Garbage("Title", "Artist.Take 07.Title.mp3", false, true)},
         .expectedName = "Artist-Title.mp3",
         .expectedTrack = "07"},
        {.what = "mark as track against a track already found asks the question box",
         .pass = GarbageSegmentsPass,
         .name = "a.b 09.c.mp3",
         .needsTrack = true,
         .garbageAnswers = {A::No, A::Track, A::No},
         .yesNoAnswers = {true},
         .trackBefore = "03",
         .asked = {Garbage("a", "a.b 09.c.mp3", false, true),
                   Garbage("b 09", "a.b 09.c.mp3", false, true),
                   Choose("Do you want to use 09 instead of 03 as Track\nFor: a.b 09.c.mp3"),
                   Garbage("c", "a.b 09.c.mp3", false, true)},
         .expectedName = "a-c.mp3",
         .expectedTrack = "09"},
        {.what = "everything erased keeps the ending",
         .pass = GarbageSegmentsPass,
         .name = "a-b-c.mp3",
         .garbageAnswers = {A::Yes, A::Yes, A::Yes},
         .asked = {Garbage("a", "a-b-c.mp3"), Garbage("b", "a-b-c.mp3"), Garbage("c", "a-b-c.mp3")},
         .expectedName = ".mp3"},
    };
    for (const PassCase& c : cases) {
        Run(c);
    }
}

TEST_F(GarbagePass, Groups) {
    const std::string www = "(Artist) - Title (Www Site) .mp3";
    const std::string bonus = "(Artist) - Title (Bonus) .mp3";
    const std::string take = "(Artist) - Title (Take 75) .mp3";
    const std::vector<PassCase> cases = {
        {.what = "version word passes silently",
         .pass = GarbageGroupsPass,
         .name = "(Artist) - Title (Live) .mp3",
         .expectedName = "(Artist) - Title (Live) .mp3"},
        {.what = "kept group",
         .pass = GarbageGroupsPass,
         .name = www,
         .asked = {Garbage("(Www Site)", www)},
         .expectedName = www},
        {.what = "erased group leaves its blanks",
         .pass = GarbageGroupsPass,
         .name = www,
         .garbageAnswers = {A::Yes},
         .asked = {Garbage("(Www Site)", www)},
         .expectedName = "(Artist) - Title  .mp3"},
        {.what = "empty group is asked about",
         .pass = GarbageGroupsPass,
         .name = "(Artist) - Title () .mp3",
         .asked = {Garbage("()", "(Artist) - Title () .mp3")},
         .expectedName = "(Artist) - Title () .mp3"},
        {.what = "album keeps the brackets",
         .pass = GarbageGroupsPass,
         .name = www,
         .needsAlbum = true,
         .garbageAnswers = {A::Album},
         .asked = {Garbage("(Www Site)", www, true, false)},
         .expectedName = "(Artist) - Title  .mp3",
         .expectedAlbum = "(Www Site)"},
        {.what = "track from a group without digits is 0",
         .pass = GarbageGroupsPass,
         .name = bonus,
         .needsTrack = true,
         .garbageAnswers = {A::Track},
         .asked = {Garbage("(Bonus)", bonus, false, true)},
         .expectedName = "(Artist) - Title  .mp3",
         .expectedTrack = "0"},
        {.what = "track 75",
         .pass = GarbageGroupsPass,
         .name = take,
         .needsTrack = true,
         .garbageAnswers = {A::Track},
         .asked = {Garbage("(Take 75)", take, false, true)},
         .expectedName = "(Artist) - Title  .mp3",
         .expectedTrack = "75"},
        {.what = "groups before the dash after the first ) are not asked about",
         .pass = GarbageGroupsPass,
         .name = "A - B (C) (D) - E (F) (Mix)",
         .garbageAnswers = {A::Yes},
         .asked = {Garbage("(F)", "A - B (C) (D) - E (F) (Mix)")},
         .expectedName = "A - B (C) (D) - E  (Mix)"},
        {.what = "no ) at all: nothing is a group",
         .pass = GarbageGroupsPass,
         .name = "A - B (C",
         .expectedName = "A - B (C"},
        {.what = "an unclosed group stays",
         .pass = GarbageGroupsPass,
         .name = "(A) - B (C",
         .expectedName = "(A) - B (C"},
    };
    for (const PassCase& c : cases) {
        Run(c);
    }
}

TEST_F(GarbagePass, Characters) {
    const std::string hash = "(Artist) - Title #1.mp3";
    const std::vector<PassCase> cases = {
        {.what = "hash and digit, No",
         .pass = GarbageCharactersPass,
         .name = hash,
         .asked = {Rename(hash, "(Artist) - Title .mp3")},
         .expectedName = hash},
        {.what = "hash and digit, Yes",
         .pass = GarbageCharactersPass,
         .name = hash,
         .yesNoAnswers = {true},
         .asked = {Rename(hash, "(Artist) - Title .mp3")},
         .expectedName = "(Artist) - Title .mp3"},
        {.what = "leading digits; the candidate gets the word case",
         .pass = GarbageCharactersPass,
         .name = "0123abc.mp3",
         .asked = {Rename("0123abc.mp3", "Abc.mp3")},
         .expectedName = "0123abc.mp3"},
        {.what = "digits inside brackets are no garbage",
         .pass = GarbageCharactersPass,
         .name = "(Artist) - Title (Take 2).mp3",
         .expectedName = "(Artist) - Title (Take 2).mp3"},
        {.what = "accented letters are no garbage",
         .pass = GarbageCharactersPass,
         .name = "(Artist) - Caf\xC3\xA9 \xC3\x89t\xC3\xA9.mp3",
         .expectedName = "(Artist) - Caf\xC3\xA9 \xC3\x89t\xC3\xA9.mp3"},
        {.what = "a dot not starting .mp3 does not switch keeping on",
         .pass = GarbageCharactersPass,
         .name = "(A) - B $5.00 x.mp3",
         .yesNoAnswers = {true},
         .asked = {Rename("(A) - B $5.00 x.mp3", "(A) - B X.mp3")},
         .expectedName = "(A) - B X.mp3"},
        {.what = "a letter switches keeping on",
         .pass = GarbageCharactersPass,
         .name = "(A) - B;c d.mp3",
         .asked = {Rename("(A) - B;c d.mp3", "(A) - Bc D.mp3")},
         .expectedName = "(A) - B;c d.mp3"},
        {.what = "control characters and DEL",
         .pass = GarbageCharactersPass,
         .name = "(A) - B\x01x \x7Fy.mp3",
         .yesNoAnswers = {true},
         .asked = {Rename("(A) - B\x01x \x7Fy.mp3", "(A) - Bx Y.mp3")},
         .expectedName = "(A) - Bx Y.mp3"},
        {.what = "an accented letter after garbage goes with it, whole",
         .pass = GarbageCharactersPass,
         .name = "(A) - B %\xC3\xA9 x.mp3",
         .asked = {Rename("(A) - B %\xC3\xA9 x.mp3", "(A) - B X.mp3")},
         .expectedName = "(A) - B %\xC3\xA9 x.mp3"},
    };
    for (const PassCase& c : cases) {
        Run(c);
    }
}

}  // namespace
}  // namespace tagnomen
