// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Characters that cannot stand in a file name, replaced before a value
// reaches a proposed name, so that a name never fails at Save for them.
#include <string>
#include <string_view>

namespace tagnomen {

// The text with every "/" made "-" ("AC/DC" becomes "AC-DC"); the white-space
// controls (tab, line feed, vertical tab, form feed, carriage return) and the
// line and paragraph separators U+2028 and U+2029 made a blank, so that the
// words they part stay apart; every other control character (U+0000 to
// U+001F, U+007F, and U+0080 to U+009F written as UTF-8) dropped. NUL never
// passes. Everything else, bytes that are not UTF-8 included, is kept as it
// is, and no UTF-8 sequence is split.
std::string MakeFileNameSafe(std::string_view text);

}  // namespace tagnomen
