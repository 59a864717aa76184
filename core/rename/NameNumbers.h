// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers in a file name: which belong to an artist or title ("50 Cent",
// "Sum 41", "The 1975", "Blink-182", "Symphony No. 9", "K. 525", a title
// "1979"), which are junk ("320kbps"), and which are left for the name
// parser to read as a track or year ("03 - Help", "(1973)").
//
// The name is cut into segments at brackets and dash separators (see
// DashSeparatorLengthAt); the words of a segment are separated by blanks or
// underscores. The rules, in the order they are tried:
//  1. kJunk: the number starts a bitrate, or stands in a site.
//  2. kTrackWord: it follows "track", "trk", "tr", "cd", "disc" or "disk",
//     attached or after one blank, dot, underscore or hyphen: loose.
//  3. kAttachedLetters: a letter touches it on either side ("UB40", "2Pac",
//     "10cc", "3rd", "80s"): name.
//  4. kHyphenated: a letter, then "-" or "/", then the number ("Blink-182"):
//     name, unless it is zero-filled or of one or two digits with another
//     "-" right after it ("queen-04-bohemian", "queen-4-bohemian").
//  5. kNumberingWord: it follows No, Nr, Op, Opus, K, KV, BWV, HWV, RV, D.,
//     Hob, WoO, Vol, Volume, Part, Pt, Chapter, Act, Book, Number, Symphony,
//     Concerto, Sonata, Quartet, Prelude, Etude or Nocturne, with or without
//     a dot and blanks ("No. 9", "Op.8", "K 525", "Part 2"): name.
//  6. kWholeSegment: the number is its segment alone. In brackets, or in the
//     first or a middle dash segment, it is loose ("03 - Help", "(1973)");
//     as the last dash segment of two or more, not zero-filled, it is a
//     title ("Prince - 1999"): name, rule kTitleNumber.
//  7. kTrackMark: "#" right before it, or a ".", ")", "]" or "-" right after
//     it ("#07", "03. Help", "03.Help", "03-queen"): loose.
//  8. kZeroFilled: it starts with "0" and has two digits or more: loose.
//  9. kBetweenWords: words on both sides in its segment ("Catch 22 Blues",
//     "Summer of 69 Remix"): name.
// 10. kAfterWord: a word before it and none after ("Sum 41", "Maroon 5",
//     "The 1975"): name; but a year (1900 to 2099) after any word other than
//     "the" is loose, rule kYearAfterWord ("Money 1973").
// 11. kBeforeWord: a word after it and none before, in a segment that is not
//     the first of the name or that a dash separator ends ("50 Cent - In Da
//     Club", "Artist - 99 Problems"): name; at the start of a name without a
//     separator after its segment ("12 Yellow Submarine") it is loose, rule
//     kLeadingNumber.
#include <cstddef>
#include <string_view>

namespace tagnomen {

enum class NumberRole {
    kLoose,       // the parser may take it as a track or year
    kPartOfName,  // it belongs to the artist, title or album
    kJunk,        // it belongs to junk (NameJunk.h)
};

enum class NumberRule {
    kNotANumber,
    kJunk,
    kTrackWord,
    kAttachedLetters,
    kHyphenated,
    kNumberingWord,
    kWholeSegment,
    kTitleNumber,
    kTrackMark,
    kZeroFilled,
    kBetweenWords,
    kAfterWord,
    kYearAfterWord,
    kBeforeWord,
    kLeadingNumber,
};
inline constexpr int kNumberRuleCount = 15;

struct NumberReading {
    NumberRole role = NumberRole::kLoose;
    NumberRule rule = NumberRule::kNotANumber;
};

// How the number whose digits include name[pos] reads, and by which rule.
// A position that is not an ASCII digit reads kLoose by kNotANumber.
NumberReading ReadNumberAt(std::string_view name, std::size_t pos);

inline bool IsNumberPartOfName(std::string_view name, std::size_t pos) {
    return ReadNumberAt(name, pos).role == NumberRole::kPartOfName;
}

}  // namespace tagnomen
