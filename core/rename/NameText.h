// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text rules every proposed name shares, each stated once: collapsing
// blanks, the underscore option and the 255-byte limit of a file name. The
// name template, the smart engine's steps and the Workbench's list rewrite
// all use these.
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

// A proposed file name holds at most this many bytes.
inline constexpr std::size_t kMaxProposedNameBytes = 255;

// Runs of blanks become one blank (a blank directly followed by another
// blank is dropped); other white space stays.
std::string CollapseBlanks(std::string_view text);

// "UnderscoreOption" 1 turns blanks into "_", 0 turns "_" into blanks, any
// other number does neither; then runs of blanks collapse.
std::string ApplyUnderscoreOption(std::string_view text, int underscoreOption);

// Cuts a name longer than kMaxProposedNameBytes at a character boundary just
// before its ending (the text from its last "." when that is at most 16
// bytes, as ".mp3"), dropping blanks and underscores left at the cut.
// Shorter names come back unchanged.
std::string FitProposedName(const std::string& name);

}  // namespace tagnomen
