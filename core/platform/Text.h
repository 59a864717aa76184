// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers at the boundary between tag bytes (ISO-8859-1) and the
// program's own text (UTF-8), plus small ASCII and number helpers.
//
// Widths are counted in characters; nothing here ever cuts a UTF-8 sequence.
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

// ISO-8859-1 bytes to UTF-8: every byte becomes one character.
std::string Latin1ToUtf8(std::string_view latin1);

// UTF-8 to ISO-8859-1: characters above U+00FF become '?'. Bytes that do not
// form a valid UTF-8 sequence are taken as ISO-8859-1 characters themselves.
std::string Utf8ToLatin1(std::string_view utf8);

// The text itself when it is valid UTF-8; otherwise every byte that is not
// part of a well-formed sequence is taken as an ISO-8859-1 character.
std::string MakeValidUtf8(std::string_view text);

// The code point of the well-formed UTF-8 sequence at utf8[pos] and its
// length in bytes; 0 when the bytes there are not a well-formed sequence.
std::size_t DecodeUtf8At(std::string_view utf8, std::size_t pos, char32_t& codePoint);
// Appends one code point as UTF-8 (U+FFFD for what cannot be encoded).
void AppendUtf8(std::string& out, char32_t codePoint);

// True when the first character is printable: neither a blank nor a control
// character. Any letter counts, accented or not.
bool StartsWithPrintable(std::string_view utf8);
// True when every character fits ISO-8859-1 (U+0000 to U+00FF).
bool FitsLatin1(std::string_view utf8);

// Number of characters in a UTF-8 text (an invalid byte counts as one).
std::size_t Utf8Length(std::string_view utf8);

// The first `characters` characters of a UTF-8 text.
std::string Utf8Left(std::string_view utf8, std::size_t characters);

// The longest prefix of at most `maxBytes` bytes that ends on a character
// boundary.
std::string Utf8CutBytes(std::string_view utf8, std::size_t maxBytes);

// ASCII-only case mapping; bytes above 0x7F are left alone.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
// Negative, zero or positive as a sorts before, with or after b when ASCII
// case is ignored.
int CompareIgnoreAsciiCase(std::string_view a, std::string_view b);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
// The order of names that compare without regard to case (settings value
// names): two spellings of one name are one key.
struct LessIgnoreAsciiCase {
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareIgnoreAsciiCase(a, b) < 0;
    }
};
bool EndsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix);

// The decimal number at the start of a text: leading white space skipped, an
// optional '+' or '-', then digits. 0 when no digit follows; saturates at the
// limits of int instead of overflowing.
int LeadingInteger(std::string_view text);

// White space is the bytes 0x09 to 0x0D and 0x20.
bool IsWhiteSpaceByte(unsigned char byte);
// Removes white space at both ends.
std::string TrimWhiteSpace(std::string_view text);
// Removes white space at the end only.
std::string TrimRight(std::string_view text);

}  // namespace tagnomen
