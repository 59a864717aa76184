// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file's name says about its song, read the way a careful person
// reads it: the artist and the title, and the track number, year and album
// where the name holds them. Music-aware names take from here what the tags
// lack.
//
// - The extension (".mp3", also written twice) is never a value.
// - Underscores stand for blanks in a name without blanks, or one that
//   parts its words with "_-_"; dots do in a name without blanks or
//   underscores whose words are joined by them ("the.beatles.-.help").
// - Junk goes without a question (NameJunk.h): bitrates, sites, video and
//   remaster notes; so do copy marks at the end ("(copy)", "(1)", "- Copy").
// - A leading track number ("03 - ", "01. ", "(07) ", "1-01 ", "#05",
//   "Track 05 - ") or leading year goes into its value, unless the number
//   belongs to the name (NameNumbers.h: "50 Cent", "2Pac", "10cc").
// - Artist and title part at a dash separator ("-" or an en or em dash
//   between blanks or underscores); an en or em dash between words also
//   parts. Without one, a hyphen between two words of two letters or more
//   does ("queen-bohemian rhapsody", "Beyonce-Halo"), but not one inside a
//   word ("T-Pain", "A-ha", "Blink-182").
// - Parts: one is the title; two are artist and title; three are artist,
//   album and title; a part that is a loose number alone is the track (a
//   year: the year), except the last, which is a title ("Prince - 1999").
// - A year at the end of the title ("(1973)", "[1983]", " 1973") goes into
//   the year, leaving no empty brackets; a title that is a year stays.
// - A name that says nothing gives no title: every word is a number, a code
//   of letters and digits ("WA0004", "20190312") or a word a recorder or a
//   player writes for want of a name (track, audio, new, song, final,
//   untitled, recording, voice, memo ...).
//
// Values come back as written in the name (blanks collapsed and trimmed);
// capitals are the caller's (MusicCase.h), with `source` as the evidence.
#include <string>
#include <string_view>

namespace tagnomen {

struct ParsedName {
    std::string artist;
    std::string title;
    std::string album;
    std::string track;  // the digits as written, "03"
    std::string year;   // four digits
    // The name's stem as the values were read from it (separators made
    // blanks, junk gone): which capitals the name has on purpose.
    std::string source;
};

ParsedName ParseFileName(std::string_view fileName);

// The text without a track number in front that a dash, a dot or a bracket
// marks as one ("01 - Intro" gives "Intro", "9 to 5" stays); the text itself
// when it has none or is nothing else.
std::string WithoutLeadingTrack(std::string_view text);

// True for a text that a ripper or recorder writes where it knows nothing:
// placeholder words and numbers only, a placeholder word among them
// ("Unknown Artist", "Track 1", "Audio Track").
bool IsPlaceholderText(std::string_view text);

// The stem of a file name: without its ".mp3" ending (in any letter case,
// also when it is written twice) and the blanks in front of it.
std::string_view FileNameStem(std::string_view fileName);

}  // namespace tagnomen
