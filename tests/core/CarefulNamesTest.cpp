// SPDX-License-Identifier: GPL-3.0-or-later
// Music-aware names: one table of (old name, tags, proposal) rows from real
// names, each row naming the rule it shows, and a check that every rule has
// rows. Also the pieces the table rests on: the name parser, copies of one
// song, and the smart engine's one question.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestBatch.h"
#include "WorkingSetLists.h"
#include "rename/CarefulNames.h"
#include "rename/DuplicateNames.h"
#include "rename/NameParser.h"
#include "session/WorkingSet.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;

enum class Rule {
    kNoPlaceholder,   // a value found nowhere is left out; no title keeps the name
    kTagWins,         // a tag value wins over the name's guess
    kMixedCaseKept,   // a tag written in mixed case stays as written
    kCapitals,        // music-aware capitals for small letters and shouting
    kSafeCharacters,  // "/" becomes "-"
    kNumbers,         // numbers that belong to a name stay in it
    kSeparators,      // hyphens, dashes, underscores, dots
    kJunk,            // junk goes without a question
    kWorseTag,        // a tag plainly worse than the name loses
};
constexpr int kRuleCount = 9;

struct Case {
    Rule rule;
    std::string oldName;
    std::string tags;  // the file's bytes before its audio: an ID3v2 tag or nothing
    std::string id3v1 = "";
    std::string expected;
};

std::string V2(const std::vector<std::pair<std::string, std::string>>& frames) {
    return Id3v2Bytes(frames);
}

class CarefulNames : public ::testing::Test {
  protected:
    CarefulNames() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
        store_.SetPathToWork(music_.Path());
        store_.SetOverlay("MusicAwareNames", "1");
        context_.musicAwareNames = true;
        store_.SetBrackets(0);
    }

    std::string Propose(const std::string& name, RenamingMethod method = RenamingMethod::Id3Tag) {
        testing::TestBatch batch(context_, method);
        return ProposeName(*batch, name).name;
    }

    testing::CurrentDirectoryGuard guard_;
    testing::TempDir music_;
    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
};

TEST_F(CarefulNames, ProposalsOfRealNames) {
    const std::string cyrillicArtist = "\xCC\xE8\xF1\xF2\xE5\xF0";  // "Мистер" in Windows-1251
    const std::vector<Case> cases = {
        {Rule::kNoPlaceholder, "2Pac - California Love.mp3", "", "", "2Pac - California Love.mp3"},
        {Rule::kNoPlaceholder, "wonderwall.mp3", "", "", "Wonderwall.mp3"},
        {Rule::kNoPlaceholder, "Track 01.mp3", "", "", "Track 01.mp3"},
        {Rule::kNoPlaceholder, "AUD-20190312-WA0004.mp3", "", "", "AUD-20190312-WA0004.mp3"},
        {Rule::kNoPlaceholder, "Track 1.mp3", V2({{"TIT2", "Track 1"}, {"TPE1", "Unknown Artist"}}),
         "", "Track 1.mp3"},
        {Rule::kNoPlaceholder, "x.mp3", V2({{"TIT2", "Unknown Pleasures"}}), "",
         "Unknown Pleasures.mp3"},
        {Rule::kTagWins, "Nine Inch Nails - Hurt.mp3",
         V2({{"TIT2", "Hurt"}, {"TPE1", "Johnny Cash"}}), "", "Johnny Cash - Hurt.mp3"},
        {Rule::kTagWins, "06.mp3", "", Id3v1Bytes({"So What", "Miles Davis"}),
         "Miles Davis - So What.mp3"},
        {Rule::kTagWins, "01 - Intro.mp3", V2({{"TIT2", "Intro"}, {"TPE1", "The xx"}}), "",
         "The xx - Intro.mp3"},
        {Rule::kMixedCaseKept, "tatu - all the things she said.mp3",
         V2({{"TIT2", "All the Things She Said"}, {"TPE1", "t.A.T.u."}}), "",
         "t.A.T.u. - All the Things She Said.mp3"},
        {Rule::kMixedCaseKept, "x.mp3", V2({{"TIT2", "Love the Way You Lie"}, {"TPE1", "Eminem"}}),
         "", "Eminem - Love the Way You Lie.mp3"},
        {Rule::kCapitals, "03 - the beatles - help!.mp3", "", "", "The Beatles - Help!.mp3"},
        {Rule::kCapitals, "MADONNA - LIKE A PRAYER.MP3", "", "", "Madonna - Like a Prayer.mp3"},
        {Rule::kCapitals, "x.mp3", "", Id3v1Bytes({"BLITZKRIEG BOP", "RAMONES"}),
         "Ramones - Blitzkrieg Bop.mp3"},
        {Rule::kCapitals, "abba_-_dancing_queen.mp3", V2({{"TPE1", "ABBA"}}), "",
         "ABBA - Dancing Queen.mp3"},
        {Rule::kCapitals, "the who - baba o'riley.mp3", "", "", "The Who - Baba O'Riley.mp3"},
        {Rule::kCapitals, "johann strauss ii - the blue danube.mp3", "", "",
         "Johann Strauss II - The Blue Danube.mp3"},
        {Rule::kCapitals, "r.e.m. - losing my religion.mp3", "", "",
         "R.E.M. - Losing My Religion.mp3"},
        {Rule::kCapitals, "AC_DC_-_Back_In_Black.mp3", "", "", "AC-DC - Back in Black.mp3"},
        {Rule::kSafeCharacters, "acdc-highway_to_hell.mp3",
         V2({{"TIT2", "Highway to Hell"}, {"TPE1", "AC/DC"}}), "", "AC-DC - Highway to Hell.mp3"},
        {Rule::kNumbers, "50 Cent - In Da Club.mp3", "", "", "50 Cent - In Da Club.mp3"},
        {Rule::kNumbers, "smashing pumpkins - 1979.mp3", "", "", "Smashing Pumpkins - 1979.mp3"},
        {Rule::kNumbers, "05. Ludwig van Beethoven - Symphony No. 9.mp3", "", "",
         "Ludwig van Beethoven - Symphony No. 9.mp3"},
        {Rule::kNumbers, "02 Antonio Vivaldi - La primavera, Op. 8 No. 1.mp3", "", "",
         "Antonio Vivaldi - La primavera, Op. 8 No. 1.mp3"},
        {Rule::kNumbers, "1-01 Stevie Wonder - Superstition.mp3", "", "",
         "Stevie Wonder - Superstition.mp3"},
        {Rule::kSeparators, "t-pain - buy u a drank.mp3", "", "", "T-Pain - Buy U a Drank.mp3"},
        {Rule::kSeparators, "Rush \xE2\x80\x93 Tom Sawyer.mp3", "", "", "Rush - Tom Sawyer.mp3"},
        {Rule::kSeparators, "04-queen-bohemian_rhapsody.mp3", "", "",
         "Queen - Bohemian Rhapsody.mp3"},
        {Rule::kSeparators, "(07) Simon & Garfunkel - Mrs. Robinson.mp3", "", "",
         "Simon & Garfunkel - Mrs. Robinson.mp3"},
        {Rule::kSeparators, "Dire.Straits.-.Sultans.Of.Swing.mp3", "", "",
         "Dire Straits - Sultans of Swing.mp3"},
        {Rule::kJunk, "Radiohead - Karma Police [320kbps] (www.mp3-zone.com).mp3", "", "",
         "Radiohead - Karma Police.mp3"},
        {Rule::kJunk, "Pink_Floyd_-_Money_(1973).mp3", "", "", "Pink Floyd - Money.mp3"},
        {Rule::kJunk, "The Kinks - Waterloo Sunset (2000 remaster).mp3", "", "",
         "The Kinks - Waterloo Sunset.mp3"},
        {Rule::kJunk, "eric clapton - layla (unplugged).mp3", "", "",
         "Eric Clapton - Layla (Unplugged).mp3"},
        {Rule::kJunk, "Adele - Rolling in the Deep.mp3.mp3", "", "",
         "Adele - Rolling in the Deep.mp3"},
        {Rule::kWorseTag, "Taylor Swift - Shake It Off (Official Video).mp3",
         V2({{"TIT2", "Taylor Swift - Shake It Off (Official Video)"},
             {"TPE1", "TaylorSwiftVEVO"}}),
         "", "Taylor Swift - Shake It Off.mp3"},
        {Rule::kWorseTag, "Adele - Hello.mp3", V2({{"TIT2", "Hello"}, {"TPE1", "AdeleVEVO"}}), "",
         "Adele - Hello.mp3"},
        {Rule::kWorseTag, "x.mp3",
         V2({{"TIT2", "01 - Kraftwerk - Das Model"}, {"TPE1", "Various Artists"}}), "",
         "Kraftwerk - Das Model.mp3"},
        {Rule::kNumbers, "09 - 9 to 5.mp3", V2({{"TIT2", "9 to 5"}, {"TPE1", "Dolly Parton"}}), "",
         "Dolly Parton - 9 to 5.mp3"},
        {Rule::kNumbers, "Daft Punk - Digital Love - 2001.mp3", "", "",
         "Daft Punk - Digital Love.mp3"},
        {Rule::kWorseTag, "01 - Rehab.mp3",
         V2({{"TIT2", "Back to Black"}, {"TPE1", "Amy Winehouse"}, {"TALB", "Back to Black"}}), "",
         "Amy Winehouse - Rehab.mp3"},
        {Rule::kWorseTag, "Arctic Monkeys - I Bet You Look Good on the Dancefloor.mp3", "",
         Id3v1Bytes({"I Bet You Look Good on the Danc", "Arctic Monkeys"}),
         "Arctic Monkeys - I Bet You Look Good on the Dancefloor.mp3"},
        {Rule::kWorseTag, "x.mp3", V2({{"TIT2", "Halo"}, {"TPE1", "Beyonc\xC3\xA9"}}), "",
         "Beyonc\xC3\xA9 - Halo.mp3"},
        {Rule::kWorseTag, "track03.mp3", V2({{"TIT2", "x"}, {"TPE1", cyrillicArtist}}), "",
         "\xD0\x9C\xD0\xB8\xD1\x81\xD1\x82\xD0\xB5\xD1\x80 - X.mp3"},
    };
    std::set<Rule> shown;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oldName);
        music_.Write(c.oldName, Mp3Bytes(c.tags, c.id3v1));
        EXPECT_EQ(Propose(c.oldName), c.expected);
        EXPECT_EQ(Propose(c.oldName, RenamingMethod::Mass), c.expected) << "the mass method";
        std::remove((music_ / c.oldName).c_str());
        shown.insert(c.rule);
    }
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(kRuleCount)) << "every rule has rows";
    EXPECT_TRUE(ui_.calls.empty()) << "no question of the ID3 tag and mass methods";
}

TEST_F(CarefulNames, TemplatesLeaveOutWhatIsMissing) {
    struct TemplateCase {
        std::string templateText;
        std::string expected;
    };
    music_.Write("03 - the beatles - help!.mp3", Mp3Bytes("", ""));
    store_.SetUseTemplate(1);
    for (const TemplateCase& c : std::vector<TemplateCase>{
             {"{#%Track - }(%Artist) -{ %Album -} %Title{ (%Year)}",
              "#03 - (The Beatles) - Help!.mp3"},
             {"%Artist - %Album - %Title", "The Beatles - Help!.mp3"},
             {"{%Year - }%Title", "Help!.mp3"},
         }) {
        store_.SetTemplate(c.templateText);
        EXPECT_EQ(Propose("03 - the beatles - help!.mp3"), c.expected) << c.templateText;
    }
}

TEST_F(CarefulNames, TheTableRecordsTheTagsAsTheyAreAndGuessesAsGuesses) {
    music_.Write(
        "ramones-blitzkrieg_bop.mp3",
        Mp3Bytes(V2({{"TIT2", "BLITZKRIEG BOP (Official Video)"}, {"TPE1", "RAMONES"}}), ""));
    context_.fileInfoLoader = true;
    testing::TestBatch batch(context_, RenamingMethod::Id3Tag);
    const Proposal proposal = ProposeName(*batch, "ramones-blitzkrieg_bop.mp3");
    EXPECT_EQ(proposal.name, "Ramones - Blitzkrieg Bop.mp3");
    ASSERT_TRUE(proposal.recorded.has_value());
    EXPECT_EQ(proposal.recorded->artist, "RAMONES");
    EXPECT_EQ(proposal.sources[SongField::Artist], ValueSource::Tag);
    // The title lost its note: what the tag should say is a guess.
    EXPECT_EQ(proposal.recorded->title, "Blitzkrieg Bop");
    EXPECT_EQ(proposal.sources[SongField::Title], ValueSource::FileName);
}

TEST(NameParser, ValuesOfAName) {
    struct ParserCase {
        std::string name, artist, title, track, year;
    };
    for (const ParserCase& c : std::vector<ParserCase>{
             {"03 - the beatles - help!.mp3", "the beatles", "help!", "03", ""},
             {"Track 05 - Coldplay - Yellow.mp3", "Coldplay", "Yellow", "05", ""},
             {"1999 - prince - dance.mp3", "prince", "dance", "", "1999"},
             {"Iron Maiden - The Trooper [1983].mp3", "Iron Maiden", "The Trooper", "", "1983"},
             {"Inception - 12 - Time.mp3", "Inception", "Time", "12", ""},
             {"Sunn O))) - Aghartha.mp3", "Sunn O)))", "Aghartha", "", ""},
             {"oasis-wonderwall(1).mp3", "oasis", "wonderwall", "", ""},
             {"NEW_SONG_FINAL(2).mp3", "", "", "", ""},
         }) {
        const ParsedName parsed = ParseFileName(c.name);
        EXPECT_EQ(parsed.artist, c.artist) << c.name;
        EXPECT_EQ(parsed.title, c.title) << c.name;
        EXPECT_EQ(parsed.track, c.track) << c.name;
        EXPECT_EQ(parsed.year, c.year) << c.name;
    }
}

TEST(DuplicateNames, TheFileUnderTheNameKeepsItAndTheOthersAreNumbered) {
    WorkingSet set;
    testing::SetLists(set, {"a.mp3", "Oasis - Wonderwall.mp3", "b.mp3", "c.mp3", "d.mp3"},
                      {"Oasis - Wonderwall.mp3", "Oasis - Wonderwall.mp3", "Oasis - Wonderwall.mp3",
                       "Oasis - Wonderwall (2).mp3", "Other.mp3"});
    EXPECT_EQ(NumberDuplicateProposals(set), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(set.Proposals(),
              (std::vector<std::string>{"Oasis - Wonderwall (3).mp3", "Oasis - Wonderwall.mp3",
                                        "Oasis - Wonderwall (4).mp3", "Oasis - Wonderwall (2).mp3",
                                        "Other.mp3"}));
}

TEST_F(CarefulNames, TheSmartEngineAsksOnlyAboutAGroupNothingExplains) {
    music_.Write("Hans Zimmer - Time (Inception).mp3", Mp3Bytes("", ""));
    music_.Write("Moby - Porcelain (Radio Edit).mp3", Mp3Bytes("", ""));
    ui_.garbageAnswers = {GarbageAnswer::Yes};
    EXPECT_EQ(Propose("Hans Zimmer - Time (Inception).mp3", RenamingMethod::SmartEngine),
              "Hans Zimmer - Time.mp3");
    EXPECT_EQ(Propose("Moby - Porcelain (Radio Edit).mp3", RenamingMethod::SmartEngine),
              "Moby - Porcelain (Radio Edit).mp3");
    const std::vector<UiCall> asked = ui_.CallsOfKind("garbage");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "Do you want to erase: (Inception)\nFrom: Hans Zimmer - Time "
              "(Inception).mp3");
}

}  // namespace
}  // namespace tagnomen
