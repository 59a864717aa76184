// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/TagQuality.h"

#include <string>

#include "platform/Text.h"
#include "rename/Letters.h"

namespace tagnomen {

namespace {

// Windows-1252 gives the bytes 0x80 to 0x9F these characters (0 where the
// byte has none and a reader keeps the C1 control).
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte an ISO-8859-1 or Windows-1252 reader turned into c; false when no
// byte reads as c.
bool ByteReadAs(char32_t c, unsigned char& byte) {
    if (c <= 0xFF) {
        byte = static_cast<unsigned char>(c);
        return true;
    }
    for (std::size_t i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == c) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool IsUtf8ReadAsLatin1(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    bool high = false;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(utf8, pos, c);
        unsigned char byte = 0;
        if (length == 0 || !ByteReadAs(c, byte)) {
            return false;
        }
        high = high || byte >= 0x80;
        bytes.push_back(static_cast<char>(byte));
        pos += length;
    }
    return high && MakeValidUtf8(bytes) == bytes;
}

bool IsHighLatin1Letter(char32_t c) {
    return c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7;
}

bool IsCyrillicReadAsLatin1(std::string_view utf8) {
    int high = 0;
    int ascii = 0;
    int run = 0;
    int longestRun = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        pos += CharacterAt(utf8, pos, c);
        if (IsHighLatin1Letter(c)) {
            ++high;
            ++run;
            longestRun = run > longestRun ? run : longestRun;
            continue;
        }
        run = 0;
        ascii += (c < 0x80 && IsLetter(c)) ? 1 : 0;
    }
    return high >= 3 && high > ascii && longestRun >= 3;
}

bool HasLostCharacters(std::string_view utf8) {
    int questionMarks = 0;
    int letters = 0;
    char32_t before = 0;
    char32_t beforeThat = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        pos += CharacterAt(utf8, pos, c);
        if (c == 0xFFFD) {
            return true;
        }
        if (before == '?' && IsLetter(beforeThat) && IsLetter(c)) {
            return true;
        }
        questionMarks += c == '?' ? 1 : 0;
        letters += IsLetter(c) ? 1 : 0;
        beforeThat = before;
        before = c;
    }
    return questionMarks >= 3 && questionMarks > letters;
}

char32_t LowerAscii(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// The bytes a one-byte reader made these characters of; false when one has
// none.
bool BytesReadAs(std::string_view utf8, std::string& bytes) {
    bytes.clear();
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(utf8, pos, c);
        unsigned char byte = 0;
        if (length == 0 || !ByteReadAs(c, byte)) {
            return false;
        }
        bytes.push_back(static_cast<char>(byte));
        pos += length;
    }
    return true;
}

// Windows-1251 from 0x80 to 0xBF (0: a byte Cyrillic text does not use);
// from 0xC0 on the letters run from U+0410 to U+044F.
constexpr char32_t kWindows1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

std::optional<std::string> DecodeWindows1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        char32_t c = b;
        if (b >= 0xC0) {
            c = 0x0410 + (b - 0xC0);
        } else if (b >= 0x80) {
            c = kWindows1251High[b - 0x80];
            if (c == 0) {
                return std::nullopt;
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::optional<std::string> RepairMojibake(std::string_view utf8) {
    std::string bytes;
    switch (FindTextDamage(utf8)) {
        case TextDamage::kUtf8ReadAsLatin1:
            if (BytesReadAs(utf8, bytes)) {
                return bytes;
            }
            break;
        case TextDamage::kCyrillicReadAsLatin1:
            if (BytesReadAs(utf8, bytes)) {
                return DecodeWindows1251(bytes);
            }
            break;
        case TextDamage::kNone:
        case TextDamage::kLostCharacters:
            break;
    }
    return std::nullopt;
}

TextDamage FindTextDamage(std::string_view utf8) {
    if (IsUtf8ReadAsLatin1(utf8)) {
        return TextDamage::kUtf8ReadAsLatin1;
    }
    if (IsCyrillicReadAsLatin1(utf8)) {
        return TextDamage::kCyrillicReadAsLatin1;
    }
    if (HasLostCharacters(utf8)) {
        return TextDamage::kLostCharacters;
    }
    return TextDamage::kNone;
}

bool LooksLikeMojibake(std::string_view utf8) {
    const TextDamage damage = FindTextDamage(utf8);
    return damage == TextDamage::kUtf8ReadAsLatin1 || damage == TextDamage::kCyrillicReadAsLatin1;
}

bool IsCutId3v1Value(std::string_view id3v1Value, std::string_view longer, std::size_t width) {
    const std::size_t valueLength = Utf8Length(id3v1Value);
    if (valueLength == 0 || valueLength > width || Utf8Length(longer) <= width) {
        return false;
    }
    const std::string head = TrimRight(Utf8Left(longer, width));
    if (Utf8Length(head) != valueLength) {
        return false;
    }
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < id3v1Value.size() && b < head.size()) {
        char32_t x = 0;
        char32_t y = 0;
        a += CharacterAt(id3v1Value, a, x);
        b += CharacterAt(head, b, y);
        const bool same = LowerAscii(x) == LowerAscii(y) || (x == '?' && y > 0xFF);
        if (!same) {
            return false;
        }
    }
    return true;
}

}  // namespace tagnomen
