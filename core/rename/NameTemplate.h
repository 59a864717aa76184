// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning five values into a proposed file name: the free-format template
// with its optional sections, the two fixed formats, and the finishing steps
// every proposed name goes through.
#include <string>

#include "tags/SongValues.h"

namespace tagnomen {

// The default template the name format dialog fills in for "&Free Format".
inline constexpr const char* kDefaultTemplate =
    "{#%Track - }(%Artist) -{ %Album -} %Title{ (%Year)}";

// Which tokens a template contains.
struct TemplateTokens {
    bool artist = false;
    bool title = false;
    bool album = false;
    bool year = false;
    bool track = false;
};
TemplateTokens FindTemplateTokens(const std::string& templateText);

// A value counts as missing when it contains "Unknown" anywhere.
bool IsMissingValue(const std::string& value);

// Which values a template treats as missing: the placeholders of old (any
// value containing "Unknown"), or, with music-aware names, empty values only
// (a title "Unknown Pleasures" is a title).
enum class MissingValues { kContainUnknown, kEmpty };

// Removes the optional sections of missing values and deletes the braces.
std::string RemoveMissingSections(const std::string& templateText, const SongValues& values,
                                  MissingValues missing = MissingValues::kContainUnknown);
// Replaces the tokens in order %Artist, %Title, %Album, %Year, %Track; a
// one-character track is zero-filled first when asked to.
std::string ReplaceTokens(const std::string& text, const SongValues& values, bool zeroFillTrack);
// Both of the above.
std::string ExpandTemplate(const std::string& templateText, const SongValues& values,
                           bool zeroFillTrack,
                           MissingValues missing = MissingValues::kContainUnknown);

// "(" artist ") - " title for brackets 1, artist " - " title otherwise.
std::string FixedFormat(const std::string& artist, const std::string& title, int brackets);

// Finishing steps, each usable alone (collapsing blanks and the underscore
// option are in rename/NameText.h).
std::string EnsureMp3Ending(const std::string& text);
std::string Capitalise(const std::string& text);
// Collapse, ending, capitalise, underscore option; the result never exceeds
// 255 bytes and always keeps its extension: a longer name loses whole
// characters just before its ending, and the blanks or underscores the cut
// leaves in front of the ending.
std::string FinishProposedName(const std::string& text, int underscoreOption);

// The finish of a music-aware name, whose values already have their
// capitals: brackets left empty by missing values go, a dash separator
// doubled by one goes once, and dashes left at either end go; blanks collapse and the ends are
// trimmed; the ending is
// ".mp3" in small letters (an ending the text has already is replaced); the
// underscore option; the 255-byte cut.
std::string FinishCarefulName(const std::string& text, int underscoreOption);

}  // namespace tagnomen
