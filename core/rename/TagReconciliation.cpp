// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/TagReconciliation.h"

#include "platform/Text.h"
#include "tags/GenreTable.h"

namespace tagnomen {

namespace {
bool CountsAsNoGenre(const std::string& name) {
    return name.empty() || name == "Blues";
}
}  // namespace

std::optional<std::string> SettleByPresence(const std::string& v1, const std::string& v2,
                                            const std::string& bothEmpty) {
    if (v1.empty() && v2.empty()) {
        return bothEmpty;
    }
    if (v2.empty() || v1 == v2) {
        return v1;
    }
    if (v1.empty()) {
        return v2;
    }
    return std::nullopt;
}

bool IsCutShortCopy(const std::string& v1, const std::string& v2, std::size_t minCharacters) {
    return v2.find(v1) != std::string::npos && Utf8Length(v1) >= minCharacters;
}

std::optional<std::string> SettleTrack(const std::string& v1, const std::string& v2) {
    const int n1 = LeadingInteger(v1);
    const int n2 = LeadingInteger(v2);
    if (n1 < 1 && n2 > 0) {
        return v2;
    }
    if (n2 < 1 && n1 > 0) {
        return v1;
    }
    if (n1 < 1 && n2 < 1) {
        return std::string();
    }
    return std::nullopt;
}

std::optional<std::string> SettleGenre(const std::string& v1, const std::string& v2,
                                       std::string& name1, std::string& name2) {
    name1 = GenreName(LeadingInteger(v1));
    if (CountsAsNoGenre(name1)) {
        return v2;
    }
    name2 = GenreName(LeadingInteger(v2));
    if (CountsAsNoGenre(name2)) {
        return v1;
    }
    return std::nullopt;
}

}  // namespace tagnomen
