// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tag values that are plainly worse than the file's name: text damaged by a
// wrong character set on its way into the tag, and ID3v1 values cut at the
// width of their field.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagnomen {

enum class TextDamage {
    kNone,
    // UTF-8 bytes read as ISO-8859-1 or Windows-1252: "BeyoncÃ©" for
    // "Beyoncé", "ÐšÐ¸Ð½Ð¾" for "Кино". Every character maps back to one
    // byte of those character sets, and the bytes are valid UTF-8 with at
    // least one character outside ASCII.
    kUtf8ReadAsLatin1,
    // A one-byte Cyrillic set (Windows-1251, KOI8-R) read as ISO-8859-1:
    // "Ìèñòåð Ìàëîé" for "Мистер Малой". At least three letters from
    // U+00C0 to U+00FF, more of them than ASCII letters, and three of them in
    // a row in one word; accented names ("Édith Piaf", "Björk", "Sigur Rós",
    // "Mötley Crüe", "Café del Mar", "Ação") have few and never three in a
    // row.
    kCyrillicReadAsLatin1,
    // Characters already lost: a replacement character U+FFFD, a "?" between
    // two letters ("Bj?rk"), or three "?" or more that outnumber the letters
    // ("????? ?????", what an ISO-8859-1 writer makes of Cyrillic).
    kLostCharacters,
};

// The damage the UTF-8 text shows, the first that applies in the order above.
TextDamage FindTextDamage(std::string_view utf8);

// True for the first two kinds: text that decodes as mojibake.
bool LooksLikeMojibake(std::string_view utf8);

// The text that mojibake stood for: UTF-8 read as ISO-8859-1 decoded again,
// Windows-1251 read as ISO-8859-1 decoded as Windows-1251. Nothing when the
// text shows neither, or a character has no byte to go back to.
std::optional<std::string> RepairMojibake(std::string_view utf8);

// The width of a title, artist or album field of ID3v1, in characters.
inline constexpr std::size_t kId3v1FieldWidth = 30;

// True when the ID3v1 value was cut at the width of its field: the longer
// text (from ID3v2 or the file's name) has more characters than the field
// holds, and its first `width` characters, blanks at the end dropped (an
// ID3v1 reader drops them too), are the value. Letters compare without
// regard to ASCII case, and a "?" of the value matches any character that
// ISO-8859-1 cannot hold, as ID3v1 writes it.
bool IsCutId3v1Value(std::string_view id3v1Value, std::string_view longer,
                     std::size_t width = kId3v1FieldWidth);

}  // namespace tagnomen
