// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The closest ISO-8859-1 form of a text, for a tag field that can hold
// nothing else (ID3v1). A letter whose accent ISO-8859-1 lacks keeps its
// base letter ("Dvořák" gives "Dvorák", "Łódź" "Lódz"), a ligature its
// letters ("œ" gives "oe"), and typographic punctuation its plain kin
// ("“…”" gives "\"...\""). A text with a character that has no such form
// (Cyrillic, Greek, CJK ...) has no readable form at all: a field of "?"
// would tell a reader nothing.
#include <optional>
#include <string>
#include <string_view>

namespace tagnomen {

// The form as UTF-8 whose every character lies within ISO-8859-1, or nothing
// when the text has no readable form. A text that fits ISO-8859-1 comes back
// as it is; bytes that are not UTF-8 count as ISO-8859-1 characters.
std::optional<std::string> ClosestLatin1Form(std::string_view utf8);

}  // namespace tagnomen
