// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagText.h"

#include "platform/Text.h"

namespace tagnomen {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() >= 2) {
        const auto first = static_cast<unsigned char>(bytes[0]);
        const auto second = static_cast<unsigned char>(bytes[1]);
        if (first == 0xFF && second == 0xFE) {
            bigEndian = false;
            bytes.remove_prefix(2);
        } else if (first == 0xFE && second == 0xFF) {
            bigEndian = true;
            bytes.remove_prefix(2);
        }
    }
    auto unit = [&](std::size_t at) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (char32_t{a} << 8) | b : (char32_t{b} << 8) | a;
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const char32_t high = unit(at);
        if (high >= 0xD800 && high <= 0xDBFF && at + 3 < bytes.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        const bool surrogate = high >= 0xD800 && high <= 0xDFFF;
        // A stray byte-order mark inside the text (from joined values) is dropped.
        if (high != 0xFEFF) {
            AppendUtf8(out, surrogate ? kReplacement : high);
        }
    }
    return out;
}

std::string EncodeUtf16LittleEndian(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    auto put = [&out](char32_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    };
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8At(utf8, pos, c);
        if (length == 0) {
            c = static_cast<unsigned char>(utf8[pos]);  // a stray byte is ISO-8859-1
            length = 1;
        }
        pos += length;
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

}  // namespace

std::size_t TerminatorBytes(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16 || encoding == TextEncoding::Utf16BigEndian ? 2 : 1;
}

std::size_t FindTerminator(TextEncoding encoding, std::string_view bytes, std::size_t from) {
    if (TerminatorBytes(encoding) == 1) {
        return from >= bytes.size() ? std::string_view::npos : bytes.find('\0', from);
    }
    for (std::size_t at = from; at + 1 < bytes.size(); at += 2) {
        if (bytes[at] == '\0' && bytes[at + 1] == '\0') {
            return at;
        }
    }
    return std::string_view::npos;
}

std::string DecodeText(TextEncoding encoding, std::string_view bytes) {
    switch (encoding) {
        case TextEncoding::Latin1:
            return Latin1ToUtf8(bytes);
        case TextEncoding::Utf16:
            return DecodeUtf16(bytes, false);
        case TextEncoding::Utf16BigEndian:
            return DecodeUtf16(bytes, true);
        case TextEncoding::Utf8:
            if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
                bytes.remove_prefix(3);  // some taggers put a mark in front of UTF-8 too
            }
            return MakeValidUtf8(bytes);
    }
    return {};
}

std::string EncodeText(TextEncoding encoding, std::string_view utf8) {
    switch (encoding) {
        case TextEncoding::Latin1:
            return Utf8ToLatin1(utf8);
        case TextEncoding::Utf16:
            return EncodeUtf16LittleEndian(utf8);
        case TextEncoding::Utf16BigEndian: {
            std::string little = EncodeUtf16LittleEndian(utf8).substr(2);
            for (std::size_t at = 0; at + 1 < little.size(); at += 2) {
                std::swap(little[at], little[at + 1]);
            }
            return little;
        }
        case TextEncoding::Utf8:
            return MakeValidUtf8(utf8);
    }
    return {};
}

TextEncoding EncodingFor(std::string_view utf8, int majorVersion) {
    if (FitsLatin1(utf8)) {
        return TextEncoding::Latin1;
    }
    return majorVersion >= 4 ? TextEncoding::Utf8 : TextEncoding::Utf16;
}

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Latin1:
            return "iso-8859-1";
        case TextEncoding::Utf16:
            return "utf-16";
        case TextEncoding::Utf16BigEndian:
            return "utf-16be";
        case TextEncoding::Utf8:
            return "utf-8";
    }
    return "";
}

}  // namespace tagnomen
