// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Text.h"

#include <climits>

namespace tagnomen {

namespace {

// Length of the well-formed UTF-8 sequence starting at text[pos], with its
// code point; 0 when the bytes there are not a well-formed sequence.
std::size_t DecodeSequence(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - pos < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(i);
        if ((next & 0xC0u) != 0x80u) {
            return 0;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    codePoint = value;
    return length;
}

// Bytes taken by the character at text[pos]: a well-formed sequence, or one
// byte for anything else.
std::size_t CharacterBytes(std::string_view text, std::size_t pos) {
    char32_t ignored = 0;
    const std::size_t length = DecodeSequence(text, pos, ignored);
    return length == 0 ? 1 : length;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeSequence(utf8, pos, codePoint);
        if (length == 0) {
            out.push_back(utf8[pos]);  // not UTF-8: the byte is taken as it is
            ++pos;
            continue;
        }
        out.push_back(codePoint <= 0xFF ? static_cast<char>(codePoint) : '?');
        pos += length;
    }
    return out;
}

std::string MakeValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t ignored = 0;
        const std::size_t length = DecodeSequence(text, pos, ignored);
        if (length == 0) {
            out += Latin1ToUtf8(text.substr(pos, 1));
            ++pos;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::size_t DecodeUtf8At(std::string_view utf8, std::size_t pos, char32_t& codePoint) {
    return pos < utf8.size() ? DecodeSequence(utf8, pos, codePoint) : 0;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = 0xFFFD;
    }
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

bool StartsWithPrintable(std::string_view utf8) {
    if (utf8.empty()) {
        return false;
    }
    char32_t c = 0;
    if (DecodeSequence(utf8, 0, c) == 0) {
        c = static_cast<unsigned char>(utf8[0]);  // a stray byte reads as ISO-8859-1
    }
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    const bool blank = c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
                       c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 ||
                       c == 0xFEFF;
    return !control && !blank;
}

bool FitsLatin1(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeSequence(utf8, pos, c);
        if (length == 0) {
            ++pos;  // a stray byte is an ISO-8859-1 character itself
            continue;
        }
        if (c > 0xFF) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += CharacterBytes(utf8, pos)) {
        ++count;
    }
    return count;
}

std::string Utf8Left(std::string_view utf8, std::size_t characters) {
    std::size_t pos = 0;
    while (pos < utf8.size() && characters > 0) {
        pos += CharacterBytes(utf8, pos);
        --characters;
    }
    return std::string(utf8.substr(0, pos));
}

std::string Utf8CutBytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t next = pos + CharacterBytes(utf8, pos);
        if (next > maxBytes) {
            break;
        }
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = LowerAscii(c);
    }
    return out;
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = UpperAscii(c);
    }
    return out;
}

int CompareIgnoreAsciiCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareIgnoreAsciiCase(a, b) == 0;
}

bool EndsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoreAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

int LeadingInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsWhiteSpaceByte(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate towards the negative side, which holds one more value.
    long long value = 0;
    bool saturated = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (!saturated) {
            value = value * 10 + (text[pos] - '0');
            if (value > static_cast<long long>(INT_MAX) + 1) {
                saturated = true;
            }
        }
    }
    if (negative) {
        return saturated || value > static_cast<long long>(INT_MAX) + 1 ? INT_MIN
                                                                        : static_cast<int>(-value);
    }
    return saturated || value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool IsWhiteSpaceByte(unsigned char byte) {
    return (byte >= 0x09 && byte <= 0x0D) || byte == 0x20;
}

std::string TrimWhiteSpace(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsWhiteSpaceByte(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && IsWhiteSpaceByte(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsWhiteSpaceByte(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return std::string(text.substr(0, end));
}

}  // namespace tagnomen
