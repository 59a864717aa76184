// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameText.h"

#include <algorithm>

#include "platform/Text.h"

namespace tagnomen {

namespace {

// The longest ending kept whole when a name is cut.
constexpr std::size_t kMaxEndingBytes = 16;

}  // namespace

std::string CollapseBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string ApplyUnderscoreOption(std::string_view text, int underscoreOption) {
    std::string out(text);
    if (underscoreOption == 1) {
        std::replace(out.begin(), out.end(), ' ', '_');
    } else if (underscoreOption == 0) {
        std::replace(out.begin(), out.end(), '_', ' ');
    }
    return CollapseBlanks(out);
}

std::string FitProposedName(const std::string& name) {
    if (name.size() <= kMaxProposedNameBytes) {
        return name;
    }
    // The ending starts at an ASCII "." so cutting in front of it never
    // separates the bytes of one character.
    std::size_t endingBytes = 0;
    const std::size_t lastDot = name.rfind('.');
    if (lastDot != std::string::npos && name.size() - lastDot <= kMaxEndingBytes) {
        endingBytes = name.size() - lastDot;
    }
    const std::string ending = name.substr(name.size() - endingBytes);
    std::string stem = Utf8CutBytes(std::string_view(name).substr(0, name.size() - endingBytes),
                                    kMaxProposedNameBytes - endingBytes);
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '_')) {
        stem.pop_back();
    }
    return stem + ending;
}

}  // namespace tagnomen
