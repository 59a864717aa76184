// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cleaning steps of the smart engine, each a small function over the
// working name. Steps that only rewrite the name take it and return the new
// name; steps that find values take the engine run as well and offer what
// they find through the question box. SmartEngine.cpp lists them in their
// order.
//
// Every test of a character here is an ASCII test ("letter" is A-Z or a-z,
// "digit" 0-9, "blank" the space); bytes of UTF-8 sequences are never
// letters, digits or blanks, so no step ever separates the bytes of one
// character, and every step only reads inside its text.
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

struct RenameBatch;

namespace smart {

struct EngineRun;

inline bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

// True when four digits start at `pos` and form a year from 1900 to 2050.
bool IsYearAt(std::string_view name, std::size_t pos);
// True when ".mp3" (any case of "m" and "p") starts at `pos`.
bool IsMp3At(std::string_view name, std::size_t pos);
// Blanks (spaces only) dropped at both ends.
std::string TrimBlanks(std::string_view text);

// The kinds the question box names.
inline constexpr const char* kKindTrack = "Track";
inline constexpr const char* kKindYear = "Year";
inline constexpr const char* kKindArtist = "Artist";
inline constexpr const char* kKindAlbum = "Album";
inline constexpr const char* kQuestionCaption = "Choose the correct File Information";

// "Offer the value": an empty value takes the candidate, an equal one stays,
// a different one is replaced only when the person answers Yes to the
// question box ("... For: " + workingName).
void OfferValue(RenameBatch& batch, std::string& value, const std::string& candidate,
                const char* kind, const std::string& workingName);

// Step 1: a leading year moves in front of every later ".mp3" as "(year)".
std::string MoveLeadingYear(const std::string& name);
// Step 2: every year (four digits, 1900 to 2050) is offered as the year.
void OfferYears(EngineRun& run, const std::string& name);
// Step 3: every digit pair not followed by a digit, 0 to 50, is offered as the track.
void OfferTracks(EngineRun& run, const std::string& name);
// Step 4: track numbers ("07", "# 07", "#07", "track07", "Track 07") are dropped,
// then everything before the first letter, digit, "(" or apostrophe.
std::string DropTrackNumbers(const std::string& name);
// Step 5: a "-" with only blanks up to the next "-" (or the end) goes, with those blanks.
std::string DropEmptyDashes(const std::string& name);
// Step 6: "[" and "]" become "(" and ")".
std::string SquareToRoundBrackets(const std::string& name);
// Steps 7 and 22: a blank before every "(" that is not first and does not follow a blank.
std::string BlankBeforeOpeningBracket(const std::string& name);
// Steps 8 and 23: a blank after every ")" not already followed by one.
std::string BlankAfterClosingBracket(const std::string& name);
// Steps 9 and 15: the artist group. Marks the end of a leading "(...)" group
// with "-"; in the second run offers its inner text as the artist.
std::string ArtistGroup(EngineRun& run, const std::string& name, bool secondRun);
// Step 11: "_-_" loses its first "_"; the first place found sets the
// underscore-dash count (which "-" of the name separates the artist).
std::string UnderscoreSeparator(const std::string& name, int& underscoreDashCount);
// Step 12: every "_" becomes a blank.
std::string UnderscoresToBlanks(const std::string& name);
// Step 13: blanks at the start go.
std::string DropLeadingBlanks(const std::string& name);
// Step 14: a name that does not start with "(" but holds a "-" gets its artist
// part wrapped in brackets, and that part becomes the artist. Resets the
// underscore-dash count.
std::string ArtistWrap(EngineRun& run, const std::string& name);
// Step 16: stray dashes become blanks (or go before a "."); "A-ha" survives.
std::string ExtraDashes(const std::string& name);
// Step 17: with exactly one "-" outside brackets before the first ".", the
// title becomes the text after it up to the next "."; otherwise it stays.
void TakeTitle(EngineRun& run, const std::string& name);
// Step 18: a blank directly before ")" goes.
std::string DropBlankBeforeClosingBracket(const std::string& name);
// Step 19: a blank directly after "(" goes.
std::string DropBlankAfterOpeningBracket(const std::string& name);
// Step 20: from the first ")" on, a blank before every "-" not following one.
std::string BlankBeforeDashes(const std::string& name);
// Step 21: from the first ")" on, a blank after every "-" not followed by one.
std::string BlankAfterDashes(const std::string& name);
// Step 24: every "!s" goes.
std::string DropBangS(const std::string& name);
// Step 25: word case. Letters after a blank or "(" become capitals, other
// capitals small (except after "Mc" and after a "." that does not start
// ".mp3"). The first character has nothing before it: a small letter there
// becomes a capital and a capital stays, so "help.mp3" becomes "Help.mp3".
std::string WordCase(const std::string& name);
// Step 26: years outside brackets get brackets around them.
std::string YearBrackets(const std::string& name);
// Step 30: a blank directly before ".mp3" goes.
std::string DropBlankBeforeMp3(const std::string& name);
// Step 31: with "Brackets" 0, a name starting with "(" loses every bracket up
// to and including the first ")".
std::string DropLeadingGroupBrackets(const std::string& name);

}  // namespace smart
}  // namespace tagnomen
