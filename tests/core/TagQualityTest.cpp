// SPDX-License-Identifier: GPL-3.0-or-later
// Tag values plainly worse than the name: damaged text, with one table per
// kind of damage and real accented names that must never be flagged, and
// ID3v1 values cut at the width of their field.
#include "rename/TagQuality.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tagnomen {
namespace {

struct DamageRow {
    TextDamage damage;
    const char* text;
};

using D = TextDamage;

const DamageRow kDamageRows[] = {
    // Мистер Малой and Кино in Windows-1251, read as ISO-8859-1.
    {D::kCyrillicReadAsLatin1,
     "\xC3\x8C\xC3\xA8\xC3\xB1\xC3\xB2\xC3\xA5\xC3\xB0 "
     "\xC3\x8C\xC3\xA0\xC3\xAB\xC3\xAE\xC3\xA9"},
    {D::kCyrillicReadAsLatin1, "\xC3\x8A\xC3\xA8\xC3\xAD\xC3\xAE"},
    {D::kCyrillicReadAsLatin1, "DJ \xC3\x8A\xC3\xA8\xC3\xAD\xC3\xAE"},
    // Beyoncé, Sigur Rós and Кино in UTF-8, read as ISO-8859-1 or Windows-1252.
    {D::kUtf8ReadAsLatin1, "Beyonc\xC3\x83\xC2\xA9"},
    {D::kUtf8ReadAsLatin1, "Sigur R\xC3\x83\xC2\xB3s"},
    {D::kUtf8ReadAsLatin1, "\xC3\x90\xC5\xA1\xC3\x90\xC2\xB8\xC3\x90\xC2\xBD\xC3\x90\xC2\xBE"},
    {D::kUtf8ReadAsLatin1, "Don\xC3\xA2\xE2\x82\xAC\xE2\x84\xA2t Stop"},  // Don’t
    {D::kLostCharacters, "Bj?rk"},
    {D::kLostCharacters, "????? ?????"},
    {D::kLostCharacters, "Caf\xEF\xBF\xBD del Mar"},
    {D::kNone, "\xC3\x89\x64ith Piaf"},
    {D::kNone, "Bj\xC3\xB6rk"},
    {D::kNone, "Sigur R\xC3\xB3s"},
    {D::kNone, "M\xC3\xB6tley Cr\xC3\xBC\x65"},
    {D::kNone, "Caf\xC3\xA9 del Mar"},
    {D::kNone, "A\xC3\xA7\xC3\xA3o"},
    {D::kNone, "H\xC3\xBCsker D\xC3\xBC"},
    {D::kNone, "\xC3\x9E\xC3\xBA \xC3\xA1tt"},  // Þú átt: accented letters, never three in a row
    {D::kNone, "Rush \xE2\x80\x93 Moving Pictures"},
    {D::kNone, "Don\xE2\x80\x99t Stop"},
    {D::kNone, "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE"},
    {D::kNone, "Who Are You??"},
    {D::kNone, "? and the Mysterians"},
    {D::kNone, ""},
};

TEST(TagQuality, DamagedTextAndRealAccentedNames) {
    std::set<TextDamage> covered;
    for (const DamageRow& row : kDamageRows) {
        covered.insert(row.damage);
        EXPECT_EQ(FindTextDamage(row.text), row.damage) << row.text;
        const bool mojibake =
            row.damage == D::kUtf8ReadAsLatin1 || row.damage == D::kCyrillicReadAsLatin1;
        EXPECT_EQ(LooksLikeMojibake(row.text), mojibake) << row.text;
    }
    for (TextDamage damage :
         {D::kNone, D::kUtf8ReadAsLatin1, D::kCyrillicReadAsLatin1, D::kLostCharacters}) {
        EXPECT_TRUE(covered.count(damage)) << "no row for damage " << static_cast<int>(damage);
    }
}

TEST(TagQuality, Id3v1ValueCutAtItsField) {
    struct Row {
        const char* id3v1;
        const char* longer;
        bool cut;
    };
    const Row rows[] = {
        {"Symphony No. 9 in D Minor, Op.", "Symphony No. 9 in D Minor, Op. 125", true},
        {"symphony no. 9 in d minor, op.", "Symphony No. 9 in D Minor, Op. 125", true},
        // The cut fell after a blank, which the ID3v1 reader dropped.
        {"The Quick Brown Fox Jumps Over", "The Quick Brown Fox Jumps Over The Lazy Dog", true},
        {"The Quick Brown Fox Jumps", "The Quick Brown Fox Jumps      Over", true},
        // Characters ISO-8859-1 lacks were written as "?".
        {"?????? ?????? - Long Title Her",
         "\xD0\x9C\xD0\xB8\xD1\x81\xD1\x82\xD0\xB5\xD1\x80 "
         "\xD0\x9C\xD0\xB0\xD0\xBB\xD0\xBE\xD0\xB9\xD0\xB0 "
         "- Long Title Here",
         true},
        {"Caf\xC3\xA9 del Mar - Volumen Uno Dos", "Caf\xC3\xA9 del Mar - Volumen Uno Dos Tres",
         true},
        {"Short Title", "Short Title (Live)", false},
        {"Symphony No. 9 in D Minor, Op.", "Symphony No. 9 in D Minor, Op.", false},
        {"Symphony No. 9 in D Minor, Op.", "Symphony No. 8 in D Minor, Op. 125", false},
        {"Symphony No. 9 in D Minor, Op. 125", "Symphony No. 9 in D Minor, Op. 125 (x)", false},
        {"", "Symphony No. 9 in D Minor, Op. 125", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsCutId3v1Value(row.id3v1, row.longer), row.cut) << row.id3v1;
    }
    EXPECT_TRUE(
        IsCutId3v1Value("Twenty-eight characters ok", "Twenty-eight characters ok, more", 26));
}

}  // namespace
}  // namespace tagnomen
