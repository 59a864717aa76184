// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/FileNameChars.h"

#include "platform/Text.h"

namespace tagnomen {

namespace {

bool IsWhiteSpaceControl(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x2028 || c == 0x2029;
}

bool IsControl(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

}  // namespace

std::string MakeFileNameSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8At(text, pos, c);
        if (length == 0) {
            out.push_back(text[pos]);  // not UTF-8: a byte of the name as it is
            ++pos;
            continue;
        }
        if (c == '/') {
            out.push_back('-');
        } else if (IsWhiteSpaceControl(c)) {
            out.push_back(' ');
        } else if (!IsControl(c)) {
            out.append(text.substr(pos, length));
        }
        pos += length;
    }
    return out;
}

}  // namespace tagnomen
