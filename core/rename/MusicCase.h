// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Capitals that respect music: the letter case a careful person gives an
// artist, title or album that reached Tagnomen in small letters (file names)
// or in capitals (shouting tags).
//
// The rules, each applied to one word (a run of characters between blanks
// or underscores, without the brackets, quotes and punctuation around it):
// - English title case: the first letter of a word is a capital, the others
//   small; articles, short conjunctions and short prepositions (a, an, the,
//   and, but, or, nor, as, at, by, for, in, of, on, to, per, via, vs, o',
//   'n', 'n) stay small except as the first or last word of a part. A part
//   ends at an opening or closing bracket or quote, at a dash (or "|", "/",
//   "~") standing between blanks, and after a colon, a question mark or an
//   exclamation mark.
// - "feat." and "ft." are always small.
// - Hyphenated words are cased part by part ("T-Pain", "Jay-Z",
//   "Blink-182", "Mother-in-Law"); so are parts joined by "/" or "&", except
//   that parts of one or two letters make one acronym ("AC/DC", "R&B").
// - Initials stay capitals ("R.E.M.", "N.W.A"), see Initials.h.
// - Roman numerals from I to XXXIX written with I, V and X ("II", "IV",
//   "XIV"); "Mix", "Mi", "Did", "Liv" and "Civil" are words.
// - A word of two or more letters without a vowel (a, e, i, o, u, y) is an
//   acronym ("DJ", "MC", "TLC", "MGMT", "ZZ"), except the abbreviations Mr,
//   Mrs, Ms, Dr, St, Jr, Sr, Mt, Pt, Nr, Ltd, Vs, the interjections hm, mm,
//   sh, pst, psst, pfft, tsk, nth, and a word of three letters or more that
//   ends in a doubled letter ("Hmm", "Shh", "Brrr").
// - Letters and digits in one word: the letters in front of the first digit
//   are capitals when there are one or two of them ("U2", "UB40", "MP3"),
//   else a capital and small letters ("Level42"). Letters after a digit stay
//   small when there are one or two of them or they have no vowel ("1st",
//   "3rd", "80s", "10cc"); three letters or more with a vowel start a word
//   ("2Pac", "4Ever").
// - "Mc" + two letters or more: "McCartney"; "Mac" + d, g, l, m, n, p, q or t
//   + two letters or more: "MacDonald", "MacLeod" (not "Machine", "Macabre",
//   "Mackerel"); "O'" + two letters or more: "O'Riley". Elsewhere an
//   apostrophe does not start a word: "Don't", "Rock 'n' Roll", "Guns N'".
//
// Which capitals were written on purpose: a text that has small letters
// nowhere and capitals in two or more words is shouting, and every word of it
// is cased by the rules. In any other text a word that holds a capital was
// written so on purpose and is kept as written ("ABBA" of "ABBA - dancing
// queen", "McCartney", "t.A.T.u.", and a single word in capitals such as a
// tag "ABBA"), with one exception: a capital right after a small letter
// outside ASCII ("éTé", "BjöRk") is what a byte-wise capitaliser makes of
// UTF-8, not a choice, and a word with one is cased by the rules ("Été",
// "Björk").
//
// Letters outside ASCII: the cased letters of Letters.h (Latin-1, Latin
// Extended-A, Cyrillic) follow the same rules as ASCII letters; Cyrillic
// words get title case too. Letters of scripts without case, and Greek,
// are left as they are. Bytes that are not UTF-8 are copied unchanged, and
// no UTF-8 sequence is ever split.
#include <string>
#include <string_view>

namespace tagnomen {

// True when the text has both a capital and a small letter and none of its
// capitals follows a small letter outside ASCII ("éTé" and "BjöRk" are not
// mixed): a value a person wrote with care, which a caller may want to keep
// as it is.
bool HasMixedCase(std::string_view utf8);

// The rules above, one name each; MusicCase decides every word by one of
// them.
enum class CaseRule {
    kKeptAsWritten,     // capitals written on purpose
    kTitleCase,         // a capital, then small letters
    kSmallWord,         // articles, conjunctions, prepositions inside a part
    kCredit,            // feat., ft.
    kJoinedAcronym,     // AC/DC, R&B
    kInitials,          // R.E.M.
    kRomanNumeral,      // II, XIV
    kLettersAndDigits,  // U2, UB40, 2Pac, 10cc, 3rd
    kVowellessAcronym,  // DJ, TLC
    kGaelicName,        // McCartney, MacDonald, O'Riley
};
inline constexpr int kCaseRuleCount = 10;

// True when the text has capitals and no small letter in two or more of its
// words: shouting, whose capitals say nothing.
bool IsShouting(std::string_view utf8);

// The value with music-aware capitals. `source` is the whole text the value
// was taken from (the file name's stem for a value parsed out of it, the tag
// for a tag value); it decides which capitals were written on purpose. An
// empty source means the value itself. Blanks, punctuation and everything
// that is not a letter stay exactly where and what they are.
std::string MusicCase(std::string_view value, std::string_view source = {});

// A value a file name writes in mixed case: kept as written, except that a
// small word inside a part written with only its first letter a capital
// ("In" of "Back In Black", "A" of "Like A Prayer") is the habit of
// capitalising every word of a file name, and becomes small.
std::string WithSmallWordsSmall(std::string_view value);

}  // namespace tagnomen
