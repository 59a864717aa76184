// SPDX-License-Identifier: GPL-3.0-or-later
// Music-aware capitals: one table of real names, each row tagged with the
// rule it shows, and a check that every rule has rows; the letter-case
// tables under it, and initials.
#include "rename/MusicCase.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "platform/Text.h"
#include "rename/Initials.h"
#include "rename/Letters.h"

namespace tagnomen {
namespace {

struct CaseRow {
    CaseRule rule;
    const char* value;
    const char* source;  // "" for the value itself
    const char* expected;
};

using R = CaseRule;

const CaseRow kCaseRows[] = {
    {R::kTitleCase, "the beatles - help!", "", "The Beatles - Help!"},
    {R::kTitleCase, "queen - bohemian rhapsody", "", "Queen - Bohemian Rhapsody"},
    {R::kTitleCase, "LED ZEPPELIN - STAIRWAY TO HEAVEN", "", "Led Zeppelin - Stairway to Heaven"},
    {R::kTitleCase, "don't stop me now", "", "Don't Stop Me Now"},
    {R::kTitleCase, "goin' down", "", "Goin' Down"},
    {R::kTitleCase, "guns n' roses", "", "Guns N' Roses"},
    {R::kTitleCase, "t-pain - buy u a drank", "", "T-Pain - Buy U a Drank"},
    {R::kTitleCase, "jay-z", "", "Jay-Z"},
    {R::kTitleCase, "eagle-eye cherry", "", "Eagle-Eye Cherry"},
    {R::kTitleCase, "ke$ha - tik tok", "", "Ke$ha - Tik Tok"},
    {R::kTitleCase, "sunn o))) - aghartha", "", "Sunn O))) - Aghartha"},
    {R::kTitleCase, "!!! - heart of hearts", "", "!!! - Heart of Hearts"},
    {R::kTitleCase, "mix", "", "Mix"},
    {R::kTitleCase, "mi", "", "Mi"},
    {R::kTitleCase, "did", "", "Did"},
    {R::kTitleCase, "liv", "", "Liv"},
    {R::kTitleCase, "civil war", "", "Civil War"},
    {R::kTitleCase, "machine head", "", "Machine Head"},
    {R::kTitleCase, "mackerel sky", "", "Mackerel Sky"},
    {R::kTitleCase, "mrs. robinson", "", "Mrs. Robinson"},
    {R::kTitleCase, "symphony no. 9", "", "Symphony No. 9"},
    {R::kTitleCase, "hmm", "", "Hmm"},
    {R::kTitleCase, "\xC3\xA9t\xC3\xA9", "", "\xC3\x89t\xC3\xA9"},  // été
    {R::kTitleCase, "\xC3\xA9T\xC3\xA9", "", "\xC3\x89t\xC3\xA9"},  // éTé
    {R::kTitleCase, "Bj\xC3\xB6Rk", "", "Bj\xC3\xB6rk"},            // BjöRk
    {R::kTitleCase, "m\xC3\xB6tley cr\xC3\xBC\x65", "", "M\xC3\xB6tley Cr\xC3\xBC\x65"},
    {R::kTitleCase, "\xC3\x89\x44ITH PIAF", "", "\xC3\x89\x64ith Piaf"},  // ÉDITH PIAF
    {R::kTitleCase, "\xC3\xBF\x65s", "", "\xC5\xB8\x65s"},                // ÿes: Ÿ
    {R::kTitleCase, "\xC5\x82\xC3\xB3\x64\xC5\xBA", "", "\xC5\x81\xC3\xB3\x64\xC5\xBA"},  // łódź
    {R::kTitleCase,
     "\xD0\x9A\xD0\x98\xD0\x9D\xD0\x9E \xD0\x93\xD0\xA0\xD0\xA3\xD0\x9F\xD0\x9F\xD0\x90", "",
     "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE \xD0\x93\xD1\x80\xD1\x83\xD0\xBF\xD0\xBF\xD0\xB0"},
    {R::kTitleCase, "\xCE\xB1\xCE\xB2 \xE6\x97\xA5\xE6\x9C\xAC", "",  // Greek and CJK stay
     "\xCE\xB1\xCE\xB2 \xE6\x97\xA5\xE6\x9C\xAC"},
    {R::kTitleCase, "caf\xE9 tacuba", "", "Caf\xE9 Tacuba"},  // a stray byte is kept
    {R::kSmallWord, "back in black", "", "Back in Black"},
    {R::kSmallWord, "love the way you lie", "", "Love the Way You Lie"},
    {R::kSmallWord, "rock 'n' roll", "", "Rock 'n' Roll"},
    {R::kSmallWord, "what are you waiting for?", "", "What Are You Waiting For?"},
    {R::kSmallWord, "(don't fear) the reaper", "", "(Don't Fear) The Reaper"},
    {R::kSmallWord, "war: the end of an era", "", "War: The End of an Era"},
    {R::kSmallWord, "somebody to love (live at wembley)", "", "Somebody to Love (Live at Wembley)"},
    {R::kSmallWord, "a day in the life - a", "", "A Day in the Life - A"},
    {R::kSmallWord, "mother-in-law", "", "Mother-in-Law"},
    {R::kSmallWord, "what are you looking at (live)", "", "What Are You Looking At (Live)"},
    {R::kSmallWord, "the end - of", "", "The End - Of"},
    {R::kCredit, "love the way you lie (feat. rihanna)", "",
     "Love the Way You Lie (feat. Rihanna)"},
    {R::kCredit, "FT. DRAKE", "", "ft. Drake"},
    {R::kJoinedAcronym, "ac/dc - back in black", "", "AC/DC - Back in Black"},
    {R::kJoinedAcronym, "r&b", "", "R&B"},
    {R::kJoinedAcronym, "love/hate", "", "Love/Hate"},
    {R::kInitials, "r.e.m. - losing my religion", "", "R.E.M. - Losing My Religion"},
    {R::kInitials, "N.W.A - EXPRESS YOURSELF", "", "N.W.A - Express Yourself"},
    {R::kInitials, "k. 525", "", "K. 525"},
    {R::kRomanNumeral, "johann strauss ii", "", "Johann Strauss II"},
    {R::kRomanNumeral, "symphony no. ix", "", "Symphony No. IX"},
    {R::kRomanNumeral, "louis xiv", "", "Louis XIV"},
    {R::kRomanNumeral, "part iv of v", "", "Part IV of V"},
    {R::kLettersAndDigits, "u2 - one", "", "U2 - One"},
    {R::kLettersAndDigits, "ub40 - red red wine", "", "UB40 - Red Red Wine"},
    {R::kLettersAndDigits, "2pac - california love", "", "2Pac - California Love"},
    {R::kLettersAndDigits, "50 cent - in da club", "", "50 Cent - In Da Club"},
    {R::kLettersAndDigits, "10CC - DREADLOCK HOLIDAY", "", "10cc - Dreadlock Holiday"},
    {R::kLettersAndDigits, "3rd eye", "", "3rd Eye"},
    {R::kLettersAndDigits, "1st of the month", "", "1st of the Month"},
    {R::kLettersAndDigits, "80s", "", "80s"},
    {R::kLettersAndDigits, "blink-182", "", "Blink-182"},
    {R::kLettersAndDigits, "b-52's - love shack", "", "B-52's - Love Shack"},
    {R::kLettersAndDigits, "level42", "", "Level42"},
    {R::kVowellessAcronym, "dj shadow", "", "DJ Shadow"},
    {R::kVowellessAcronym, "mc hammer", "", "MC Hammer"},
    {R::kVowellessAcronym, "tlc - waterfalls", "", "TLC - Waterfalls"},
    {R::kVowellessAcronym, "ZZ TOP - LA GRANGE", "", "ZZ Top - La Grange"},
    {R::kVowellessAcronym, "dr. dre", "", "Dr. Dre"},
    {R::kGaelicName, "paul mccartney", "", "Paul McCartney"},
    {R::kGaelicName, "baba o'riley", "", "Baba O'Riley"},
    {R::kGaelicName, "BABA O\xE2\x80\x99RILEY", "", "Baba O\xE2\x80\x99Riley"},
    {R::kGaelicName, "shane macgowan", "", "Shane MacGowan"},
    {R::kKeptAsWritten, "ABBA", "ABBA - dancing queen", "ABBA"},
    {R::kKeptAsWritten, "dancing queen", "ABBA - dancing queen", "Dancing Queen"},
    {R::kKeptAsWritten, "ABBA - dancing queen", "", "ABBA - Dancing Queen"},
    {R::kKeptAsWritten, "ABBA", "ABBA - DANCING QUEEN", "Abba"},
    {R::kKeptAsWritten, "AC/DC", "", "AC/DC"},
    {R::kKeptAsWritten, "R.E.M.", "", "R.E.M."},
    {R::kKeptAsWritten, "the McCoys - fever", "", "The McCoys - Fever"},
    {R::kKeptAsWritten, "t.A.T.u.", "", "t.A.T.u."},
    {R::kKeptAsWritten, "2Pac", "", "2Pac"},
};

// Test names show the row, not its bytes.
void PrintTo(const CaseRow& row, std::ostream* out) {
    *out << row.value;
}

class MusicCaseTable : public ::testing::TestWithParam<CaseRow> {};

TEST_P(MusicCaseTable, GivesTheCarefulCapitals) {
    const CaseRow& row = GetParam();
    EXPECT_EQ(MusicCase(row.value, row.source), row.expected)
        << "value \"" << row.value << "\" from \"" << row.source << "\"";
}

INSTANTIATE_TEST_SUITE_P(RealNames, MusicCaseTable, ::testing::ValuesIn(kCaseRows),
                         [](const auto& testInfo) {
                             return "Row" + std::to_string(testInfo.index);
                         });

TEST(MusicCaseTable, EveryRuleHasRows) {
    std::set<CaseRule> covered;
    for (const CaseRow& row : kCaseRows) {
        covered.insert(row.rule);
    }
    for (int rule = 0; rule < kCaseRuleCount; ++rule) {
        EXPECT_TRUE(covered.count(static_cast<CaseRule>(rule))) << "no row for rule " << rule;
    }
}

TEST(MusicCase, CapitalsWrittenOnPurposeAreMixedCase) {
    struct Row {
        const char* text;
        bool mixed;
        bool shouting;
    };
    const Row rows[] = {
        {"The xx", true, false},
        {"Love the Way You Lie", true, false},
        {"t.A.T.u.", true, false},
        {"ABBA", false, false},
        {"AC/DC", false, false},
        {"BACK IN BLACK", false, true},
        {"back in black", false, false},
        {"\xC3\xA9T\xC3\xA9", false, false},
        {"Bj\xC3\xB6Rk", false, false},
        {"Bj\xC3\xB6rk", true, false},
        {"\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", true, false},
        {"\xC3\x89T\xC3\x89 \xC3\x89T\xC3\x89", false, true},
        {"50 CENT", false, false},  // one word has letters: no shouting proven
        {"", false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HasMixedCase(row.text), row.mixed) << row.text;
        EXPECT_EQ(IsShouting(row.text), row.shouting) << row.text;
    }
}

TEST(MusicCase, NeverSplitsOrDropsBytes) {
    // Stray bytes, a cut sequence and an overlong form come back as they were.
    for (const char* text : {"caf\xE9", "x\xE2\x82", "\xC0\xAF", "\xFF\xFE", "a\x80z"}) {
        EXPECT_EQ(LowerText(MusicCase(text)), LowerText(text)) << text;
        EXPECT_EQ(MakeValidUtf8(MusicCase(text)).size(), MakeValidUtf8(text).size()) << text;
    }
}

TEST(Letters, EveryCapitalPairsWithItsSmallLetter) {
    int capitals = 0;
    for (char32_t c = 0; c < 0x0600; ++c) {
        if (IsUpperLetter(c)) {
            ++capitals;
            EXPECT_TRUE(IsLowerLetter(LowerLetter(c))) << std::hex << static_cast<int>(c);
            EXPECT_EQ(UpperLetter(LowerLetter(c)), c) << std::hex << static_cast<int>(c);
            EXPECT_TRUE(IsLetter(c));
        }
        if (IsLowerLetter(c) && UpperLetter(c) != c) {
            EXPECT_EQ(LowerLetter(UpperLetter(c)), c) << std::hex << static_cast<int>(c);
        }
        EXPECT_FALSE(IsUpperLetter(c) && IsLowerLetter(c)) << std::hex << static_cast<int>(c);
    }
    // A-Z, the 30 Latin-1 capitals, 62 of Latin Extended-A with Ÿ, 48 + 1 Cyrillic.
    EXPECT_EQ(capitals, 26 + 30 + 62 + 49);
    for (char32_t c : {U'0', U' ', U'\u00D7', U'\u00F7', U'\u00BF', U'\u2013', U'\uFFFD'}) {
        EXPECT_FALSE(IsLetter(c)) << std::hex << static_cast<int>(c);
    }
    for (char32_t c : {U'\u00DF', U'\u0131', U'\u0130', U'\u03B1', U'\u65E5'}) {
        EXPECT_EQ(LowerLetter(c), UpperLetter(c)) << std::hex << static_cast<int>(c);
    }
}

TEST(Initials, WordsAndSegments) {
    struct Row {
        const char* name;
        const char* segment;  // found in the name; "" tests IsInitialsWord(name)
        bool initials;
    };
    const Row rows[] = {
        {"R.E.M.", "", true},
        {"N.W.A", "", true},
        {"t.A.T.u.", "", true},
        {"Mr.", "", false},
        {"J.", "", false},
        {"St.Louis", "", false},
        {"4.5", "", false},
        {"R.E.M. - Losing My Religion", "R.", true},
        {"R.E.M. - Losing My Religion", "E", true},
        {"N.W.A - Straight Outta Compton", "A", true},
        {"J. R. R. Tolkien", "R.", true},
        {"Tolkien J. R.", "R.", true},
        {"J. Cole - No Role Modelz", "J.", true},
        {"Mr. Big - To Be With You", "Mr.", true},
        {"Vivaldi - Op. 8", "Op.", true},
        {"Mozart - K. 525", "K.", true},
        {"\xC3\x89. Piaf", "\xC3\x89.", true},
        {"Project R.", "R.", false},
        {"Mr.Big", "Mr.", false},
        {"Str. 5", "Str.", false},
        {"The End.", "End.", false},
        {"", "", false},
    };
    for (const Row& row : rows) {
        const std::string name = row.name;
        if (std::string(row.segment).empty()) {
            EXPECT_EQ(IsInitialsWord(name), row.initials) << name;
            continue;
        }
        const std::size_t at = name.find(row.segment);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_EQ(IsPartOfInitials(name, at, std::string(row.segment).size()), row.initials)
            << row.segment << " in " << name;
    }
    EXPECT_FALSE(IsPartOfInitials("R.E.M.", 40, 2));
}

}  // namespace
}  // namespace tagnomen
