// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text codec of ID3v2: the four encodings a text frame may declare in its
// first byte, decoded to the program's UTF-8 and encoded back.
//
//   0  ISO-8859-1, terminated by one NUL
//   1  UTF-16 with a byte-order mark (either order), terminated by two NULs
//   2  UTF-16 big-endian without a mark (ID3v2.4), two NULs
//   3  UTF-8 (ID3v2.4), one NUL
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

enum class TextEncoding : unsigned char { Latin1 = 0, Utf16 = 1, Utf16BigEndian = 2, Utf8 = 3 };

// True for the encoding bytes 0 to 3.
constexpr bool IsTextEncoding(unsigned char byte) {
    return byte <= 3;
}

// 2 for the UTF-16 encodings, 1 for the others.
std::size_t TerminatorBytes(TextEncoding encoding);

// Offset of the first terminator at or after `from` (for UTF-16 only at an
// even distance from `from`), or std::string_view::npos when there is none.
std::size_t FindTerminator(TextEncoding encoding, std::string_view bytes, std::size_t from = 0);

// The bytes as UTF-8. UTF-16 follows its byte-order mark (little-endian when
// there is none); an unpaired surrogate and malformed UTF-8 become U+FFFD or,
// for stray bytes of declared UTF-8, their ISO-8859-1 reading.
std::string DecodeText(TextEncoding encoding, std::string_view bytes);

// The UTF-8 text in the encoding, without terminator; UTF-16 starts with the
// mark FF FE (little-endian). ISO-8859-1 writes "?" for what it lacks.
std::string EncodeText(TextEncoding encoding, std::string_view utf8);

// The encoding a new value gets: ISO-8859-1 when every character fits it, so
// that every reader understands the frame; else UTF-16 in versions 2 and 3
// and UTF-8 in version 4, so that no character is lost.
TextEncoding EncodingFor(std::string_view utf8, int majorVersion);

// "iso-8859-1", "utf-16", "utf-16be" or "utf-8".
const char* EncodingName(TextEncoding encoding);

}  // namespace tagnomen
