// SPDX-License-Identifier: GPL-3.0-or-later
// Junk in file names, the numbers that belong to a name, and the characters
// a file name cannot hold: tables of real names, each row tagged with the
// rule it shows, and checks that every rule has rows.
#include "rename/NameJunk.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "rename/FileNameChars.h"
#include "rename/NameNumbers.h"

namespace tagnomen {
namespace {

struct JunkRow {
    JunkKind kind;  // the junk the row removes; kNone: a row that keeps its name
    const char* stem;
    const char* expected;
};

using J = JunkKind;

const JunkRow kJunkRows[] = {
    {J::kBitrate, "Radiohead - Karma Police [320kbps]", "Radiohead - Karma Police"},
    {J::kBitrate, "Radiohead_-_Karma_Police_[320kbps]", "Radiohead_-_Karma_Police"},
    {J::kBitrate, "Song 128kbps", "Song"},
    {J::kBitrate, "Speech [8kbps]", "Speech"},
    {J::kBitrate, "Artist - Song (320 kbps)", "Artist - Song"},
    {J::kBitrate, "Artist - Song [VBR]", "Artist - Song"},
    {J::kBitrate, "Artist - Song - 192 KBPS", "Artist - Song"},
    {J::kBitrate, "Artist - Song [MP3 256k]", "Artist - Song"},
    {J::kBitrate, "Artist - Song @ 320kbps", "Artist - Song"},
    {J::kSite, "Radiohead - Karma Police (www.mp3-zone.com)", "Radiohead - Karma Police"},
    {J::kSite, "Artist - Song (www.x.net)", "Artist - Song"},
    {J::kSite, "Artist - Song something.com", "Artist - Song"},
    {J::kSite, "Artist - Song - mp3-zone.ru", "Artist - Song"},
    {J::kSite, "www.site.com - Artist - Song", "Artist - Song"},
    {J::kSite, "Artist - Song [by www.site.ru]", "Artist - Song"},
    {J::kSite, "Artist - Song (Live www.site.ru)", "Artist - Song (Live)"},
    {J::kSite, "Artist - Song [http://music.example.org/free]", "Artist - Song"},
    {J::kVideoNote, "Artist - Song [Official Video]", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Official Audio)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Official Music Video)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Lyrics)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Lyric Video)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (HD)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (HQ)", "Artist - Song"},
    {J::kVideoNote, "Artist - Song [Audio]", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Official Video) [HD 1080p]", "Artist - Song"},
    {J::kVideoNote, "Artist - Song (Live, HD)", "Artist - Song (Live)"},
    {J::kVideoNote, "Artist - Song - Official Video", "Artist - Song"},
    {J::kRemasterNote, "Artist - Song (2000 remaster)", "Artist - Song"},
    {J::kRemasterNote, "Artist - Song (Remastered 2011)", "Artist - Song"},
    {J::kRemasterNote, "Artist - Song - Remastered 2009", "Artist - Song"},
    {J::kRemasterNote, "Artist - Song [2011 Remaster]", "Artist - Song"},
    {J::kRemasterNote, "Artist \xE2\x80\x93 Song \xE2\x80\x93 2015 Remastered Version",
     "Artist \xE2\x80\x93 Song"},
    {J::kRemasterNote, "Artist - Song (Radio Edit, 2011 Remaster)", "Artist - Song (Radio Edit)"},
    {J::kRemasterNote, "Artist - Song (2011 Remaster - Radio Edit)", "Artist - Song (Radio Edit)"},
    {J::kRemasterNote, "Artist - Song (Mono - Remastered) (Live)", "Artist - Song (Mono) (Live)"},
    {J::kNone, "Artist - Song (Live)", "Artist - Song (Live)"},
    {J::kNone, "Artist - Song (Remix)", "Artist - Song (Remix)"},
    {J::kNone, "Artist - Song (feat. X, Y & Z)", "Artist - Song (feat. X, Y & Z)"},
    {J::kNone, "Artist - Song (Acoustic)", "Artist - Song (Acoustic)"},
    {J::kNone, "Artist - Song (Radio Edit)", "Artist - Song (Radio Edit)"},
    {J::kNone, "Artist - Song (Part 2)", "Artist - Song (Part 2)"},
    {J::kNone, "Artist - Song (Album Version)", "Artist - Song (Album Version)"},
    {J::kNone, "Pink_Floyd_-_Money_(1973)", "Pink_Floyd_-_Money_(1973)"},
    {J::kNone, "Sunn O))) - Aghartha", "Sunn O))) - Aghartha"},
    {J::kNone, "!!! - Heart of Hearts", "!!! - Heart of Hearts"},
    {J::kNone, "Ke$ha - Tik Tok", "Ke$ha - Tik Tok"},
    {J::kNone, "R.E.M. - Losing My Religion", "R.E.M. - Losing My Religion"},
    {J::kNone, "t.A.T.u. - All the Things She Said", "t.A.T.u. - All the Things She Said"},
    {J::kNone, "Simon & Garfunkel - Mrs. Robinson", "Simon & Garfunkel - Mrs. Robinson"},
    {J::kNone, "Vivaldi - Concerto Op. 8", "Vivaldi - Concerto Op. 8"},
    {J::kNone, "will.i.am - Scream & Shout", "will.i.am - Scream & Shout"},
    {J::kNone, "Amy.Winehouse.-.Back.To.Black", "Amy.Winehouse.-.Back.To.Black"},
    {J::kNone, "India.Arie - Video", "India.Arie - Video"},
    {J::kNone, "The Buggles - Video Killed the Radio Star",
     "The Buggles - Video Killed the Radio Star"},
    {J::kNone, "Artist  -  Song  (x)", "Artist  -  Song  (x)"},
    {J::kNone, "Artist - Song ()", "Artist - Song"},
    {J::kNone, "[Official Video]", ""},
};

// Test names show the row, not its bytes.
void PrintTo(const JunkRow& row, std::ostream* out) {
    *out << row.stem;
}

class NameJunkTable : public ::testing::TestWithParam<JunkRow> {};

TEST_P(NameJunkTable, RemovesJunkAndKeepsNames) {
    const JunkRow& row = GetParam();
    EXPECT_EQ(RemoveNameJunk(row.stem), row.expected) << row.stem;
}

INSTANTIATE_TEST_SUITE_P(RealNames, NameJunkTable, ::testing::ValuesIn(kJunkRows),
                         [](const auto& testInfo) {
                             return "Row" + std::to_string(testInfo.index);
                         });

TEST(NameJunkTable, EveryKindHasRows) {
    std::set<JunkKind> covered;
    for (const JunkRow& row : kJunkRows) {
        covered.insert(row.kind);
    }
    for (JunkKind kind : {J::kNone, J::kBitrate, J::kSite, J::kVideoNote, J::kRemasterNote}) {
        EXPECT_TRUE(covered.count(kind)) << "no row for kind " << static_cast<int>(kind);
    }
}

TEST(NameJunk, SegmentKinds) {
    struct Row {
        const char* segment;
        JunkKind kind;
    };
    const Row rows[] = {
        {"320kbps", J::kBitrate},
        {"VBR", J::kBitrate},
        {"www.mp3-zone.com", J::kSite},
        {"MP3-Zone.ru", J::kSite},
        {"Official Video", J::kVideoNote},
        {"Remastered 2011 HD", J::kRemasterNote},
        {"2011", J::kNone},
        {"Live", J::kNone},
        {"Album Version", J::kNone},
        {"Dot.Com", J::kNone},
        {"", J::kNone},
        {"   ", J::kNone},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(JunkKindOf(row.segment), row.kind) << row.segment;
    }
    EXPECT_EQ(BitrateLengthAt("x 320 kbps", 2), 8u);
    EXPECT_EQ(BitrateLengthAt("x 1320kbps", 3), 0u);  // inside a longer number
    EXPECT_EQ(BitrateLengthAt("4k", 0), 0u);
    EXPECT_EQ(BitrateLengthAt("320kbpsx", 0), 0u);
    EXPECT_EQ(DashSeparatorLengthAt("A - B", 1), 3u);
    EXPECT_EQ(DashSeparatorLengthAt("T-Pain", 1), 0u);
    EXPECT_EQ(DashSeparatorLengthAt("A_-_B", 1), 3u);
}

struct NumberRow {
    NumberRule rule;
    const char* name;
    const char* number;  // the first occurrence in the name is read
    NumberRole role;
};

using N = NumberRule;
constexpr NumberRole kName = NumberRole::kPartOfName;
constexpr NumberRole kLoose = NumberRole::kLoose;
constexpr NumberRole kJunk = NumberRole::kJunk;

const NumberRow kNumberRows[] = {
    {N::kNotANumber, "Song", "o", kLoose},
    {N::kJunk, "Radiohead - Karma Police 320kbps", "320", kJunk},
    {N::kJunk, "Radiohead - Karma Police 320 kbps", "320", kJunk},
    {N::kJunk, "Song - mp3-zone4.ru", "4", kJunk},
    {N::kTrackWord, "Track 07 - Song", "07", kLoose},
    {N::kTrackWord, "CD1 - Song", "1", kLoose},
    {N::kAttachedLetters, "UB40 - Red Red Wine", "40", kName},
    {N::kAttachedLetters, "2Pac - California Love", "2", kName},
    {N::kAttachedLetters, "10cc - Dreadlock Holiday", "10", kName},
    {N::kHyphenated, "Blink-182 - All the Small Things", "182", kName},
    {N::kHyphenated, "blink-182-dammit", "182", kName},
    {N::kNumberingWord, "Beethoven - Symphony No. 9", "9", kName},
    {N::kNumberingWord, "Mozart - Eine kleine Nachtmusik K. 525", "525", kName},
    {N::kNumberingWord, "Vivaldi - Concerto Op.8", "8", kName},
    {N::kNumberingWord, "Schubert - Sonata D. 960", "960", kName},
    {N::kNumberingWord, "Artist - Song (Part 2)", "2", kName},
    {N::kWholeSegment, "03 - the beatles - help!", "03", kLoose},
    {N::kWholeSegment, "Pink Floyd - Money (1973)", "1973", kLoose},
    {N::kWholeSegment, "Artist - 03 - Song", "03", kLoose},
    {N::kTitleNumber, "Prince - 1999", "1999", kName},
    {N::kTitleNumber, "The Smashing Pumpkins - 1979", "1979", kName},
    {N::kTrackMark, "03. Help", "03", kLoose},
    {N::kTrackMark, "#07 Song", "07", kLoose},
    {N::kTrackMark, "04-queen-bohemian_rhapsody", "04", kLoose},
    {N::kTrackMark, "queen-04-bohemian_rhapsody", "04", kLoose},
    {N::kTrackMark, "queen-4-bohemian_rhapsody", "4", kLoose},
    {N::kZeroFilled, "Artist - 03 Title", "03", kLoose},
    {N::kZeroFilled, "01 The Beatles - Help", "01", kLoose},
    {N::kBetweenWords, "Catch 22 Blues", "22", kName},
    {N::kAfterWord, "Sum 41 - In Too Deep", "41", kName},
    {N::kAfterWord, "The 1975 - Chocolate", "1975", kName},
    {N::kAfterWord, "Bryan Adams - Summer of 69", "69", kName},
    {N::kAfterWord, "Maroon_5_-_Sugar", "5", kName},
    {N::kYearAfterWord, "Pink Floyd - Money 1973", "1973", kLoose},
    {N::kBeforeWord, "50 Cent - In Da Club", "50", kName},
    {N::kBeforeWord, "3 Doors Down - Kryptonite", "3", kName},
    {N::kBeforeWord, "Jay-Z - 99 Problems", "99", kName},
    {N::kLeadingNumber, "12 Yellow Submarine", "12", kLoose},
};

// Test names show the row, not its bytes.
void PrintTo(const NumberRow& row, std::ostream* out) {
    *out << row.name;
}

class NameNumberTable : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NameNumberTable, ReadsTheNumber) {
    const NumberRow& row = GetParam();
    const std::string name = row.name;
    const std::size_t at = name.find(row.number);
    ASSERT_NE(at, std::string::npos);
    const NumberReading reading = ReadNumberAt(name, at);
    EXPECT_EQ(reading.role, row.role) << row.number << " in " << name;
    EXPECT_EQ(reading.rule, row.rule) << row.number << " in " << name;
    EXPECT_EQ(IsNumberPartOfName(name, at), row.role == kName);
}

INSTANTIATE_TEST_SUITE_P(RealNames, NameNumberTable, ::testing::ValuesIn(kNumberRows),
                         [](const auto& testInfo) {
                             return "Row" + std::to_string(testInfo.index);
                         });

TEST(NameNumberTable, EveryRuleHasRows) {
    std::set<NumberRule> covered;
    for (const NumberRow& row : kNumberRows) {
        covered.insert(row.rule);
    }
    for (int rule = 0; rule < kNumberRuleCount; ++rule) {
        EXPECT_TRUE(covered.count(static_cast<NumberRule>(rule))) << "no row for rule " << rule;
    }
}

TEST(FileNameChars, SlashAndControlsNeverReachAName) {
    struct Row {
        std::string text;
        std::string safe;
    };
    const Row rows[] = {
        {"AC/DC - Back in Black", "AC-DC - Back in Black"},
        {"a\tb\nc\r", "a b c "},
        {std::string("a\0b", 3), "ab"},
        {"x\x01\x1F\x7Fy", "xy"},
        {"x\xC2\x85y\xC2\xA0z", "xy\xC2\xA0z"},  // NEL goes, the no-break space stays
        {"line\xE2\x80\xA8next", "line next"},
        {"caf\xE9/\xFF", "caf\xE9-\xFF"},  // bytes that are not UTF-8 stay
        {"\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MakeFileNameSafe(row.text), row.safe) << row.text;
    }
}

}  // namespace
}  // namespace tagnomen
