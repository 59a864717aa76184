// SPDX-License-Identifier: GPL-3.0-or-later
// Template expansion, fixed formats and the finishing steps of proposed names.
#include "rename/NameTemplate.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/Text.h"

namespace tagnomen {
namespace {

struct ExpansionCase {
    const char* name;
    const char* templateText;
    SongValues values;
    int underscoreOption;
    const char* proposed;
};

// Test names show the case's name, not its bytes.
void PrintTo(const ExpansionCase& c, std::ostream* out) {
    *out << c.name;
}

class WorkedExamples : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(WorkedExamples, ExpandAndFinish) {
    const ExpansionCase& c = GetParam();
    EXPECT_EQ(
        FinishProposedName(ExpandTemplate(c.templateText, c.values, true), c.underscoreOption),
        c.proposed);
}

const SongValues kAnaLee{.title = "blue sky",
                         .artist = "ana lee",
                         .album = "Unknown Album",
                         .year = "1999",
                         .track = "7"};
const SongValues kHarbour{.title = "blue sky",
                          .artist = "Unknown Artist",
                          .album = "Harbour",
                          .year = "Unknown Year",
                          .track = "Unknown Track"};
const SongValues kMcCoy{
    .title = "mr. big", .artist = "McCoy", .album = "x", .year = "2003", .track = "12"};

INSTANTIATE_TEST_SUITE_P(
    DefaultTemplate, WorkedExamples,
    ::testing::Values(ExpansionCase{"AlbumMissingBlanks", kDefaultTemplate, kAnaLee, 0,
                                    "#07 - (Ana Lee) - Blue Sky (1999).mp3"},
                      ExpansionCase{"AlbumMissingUnderscores", kDefaultTemplate, kAnaLee, 1,
                                    "#07_-_(Ana_Lee)_-_Blue_Sky_(1999).mp3"},
                      ExpansionCase{"ArtistYearTrackMissingBlanks", kDefaultTemplate, kHarbour, 0,
                                    "(Unknown Artist) - Harbour - Blue Sky.mp3"},
                      ExpansionCase{"ArtistYearTrackMissingUnderscores", kDefaultTemplate, kHarbour,
                                    1, "(Unknown_Artist)_-_Harbour_-_Blue_Sky.mp3"},
                      ExpansionCase{"CapitalsStopAtFirstDotBlanks", kDefaultTemplate, kMcCoy, 0,
                                    "#12 - (McCoy) - X - Mr. big (2003).mp3"},
                      ExpansionCase{"CapitalsStopAtFirstDotUnderscores", kDefaultTemplate, kMcCoy,
                                    1, "#12_-_(McCoy)_-_X_-_Mr._big_(2003).mp3"},
                      // Underscores written in the template become blanks under option 0,
                      // after capitalisation, for which an underscore starts no word.
                      ExpansionCase{"TemplateUnderscoresBecomeBlanks", "%Artist_-_%Title", kMcCoy,
                                    0, "McCoy - mr. big.mp3"},
                      ExpansionCase{"EmptyTemplate", "", kMcCoy, 0, ".mp3"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct SectionCase {
    const char* templateText;
    SongValues values;
    const char* expanded;  // before finishing, zero-filling off
};

TEST(RemoveMissingSections, ScanningRule) {
    const SongValues noArtist{
        .title = "Song", .artist = "Unknown Artist", .album = "Alb", .year = "2001", .track = "3"};
    const SongValues noTitle{
        .title = "Unknown Title", .artist = "Art", .album = "Alb", .year = "2001", .track = "3"};
    const SongValues neither{.title = "Unknown Title",
                             .artist = "Unknown Artist",
                             .album = "Alb",
                             .year = "2001",
                             .track = "3"};
    const SectionCase cases[] = {
        // No section around the token: the missing value is inserted.
        {"%Artist - %Title", noArtist, "Unknown Artist - Song"},
        // Two sections, both removed, nothing left.
        {"{%Artist}{%Title}", neither, ""},
        // The whole section goes, the present artist with it.
        {"{A %Artist B %Title}", noTitle, ""},
        // The section starts at the last "{" before the token, closed or not.
        {"{x} %Title} end", noTitle, " end"},
        {"{a}{b %Title}c", noTitle, "ac"},
        // A "{" before the closing "}" keeps the section.
        {"{a %Title {b} }", noTitle, "a Unknown Title b "},
        // Unbalanced templates: nothing removed, every brace deleted.
        {"%Title} x", noTitle, "Unknown Title x"},
        {"{%Title x", noTitle, "Unknown Title x"},
        {"}{ %Title", noTitle, " Unknown Title"},
        // A token at the very first position is never removed.
        {"%Title{ x}", noTitle, "Unknown Title x"},
        // Only the first occurrence decides; every one is replaced.
        {"{%Title}-{%Title}", noTitle, "-Unknown Title"},
        // An earlier removal took the token away.
        {"{%Artist %Title}", neither, ""},
        // Present values only lose their braces.
        {"{#%Track - }{%Artist}", noTitle, "#3 - Art"},
        // "Unknown" counts with regard to case and anywhere in the value.
        {"{%Title}",
         SongValues{.title = "unknown road", .artist = "", .album = "", .year = "", .track = ""},
         "unknown road"},
        {"{%Title}",
         SongValues{
             .title = "The Unknown Road", .artist = "", .album = "", .year = "", .track = ""},
         ""},
        // An empty value is not missing.
        {"{(%Year)}", SongValues{}, "()"},
    };
    for (const SectionCase& c : cases) {
        EXPECT_EQ(ExpandTemplate(c.templateText, c.values, false), c.expanded)
            << "template " << c.templateText;
    }
}

TEST(ReplaceTokens, OrderAndZeroFilling) {
    SongValues values{.title = "T", .artist = "A", .album = "L", .year = "Y", .track = "3"};
    EXPECT_EQ(ReplaceTokens("%Track %Track", values, true), "03 03");
    EXPECT_EQ(ReplaceTokens("%Track", values, false), "3");
    values.track = "12";
    EXPECT_EQ(ReplaceTokens("%Track", values, true), "12");
    values.track = "";
    EXPECT_EQ(ReplaceTokens("[%Track]", values, true), "[]");
    // One character, not one byte: a two-byte character is zero-filled too.
    values.track = "\xC2\xBD";
    EXPECT_EQ(ReplaceTokens("%Track", values, true), "0\xC2\xBD");

    // Each replacement scans the text the ones before it left, but not what
    // it inserted itself.
    const SongValues tricky{
        .title = "%Title!", .artist = "%Year", .album = "%Artist", .year = "1999", .track = "1"};
    EXPECT_EQ(ReplaceTokens("%Artist|%Title|%Album", tricky, false), "1999|%Title!|%Artist");
    // Tokens are case-sensitive.
    EXPECT_EQ(ReplaceTokens("%artist %TITLE", tricky, false), "%artist %TITLE");
}

TEST(FindTemplateTokens, ReportsEachToken) {
    const TemplateTokens all = FindTemplateTokens(kDefaultTemplate);
    EXPECT_TRUE(all.artist && all.title && all.album && all.year && all.track);
    const TemplateTokens title = FindTemplateTokens("%Title - %title %ARTIST");
    EXPECT_TRUE(title.title);
    EXPECT_FALSE(title.artist || title.album || title.year || title.track);
}

TEST(FixedFormat, Brackets) {
    EXPECT_EQ(FixedFormat("ana", "song", 1), "(ana) - song");
    EXPECT_EQ(FixedFormat("ana", "song", 0), "ana - song");
    EXPECT_EQ(FixedFormat("ana", "song", 2), "ana - song");
}

TEST(FinishingSteps, EachStep) {
    struct Case {
        const char* in;
        std::string (*step)(const std::string&);
        const char* out;
    };
    const Case cases[] = {
        {"x", EnsureMp3Ending, "x.mp3"},
        {"x.Mp3", EnsureMp3Ending, "x.Mp3"},
        {"x.MP3", EnsureMp3Ending, "x.MP3"},
        {"x.mp3 ", EnsureMp3Ending, "x.mp3 .mp3"},
        {"mp3", EnsureMp3Ending, "mp3.mp3"},
        {"", EnsureMp3Ending, ".mp3"},
        {"hello wORLD", Capitalise, "Hello World"},
        {"(live) \"best\" of", Capitalise, "(Live) \"Best\" Of"},
        {"don't-stop", Capitalise, "Don't-stop"},
        {"mcdonald", Capitalise, "McDonald"},
        // The letter lowered a moment ago already counts for "Mc".
        {"MCDONALD", Capitalise, "McDonald"},
        {"mCcoy", Capitalise, "McCoy"},
        {"a.b c.MP3", Capitalise, "A.b c.MP3"},
        {"12 ab", Capitalise, "12 Ab"},
        // Only ASCII letters change; the bytes of other characters stay.
        {"\xC3\x89"
         "COLE x",
         Capitalise,
         "\xC3\x89"
         "cole X"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.step(c.in), c.out) << "input '" << c.in << "'";
    }
}

TEST(FinishingSteps, UnderscoreOption) {
    EXPECT_EQ(FinishProposedName("my  song_title", 0), "My Song title.mp3");
    EXPECT_EQ(FinishProposedName("my  song_title", 1), "My_Song_title.mp3");
}

TEST(FinishProposedName, LongNamesAreCutBeforeTheEnding) {
    struct Case {
        const char* what;
        std::string text;
        int underscoreOption;
        std::string expected;
    };
    const std::string a251(251, 'a');
    const std::string eAcute = "\xC3\xA9";
    std::string e125;
    for (int i = 0; i < 125; ++i) {
        e125 += eAcute;
    }
    const Case cases[] = {
        {"exactly 255 bytes stays", std::string(1, 'A') + std::string(250, 'a') + ".mp3", 0,
         std::string(1, 'A') + std::string(250, 'a') + ".mp3"},
        {"ending appended then cut", "A" + std::string(299, 'a'), 0, "A" + a251.substr(1) + ".mp3"},
        {"own ending kept", "A" + std::string(299, 'a') + ".MP3", 0, "A" + a251.substr(1) + ".MP3"},
        {"never inside a character", "X" + e125 + e125, 0, "X" + e125 + ".mp3"},
        {"blank at the cut dropped", "A" + std::string(249, 'a') + " bbbbbbbbbb", 0,
         "A" + std::string(249, 'a') + ".mp3"},
        {"underscore at the cut dropped", "A" + std::string(249, 'a') + " bbbbbbbbbb", 1,
         "A" + std::string(249, 'a') + ".mp3"},
    };
    for (const Case& c : cases) {
        const std::string name = FinishProposedName(c.text, c.underscoreOption);
        EXPECT_EQ(name, c.expected) << c.what;
        EXPECT_LE(name.size(), 255u) << c.what;
        // Still whole characters: the round trip through ISO-8859-1 would
        // change a cut sequence.
        EXPECT_EQ(Latin1ToUtf8(Utf8ToLatin1(name)), name) << c.what;
    }
}

}  // namespace
}  // namespace tagnomen
