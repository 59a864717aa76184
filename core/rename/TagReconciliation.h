// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules by which an ID3v1 and an ID3v2 value of one file are reconciled,
// shared by the file information loader and the tag editor. Each rule either
// settles the value or leaves it to the tag-mismatch prompt.
#include <cstddef>
#include <optional>
#include <string>

namespace tagnomen {

// One side set, both empty (bothEmpty), or both equal (the ID3v1 value);
// nothing when the two differ.
std::optional<std::string> SettleByPresence(const std::string& v1, const std::string& v2,
                                            const std::string& bothEmpty);

// An ID3v1 text of at least `minCharacters` characters found inside the
// ID3v2 text is the same value cut short by the ID3v1 field.
bool IsCutShortCopy(const std::string& v1, const std::string& v2, std::size_t minCharacters);

// Two different tracks: the one with a number above 0, the empty text when
// neither has one; nothing when both do (the person chooses).
std::optional<std::string> SettleTrack(const std::string& v1, const std::string& v2);

// Two different genre numbers: a side whose name is empty or "Blues" counts as
// no genre chosen; nothing when both name a genre (the person chooses between
// the two names, given here).
std::optional<std::string> SettleGenre(const std::string& v1, const std::string& v2,
                                       std::string& name1, std::string& name2);

}  // namespace tagnomen
