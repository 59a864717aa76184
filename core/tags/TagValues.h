// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place that sets a song's values on the tag records: the tag
// editor and the tag cleaner write through here.
#include <string>

#include "tags/SongValues.h"

namespace tagnomen {

class Id3v1Record;
class Id3v2Record;

// True when an ID3v1 tag (v1.1, with its track) holds the texts whole: a
// title, artist and album of at most 30 characters, a comment of at most 28.
bool FitsId3v1Widths(const SongValues& values);
// True when those four texts hold only characters ISO-8859-1 has.
bool TextsFitLatin1(const SongValues& values);

// Sets all seven on an ID3v2 record.
void SetValues(Id3v2Record& tag, const SongValues& values);
// Sets one of them (with full support the others keep their frames).
void SetValue(Id3v2Record& tag, SongField field, const std::string& value);
// Sets the five texts on an ID3v1 record; its track and genre are bytes the
// caller sets.
void SetTexts(Id3v1Record& tag, const SongValues& values);

// A fresh ID3v1 block: the five texts of the values, and the low bytes of the
// two numbers as the track and the genre byte (each caller reads those from
// the values by its own rules).
std::string Id3v1BlockOf(const SongValues& values, int trackNumber, int genreNumber);

}  // namespace tagnomen
