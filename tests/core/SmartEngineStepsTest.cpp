// SPDX-License-Identifier: GPL-3.0-or-later
// The smart engine's cleaning steps one by one: the pure name rewrites, and
// the steps that find values and ask about them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestBatch.h"
#include "rename/CleaningSteps.h"
#include "rename/SmartEngine.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using namespace smart;

using Rewrite = std::string (*)(const std::string&);

struct RewriteCase {
    const char* step;
    Rewrite rewrite;
    std::string name;
    std::string expected;
};

TEST(CleaningSteps, NameRewrites) {
    const std::vector<RewriteCase> cases = {
        // Step 1: the leading year goes in front of every later ".mp3".
        {"1", MoveLeadingYear, "1999 - prince - dance.mp3", " - prince - dance(1999).mp3"},
        {"1", MoveLeadingYear, "2000 a.mp3 b.MP3", " a(2000).mp3 b(2000).MP3"},
        {"1", MoveLeadingYear, "1999.mp3", "(1999).mp3"},
        {"1", MoveLeadingYear, "1999abc", "abc"},
        {"1", MoveLeadingYear, "1899 - x.mp3", "1899 - x.mp3"},
        {"1", MoveLeadingYear, "2051 - x.mp3", "2051 - x.mp3"},
        {"1", MoveLeadingYear, "199", "199"},
        {"1", MoveLeadingYear, "x 1999.mp3", "x 1999.mp3"},

        // Step 4: track numbers, judged by fixed characters of the whole name.
        {"4", DropTrackNumbers, "03 - the beatles - help!.mp3", "the beatles - help!.mp3"},
        {"4", DropTrackNumbers, "0123abc.mp3", "0123abc.mp3"},
        {"4", DropTrackNumbers, "03 - \u00C9dith Piaf - Non.mp3", "\u00C9dith Piaf - Non.mp3"},
        {"4", DropTrackNumbers, "12 34 Song.mp3", "12 34 Song.mp3"},
        {"4", DropTrackNumbers, "51 Song.mp3", "51 Song.mp3"},
        {"4", DropTrackNumbers, "Pink_Floyd_-_Money_(1973).mp3", "Pink_Floyd_-_Money_().mp3"},
        {"4", DropTrackNumbers, "track 05 - Title.mp3", "Title.mp3"},
        {"4", DropTrackNumbers, "track05 - Title.mp3", "Title.mp3"},
        {"4", DropTrackNumbers, "TRACK 05 - Title.mp3", "Title.mp3"},
        {"4", DropTrackNumbers, "TRACK05 - Title.mp3", "TRACK - Title.mp3"},
        {"4", DropTrackNumbers, "Song #05 x.mp3", "Song  x.mp3"},
        {"4", DropTrackNumbers, "Song # 05 x.mp3", "Song   x.mp3"},
        // Letters glued to a dropped number go with it until a separator.
        {"4", DropTrackNumbers, "03abc - x.mp3", "x.mp3"},
        {"4", DropTrackNumbers, "[Artist] Song Title.mp3", "Artist] Song Title.mp3"},
        {"4", DropTrackNumbers, "--- 'Quoted'.mp3", "'Quoted'.mp3"},
        {"4", DropTrackNumbers, "!!!", ""},

        // Step 5: a dash with only blanks up to the next dash or the end.
        {"5", DropEmptyDashes, "a - - b", "a - b"},
        {"5", DropEmptyDashes, "a -  -  - b", "a - b"},
        {"5", DropEmptyDashes, "a -", "a "},
        {"5", DropEmptyDashes, "a-b-c", "a-b-c"},

        {"6", SquareToRoundBrackets, "[a] x [b]", "(a) x (b)"},
        {"7", BlankBeforeOpeningBracket, "a(b)(c) (d)", "a (b) (c) (d)"},
        {"7", BlankBeforeOpeningBracket, "(a)", "(a)"},
        {"8", BlankAfterClosingBracket, "(a)b)", "(a) b) "},
        {"8", BlankAfterClosingBracket, "(a) b", "(a) b"},
        {"12", UnderscoresToBlanks, "a_b__c", "a b  c"},
        {"13", DropLeadingBlanks, "   a b ", "a b "},
        {"13", DropLeadingBlanks, "   ", ""},

        // Step 16: stray dashes; "A-ha" and the artist's dash stay.
        {"16", ExtraDashes, "(Artist )- a - b.mp3", "(Artist )- a   b.mp3"},
        {"16", ExtraDashes, "(A-ha )- Take On Me.mp3", "(A-ha )- Take On Me.mp3"},
        {"16", ExtraDashes, "(Artist)- x -.mp3", "(Artist)- x .mp3"},
        {"16", ExtraDashes, "x-y (c-d) - e", "x y (c d)   e"},
        {"16", ExtraDashes, "(A) - B (c-d)", "(A) - B (c-d)"},
        {"16", ExtraDashes, "(A) - Ab-hc - x-ya", "(A) - Ab-hc   x-ya"},

        {"18", DropBlankBeforeClosingBracket, "( a  )", "( a )"},
        {"19", DropBlankAfterOpeningBracket, "(  a)", "( a)"},
        // Steps 20 and 21 start at the first ")".
        {"20", BlankBeforeDashes, "a-b (c)-d -e-", "a-b (c) -d -e -"},
        {"20", BlankBeforeDashes, "a-b", "a-b"},
        {"21", BlankAfterDashes, "a-b (c)-d- e-", "a-b (c)- d- e- "},
        {"24", DropBangS, "Guns!s!S!.mp3", "Guns!S!.mp3"},

        // Step 25: word case.
        {"25", WordCase, "(the BEATLES) - hELP.mp3", "(The Beatles) - Help.mp3"},
        {"25", WordCase, "help.mp3", "Help.mp3"},
        {"25", WordCase, "Help.MP3", "Help.mp3"},
        {"25", WordCase, "MCCOY - x", "McCoy - X"},
        {"25", WordCase, "Mr.Big.Mp3", "Mr.Big.mp3"},
        {"25", WordCase, "x-men", "X-men"},
        {"25", WordCase, "(\xC3\xA9LAN) \xC3\x89t\xC3\xA9", "(\xC3\xA9lan) \xC3\x89t\xC3\xA9"},

        // Step 26: years outside brackets get brackets.
        {"26", YearBrackets, "a 1999 b", "a (1999) b"},
        {"26", YearBrackets, "19992000.mp3", "(1999(2000).mp3"},
        {"26", YearBrackets, "a 1999", "a (1999"},
        {"26", YearBrackets, "(1999) x", "(1999) x"},
        {"26", YearBrackets, "a (b 1999) 2000", "a (b 1999) (2000"},
        {"26", YearBrackets, "x 1899 2051", "x 1899 2051"},

        {"30", DropBlankBeforeMp3, "a .MP3 b .mp3 c .txt", "a.MP3 b.mp3 c .txt"},
        {"31", DropLeadingGroupBrackets, "(The Beatles) - Help!.mp3", "The Beatles - Help!.mp3"},
        {"31", DropLeadingGroupBrackets, "(A (B)) - T (x)", "A B) - T (x)"},
        {"31", DropLeadingGroupBrackets, "A (B)", "A (B)"},
    };
    for (const RewriteCase& c : cases) {
        EXPECT_EQ(c.rewrite(c.name), c.expected) << "step " << c.step << ": " << c.name;
    }
}

TEST(CleaningSteps, UnderscoreSeparatorSetsTheCountAtItsFirstPlace) {
    struct Case {
        std::string name;
        std::string expected;
        int count;
    };
    const std::vector<Case> cases = {
        {"Pink_Floyd_-_Money_().mp3", "Pink_Floyd-_Money_().mp3", 1},
        {"A-B_-_C_-_D", "A-B-_C-_D", 2},
        {"a_-b", "a_-b", 0},
    };
    for (const Case& c : cases) {
        int count = 0;
        EXPECT_EQ(UnderscoreSeparator(c.name, count), c.expected) << c.name;
        EXPECT_EQ(count, c.count) << c.name;
    }
}

// Steps that read or write the engine run's values, and ask.
class ValueSteps : public ::testing::Test {
  protected:
    ValueSteps() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {}

    std::vector<std::string> QuestionTexts() const {
        std::vector<std::string> texts;
        for (const UiCall& call : ui_.CallsOfKind("question")) {
            EXPECT_EQ(call.caption, "Choose the correct File Information");
            EXPECT_EQ(call.icon, MessageIcon::Question);
            texts.push_back(call.text);
        }
        return texts;
    }

    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
    testing::TestBatch batch_{context_};
    EngineRun run_{*batch_, ""};
};

TEST_F(ValueSteps, YearsAndTracksAreOffered) {
    struct Case {
        const char* what;
        void (*step)(EngineRun&, const std::string&);
        std::string name;
        std::string before;  // the year or track already found
        std::vector<bool> answers;
        std::vector<std::string> questions;
        std::string after;
    };
    const std::string bandSong = "Band - Song 1999 2000.mp3";
    const std::vector<Case> cases = {
        {"year, No keeps the first",
         OfferYears,
         bandSong,
         "",
         {false},
         {"Do you want to use 2000 instead of 1999 as Year\nFor: " + bandSong},
         "1999"},
        {"year, Yes takes the second",
         OfferYears,
         bandSong,
         "",
         {true},
         {"Do you want to use 2000 instead of 1999 as Year\nFor: " + bandSong},
         "2000"},
        {"same year twice", OfferYears, "1999 x 1999", "", {}, {}, "1999"},
        {"years outside the range", OfferYears, "1899 2051", "", {}, {}, ""},
        {"found year against the earlier one",
         OfferYears,
         "x 2001",
         "1999",
         {false},
         {"Do you want to use 2001 instead of 1999 as Year\nFor: x 2001"},
         "1999"},
        {"track from a year's last digits", OfferTracks, bandSong, "", {}, {}, "00"},
        {"track, pair followed by digit skipped", OfferTracks, "123", "", {}, {}, "23"},
        {"track above 50 skipped", OfferTracks, "51 x", "", {}, {}, ""},
        {"second track asked",
         OfferTracks,
         "03 - 07 x",
         "",
         {true},
         {"Do you want to use 07 instead of 03 as Track\nFor: 03 - 07 x"},
         "07"},
    };
    for (const Case& c : cases) {
        ui_.calls.clear();
        ui_.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        const bool year = c.step == OfferYears;
        std::string& value = year ? run_.values.year : run_.values.track;
        value = c.before;
        c.step(run_, c.name);
        EXPECT_EQ(QuestionTexts(), c.questions) << c.what;
        EXPECT_EQ(value, c.after) << c.what;
    }
}

TEST_F(ValueSteps, ArtistGroupMarksTheGroupAndOffersItsTextInTheSecondRun) {
    struct Case {
        std::string name;
        bool pass;  // the second run
        std::string artistBefore;
        std::vector<bool> answers;
        std::string expectedName;
        std::string expectedArtist;
        std::vector<std::string> questions;
    };
    const std::vector<Case> cases = {
        {"(Artist) Title.mp3", 0, "", {}, "(Artist)- Title.mp3", "", {}},
        {"(Artist) - Title.mp3", 0, "", {}, "(Artist) - Title.mp3", "", {}},
        {"(A)_x", 0, "", {}, "(A)_x", "", {}},
        {"(A) xy_", 0, "", {}, "(A) xy_", "", {}},
        {"(A) xyz_", 0, "", {}, "(A)- xyz_", "", {}},
        {"x (A) y", 0, "", {}, "x (A) y", "", {}},
        {"(A) (B) c", 0, "", {}, "(A)- (B) c", "", {}},
        {"(Artist) - Title.mp3", 1, "", {}, "(Artist) - Title.mp3", "Artist", {}},
        {"(A (B)) - T.mp3", 1, "", {}, "(A (B)) - T.mp3", "A (B)", {}},
        {"(Artist) - Title.mp3",
         1,
         "Other",
         {true},
         "(Artist) - Title.mp3",
         "Artist",
         {"Do you want to use Artist instead of Other as Artist\nFor: (Artist) - Title.mp3"}},
        {"() - x", 1, "Kept", {}, "() - x", "Kept", {}},
    };
    for (const Case& c : cases) {
        ui_.calls.clear();
        ui_.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        run_.values.artist = c.artistBefore;
        EXPECT_EQ(ArtistGroup(run_, c.name, c.pass), c.expectedName) << c.name;
        EXPECT_EQ(run_.values.artist, c.expectedArtist) << c.name;
        EXPECT_EQ(run_.artistPassFlag, c.pass);
        EXPECT_EQ(QuestionTexts(), c.questions) << c.name;
    }
}

TEST_F(ValueSteps, ArtistWrapSetsTheArtistWithoutAsking) {
    struct Case {
        std::string name;
        int underscoreDashCount;
        std::string expectedName;
        std::string expectedArtist;  // "-" when the step leaves the artist alone
    };
    const std::vector<Case> cases = {
        {"the beatles - help!.mp3", 0, "(the beatles )- help!.mp3", "the beatles "},
        {"Pink Floyd- Money.mp3", 1, "(Pink Floyd)- Money.mp3", "Pink Floyd"},
        {"A-B- C.mp3", 2, "(A-B)- C.mp3", "A-B"},
        {"A-B- C.mp3", 0, "(A)-B- C.mp3", "A"},
        {"(x) - y", 0, "(x) - y", "-"},
        {"abc.mp3", 3, "abc.mp3", "-"},
    };
    for (const Case& c : cases) {
        run_.values.artist = "-";
        run_.underscoreDashCount = c.underscoreDashCount;
        EXPECT_EQ(ArtistWrap(run_, c.name), c.expectedName) << c.name;
        EXPECT_EQ(run_.values.artist, c.expectedArtist) << c.name;
        EXPECT_EQ(run_.underscoreDashCount, 0) << c.name;
    }
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(ValueSteps, TitleIsTakenOnlyWithExactlyOneDash) {
    struct Case {
        std::string name;
        std::string expectedTitle;  // "kept" when the earlier title stays
    };
    const std::vector<Case> cases = {
        {"(A) - Title.mp3", " Title"}, {"(A) - Title", " Title"},   {"(A-B) - C.mp3", " C"},
        {"(A) - Mr. Big.mp3", " Mr"},  {"(A) - B - C.mp3", "kept"}, {"R.E.M. - x.mp3", "kept"},
        {"no dash.mp3", "kept"},
    };
    for (const Case& c : cases) {
        run_.values.title = "kept";
        TakeTitle(run_, c.name);
        EXPECT_EQ(run_.values.title, c.expectedTitle) << c.name;
    }
}

}  // namespace
}  // namespace tagnomen
