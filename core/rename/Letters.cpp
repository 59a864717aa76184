// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/Letters.h"

#include "platform/Text.h"

namespace tagnomen {

namespace {

bool IsEven(char32_t c) {
    return c % 2 == 0;
}

// Latin Extended-A pairs a capital with the small letter after it, in two
// runs starting on an even code point and two starting on an odd one.
bool ExtendedAUpper(char32_t c) {
    if ((c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
        (c >= 0x014A && c <= 0x0177)) {
        return IsEven(c);
    }
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) {
        return !IsEven(c);
    }
    return false;
}

bool ExtendedALower(char32_t c) {
    if ((c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
        (c >= 0x014A && c <= 0x0177)) {
        return !IsEven(c);
    }
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) {
        return IsEven(c);
    }
    return false;
}

template <typename Map>
std::string MapText(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(utf8, pos, c);
        if (length == 0) {
            out.push_back(utf8[pos]);  // not a sequence: the byte stays as it is
            ++pos;
            continue;
        }
        AppendUtf8(out, map(c));
        pos += length;
    }
    return out;
}

}  // namespace

bool IsUpperLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || ExtendedAUpper(c) ||
           c == 0x0178 || (c >= 0x0400 && c <= 0x042F) || c == 0x0490;
}

bool IsLowerLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || ExtendedALower(c) ||
           c == 0x0138 || c == 0x0149 || (c >= 0x0430 && c <= 0x045F) || c == 0x0491;
}

char32_t LowerLetter(char32_t c) {
    if (!IsUpperLetter(c)) {
        return c;
    }
    if (c <= 'Z') {
        return c + ('a' - 'A');
    }
    if (c <= 0xDE) {
        return c + 0x20;
    }
    if (c == 0x0178) {
        return 0xFF;
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return c + 0x50;
    }
    if (c >= 0x0410 && c <= 0x042F) {
        return c + 0x20;
    }
    return c + 1;  // Latin Extended-A and Ґ: the small letter follows its capital
}

char32_t UpperLetter(char32_t c) {
    if (!IsLowerLetter(c) || c == 0xDF || c == 0x0138 || c == 0x0149) {
        return c;  // ß, ĸ and ŉ have no capital of their own
    }
    if (c <= 'z') {
        return c - ('a' - 'A');
    }
    if (c == 0xFF) {
        return 0x0178;
    }
    if (c <= 0xFE) {
        return c - 0x20;
    }
    if (c >= 0x0450 && c <= 0x045F) {
        return c - 0x50;
    }
    if (c >= 0x0430 && c <= 0x044F) {
        return c - 0x20;
    }
    return c - 1;
}

bool IsLetter(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    const bool latin1Sign = c <= 0xBF || c == 0xD7 || c == 0xF7;
    const bool punctuationOrSymbol = (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
                                     (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFF00 && c <= 0xFF0F) ||
                                     c == 0xFFFD || (c >= 0x1F000 && c <= 0x1FAFF);
    return !latin1Sign && !punctuationOrSymbol;
}

std::size_t CharacterAt(std::string_view text, std::size_t pos, char32_t& c) {
    const std::size_t length = DecodeUtf8At(text, pos, c);
    if (length == 0) {
        c = static_cast<unsigned char>(text[pos]);
        return 1;
    }
    return length;
}

std::size_t PreviousCharacterStart(std::string_view text, std::size_t pos) {
    std::size_t start = pos - 1;
    for (int k = 0; k < 3 && start > 0; ++k) {
        if ((static_cast<unsigned char>(text[start]) & 0xC0u) != 0x80u) {
            break;
        }
        --start;
    }
    return start;
}

std::string LowerText(std::string_view utf8) {
    return MapText(utf8, LowerLetter);
}

std::string UpperText(std::string_view utf8) {
    return MapText(utf8, UpperLetter);
}

}  // namespace tagnomen
