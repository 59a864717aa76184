// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letters and their case, for the text rules of proposed names.
//
// Case is known for ASCII, the Latin-1 letters, Latin Extended-A (Polish,
// Czech, Hungarian, Turkish ...) and the Cyrillic letters of Russian,
// Ukrainian, Belarusian and the other modern alphabets (U+0400 to U+045F,
// Ґ ґ). Every other character has no case: Greek, Armenian, CJK and so on
// are left as they are. "ß" is a lower-case letter without a capital of its
// own here, and the dotted "İ" and dotless "ı" of Turkish are letters whose
// case is not changed, since their partners depend on the language.
//
// The UTF-8 functions change the case of well-formed sequences only; a byte
// that is not part of one is copied as it is, so no sequence is ever split.
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

// The small letter of a capital, the capital of a small letter; any other
// character is returned unchanged.
char32_t LowerLetter(char32_t c);
char32_t UpperLetter(char32_t c);

bool IsUpperLetter(char32_t c);
bool IsLowerLetter(char32_t c);

// A letter of any script, cased or not. Digits, blanks, punctuation and
// symbols (the Latin-1 signs from U+00A0 to U+00BF, "×", "÷", the general
// punctuation block, CJK punctuation, the replacement character) are not.
bool IsLetter(char32_t c);

// The code point of the character at text[pos] (pos < text.size()) and its
// length in bytes. A byte that does not start a well-formed sequence counts
// as one character, read as ISO-8859-1, so that a walk over any bytes always
// moves on.
std::size_t CharacterAt(std::string_view text, std::size_t pos, char32_t& c);

// The start of the character that ends just before pos (0 < pos <=
// text.size()): up to three continuation bytes are stepped over.
std::size_t PreviousCharacterStart(std::string_view text, std::size_t pos);

// Every cased letter made small or capital.
std::string LowerText(std::string_view utf8);
std::string UpperText(std::string_view utf8);

}  // namespace tagnomen
