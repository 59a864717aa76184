// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The smart engine's three garbage passes (method 1 only): segments between
// separators, bracketed groups after the artist, and stray characters. The
// first two ask through the "Erase the Garbage Text" dialog, which can also
// hand the text over as album or track; the third through a Yes/No box.
#include <string>

namespace tagnomen {

namespace smart {

struct EngineRun;

inline constexpr const char* kGarbageCharactersCaption = "Erase the garbage text";

// True when the text, in small letters, holds "mix", "extended", "version",
// "live", "acoustic" or "unpluged", or four digits forming a year 1900 to 2050.
bool HasVersionWord(const std::string& text);
// The last two digits not followed by a third; "0" when there are none.
std::string TwoDigitValue(const std::string& text);

// Step 10: with three or more "-" or "." outside brackets, asks about every
// segment between them; kept segments are joined with "-".
std::string GarbageSegmentsPass(EngineRun& run, const std::string& name);
// Step 27: after the first "-" outside brackets that follows the first ")",
// asks about every bracketed group that holds no version word.
std::string GarbageGroupsPass(EngineRun& run, const std::string& name);
// Step 29: finds stray characters (digits outside brackets, control
// characters, "\"#$%:;<=>{|}~" and DEL) and offers the name without them.
// Bytes of 0x80 and above are never garbage, so accented letters stay.
std::string GarbageCharactersPass(EngineRun& run, const std::string& name);

}  // namespace smart
}  // namespace tagnomen
