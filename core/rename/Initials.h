// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Initials in names: "R.E.M.", "N.W.A", "t.A.T.u.", "J. R. R. Tolkien",
// "J. Cole". The capitals rules keep an initials word in capitals, and the
// garbage questions never ask about a piece of one.
//
// A letter is any letter of Letters.h, accented or not; a dot is ".".
#include <cstddef>
#include <string_view>

namespace tagnomen {

// True when the whole word is two or more single letters, each followed by a
// dot, the last dot optional: "R.E.M.", "N.W.A", "t.A.T.u.", "L.A.". Not
// "Mr.", "J." (one letter), "St.Louis" or "4.5".
bool IsInitialsWord(std::string_view word);

// True when the segment name[begin, begin + length), blanks at its ends
// aside, is one or two letters with a dot (the dot may also be the byte just
// after the segment) that belongs to a name:
// - inside a run of such groups written without blanks, at least two groups
//   of which one is a single letter ("R." of "R.E.M.", "M" of "R.E.M.");
// - a single letter next to another single-letter initial across a blank
//   ("R." of "J. R. R. Tolkien", and of "Tolkien J. R.");
// - a short abbreviation followed by a blank and a word or number ("J." of
//   "J. Cole", "Mr." of "Mr. Big", "Op." of "Op. 8", "K." of "K. 525").
// False for anything longer, for a segment outside the name, and for a lone
// letter with nothing after it ("R." at the end of "Project R.").
bool IsPartOfInitials(std::string_view name, std::size_t begin, std::size_t length);

}  // namespace tagnomen
