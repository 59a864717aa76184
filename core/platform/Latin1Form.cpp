// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Latin1Form.h"

#include <algorithm>
#include <array>

#include "platform/Text.h"

namespace tagnomen {

namespace {

// The base letter of each letter of Latin Extended-A and -B (U+0100 to
// U+024F) and of Latin Extended Additional (U+1E00 to U+1EFF), as its
// canonical decomposition gives it; '~' where there is none.
constexpr std::string_view kExtendedBase =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOo~~RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs"
    "b~~~~~~~~~~~~~~~~~f~~~~I~~~~~~~~Oo~~~~~~~~~~~~~Uu~~~~Zz~~~~~~~~~"
    "~~~~DDdLLlNNnAaIiOoUuUuUuUuUu~AaAa~~~~GgKkOoOo~~jDDdGg~~NnAa~~~~"
    "AaAaEeEeIiIiOoOoRrRrUuUuSsTt~~Hh~~~~~~AaEeOoOoOoOoYy~~~~~~~~~~~~"
    "~~~~~~~~~~~~~~~~";
constexpr std::string_view kAdditionalBase =
    "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMm"
    "MmMmNnNnNnNnOoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVv"
    "WwWwWwWwWwXxXxYyZzZzZzhtwyas~~~~AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEe"
    "EeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUuUuUuUuYyYyYyYy~~~~~~";
constexpr char32_t kExtendedFirst = 0x100;
constexpr char32_t kAdditionalFirst = 0x1E00;
constexpr char kNoBase = '~';

struct Spelled {
    char32_t code;
    const char* text;
};

// Ligatures, digraphs and punctuation, by code point.
constexpr std::array<Spelled, 33> kSpelled = {{
    {0x132, "IJ"},  {0x133, "ij"},  {0x152, "OE"},  {0x153, "oe"},  {0x1C4, "DZ"},   {0x1C5, "Dz"},
    {0x1C6, "dz"},  {0x1C7, "LJ"},  {0x1C8, "Lj"},  {0x1C9, "lj"},  {0x1CA, "NJ"},   {0x1CB, "Nj"},
    {0x1CC, "nj"},  {0x1F1, "DZ"},  {0x1F2, "Dz"},  {0x1F3, "dz"},  {0x1E9E, "SS"},  {0x2010, "-"},
    {0x2011, "-"},  {0x2012, "-"},  {0x2013, "-"},  {0x2014, "-"},  {0x2018, "'"},   {0x2019, "'"},
    {0x201A, ","},  {0x201C, "\""}, {0x201D, "\""}, {0x201E, "\""}, {0x2026, "..."}, {0x2032, "'"},
    {0x2033, "\""}, {0x2039, "<"},  {0x203A, ">"},
}};

bool IsCombiningMark(char32_t code) {
    return code >= 0x300 && code <= 0x36F;
}

// The base letter from one of the two tables, or kNoBase.
char BaseLetter(char32_t code) {
    if (code >= kExtendedFirst && code < kExtendedFirst + kExtendedBase.size()) {
        return kExtendedBase[code - kExtendedFirst];
    }
    if (code >= kAdditionalFirst && code < kAdditionalFirst + kAdditionalBase.size()) {
        return kAdditionalBase[code - kAdditionalFirst];
    }
    return kNoBase;
}

// Appends the form of one character outside ISO-8859-1; false when it has none.
bool AppendFormOf(char32_t code, std::string& out) {
    const auto* spelled = std::find_if(kSpelled.begin(), kSpelled.end(),
                                       [code](const Spelled& s) { return s.code == code; });
    if (spelled != kSpelled.end()) {
        out += spelled->text;
        return true;
    }
    if (IsCombiningMark(code)) {
        return true;  // an accent written apart from its letter is dropped
    }
    const char base = BaseLetter(code);
    if (base == kNoBase) {
        return false;
    }
    out += base;
    return true;
}

}  // namespace

std::optional<std::string> ClosestLatin1Form(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8At(utf8, pos, code);
        if (length == 0) {
            // Not UTF-8: the byte is taken as the ISO-8859-1 character it names.
            out += Latin1ToUtf8(utf8.substr(pos, 1));
            ++pos;
            continue;
        }
        if (code <= 0xFF) {
            out.append(utf8.substr(pos, length));
        } else if (!AppendFormOf(code, out)) {
            return std::nullopt;
        }
        pos += length;
    }
    return out;
}

}  // namespace tagnomen
