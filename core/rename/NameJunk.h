// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Junk that is never part of a name: bitrates, web sites, video and lyrics
// notes, remaster notes. What belongs to a name stays: "(Live)", "(Remix)",
// "(feat. X)", "(Acoustic)", "(Radio Edit)", "(Part 2)", "Sunn O)))", "!!!",
// "Ke$ha", "R.E.M.", "t.A.T.u.", "Mrs. Robinson", "Op. 8".
//
// The rules:
// - A bitrate is a number of one to four digits followed, with or without a
//   blank, by kbps, kbit/s, kbits, kbit, kb/s or kbs ("128kbps", "320 kbps");
//   "k" counts as the unit only after a common MP3 bitrate (32 to 320, as in
//   "320k"); "VBR" and "CBR" alone are bitrates too.
// - A site is a word (between blanks, underscores or brackets) that starts
//   with "www." or "http://" or "https://", or whose letters, digits and
//   hyphens are joined by dots into a host name that ends in a common
//   top-level domain written in small letters ("mp3-zone.ru",
//   "something.com"). Domains that are also English words (.am, .be, .by,
//   .in, .is, .it, .me, .to, .us ...) count only after "www.", so that
//   "will.i.am" and "Back.To.Black" are names.
// - A note is a text whose words all come from a short vocabulary and which
//   holds at least one of its marker words: official, video, audio, lyrics,
//   lyric, HD, HQ, visualizer, 720p and the other video sizes, download,
//   remaster, remastered; the other words may be music, full, with, digital,
//   digitally, version, edition, album, new, high, quality, only, free, in,
//   and, the, a year (1900 to 2099), a bitrate or a site.
//   "(Official Music Video)", "(Lyric Video)", "[2011 Remaster]",
//   "(Remastered 2011)" are notes; "(Album Version)", "(Live)" are not.
#include <cstddef>
#include <string>
#include <string_view>

namespace tagnomen {

enum class JunkKind {
    kNone,
    kBitrate,       // 320kbps, VBR
    kSite,          // www.mp3-zone.com
    kVideoNote,     // (Official Video), (Lyrics), (HD)
    kRemasterNote,  // (2011 Remaster), - Remastered 2009
};

// The length of the bitrate that starts at text[pos] ("320kbps",
// "320 kbps"), 0 when none does. Cases of letters do not matter.
std::size_t BitrateLengthAt(std::string_view text, std::size_t pos);

// The length of the dash separator that starts at text[pos]: blanks (or
// underscores), one or more dashes ("-", "–", "—"), blanks, with a blank or
// an end of the text on both sides of the dashes (" - ", "_-_", " – "); 0
// where none starts. A hyphen inside a word ("T-Pain") is no separator.
std::size_t DashSeparatorLengthAt(std::string_view text, std::size_t pos);

// True when the word, without the brackets and punctuation around it, is a
// site.
bool IsSiteWord(std::string_view word);

// What kind of junk one segment is: the text inside a pair of brackets or
// between dash separators, without the brackets or dashes. A segment made of
// a bitrate or a site alone is that; one of several words is a note when
// every word fits the vocabulary; a remaster note wins over a video note.
JunkKind JunkKindOf(std::string_view segment);
inline bool IsJunkSegment(std::string_view segment) {
    return JunkKindOf(segment) != JunkKind::kNone;
}

// The name stem (no extension) without its junk:
// - bracketed segments ((), [], {}) that are junk go with their brackets; in
//   a bracket of several pieces (separated by ",", ";", "|", " - " or
//   " / ") only the junk pieces go ("(Radio Edit, 2011 Remaster)" keeps
//   "(Radio Edit)"); brackets left empty go too;
// - a segment after a dash separator (a dash between blanks or underscores)
//   goes when it is a bitrate, a site, or a note of two words or more or
//   with a year ("- Remastered 2009", "- Official Video"), so that a title
//   that is one such word ("Artist - Video") stays; a site or bitrate goes
//   from the first segment too;
// - bitrates and sites anywhere else go ("Song 320kbps", "www.x.net Song");
// - after a removal, runs of blanks (or of underscores) become one, and dash
//   separators left at either end or next to one another go with their
//   blanks.
// A stem with no junk comes back byte for byte; a stem that is all junk
// comes back empty. Brackets that do not pair ("Sunn O)))") are kept.
std::string RemoveNameJunk(std::string_view stem);

}  // namespace tagnomen
