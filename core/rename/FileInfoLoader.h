// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file information loader: reads both tags of one file of the work
// directory and reconciles them into six values, asking the person through
// the tag-mismatch prompt where the key allows it.
#include <string>

#include "tags/SongValues.h"

namespace tagnomen {

struct RenamingContext;
class Ui;

// Which values one loading reads; the others stay empty. Where the two tags
// disagree about a text value, the person chooses through the prompt when
// its prompt flag is set (the flag counts only with its value); otherwise the
// ID3v2 text wins. Tracks and genres that disagree are always the person's
// choice.
struct LoaderKey {
    bool title = false;
    bool artist = false;
    bool album = false;
    bool year = false;
    bool track = false;
    bool genre = false;
    bool promptTitle = false;
    bool promptArtist = false;
    bool promptAlbum = false;
    bool promptYear = false;

    bool AsksForAny() const { return title || artist || album || year || track || genre; }
};

// Every output is emptied first.
void LoadFileInformation(RenamingContext& context, const LoaderKey& key,
                         const std::string& fileName, SongValues& out);

// The two halves of loading, for callers that reconcile one file's tags more
// than once: the twelve candidate texts, what the ID3v1 tag and what the
// ID3v2 tag of the file say (all empty for a file without tags or one that
// cannot be read) ...
struct TagCandidates {
    SongValues id3v1;
    SongValues id3v2;
};
// ... read with the work directory (the one the lists were made from, else
// "PathToWork" read afresh) current only while the tags are read ...
void ReadTagCandidates(RenamingContext& context, const std::string& fileName, TagCandidates& out);
// ... and reconciled into the values the key asks for, in the order title,
// artist, album, year, track, genre, asking through the Ui where the rules
// say so. Every output is emptied first.
void ReconcileFileInformation(Ui& ui, const LoaderKey& key, const std::string& fileName,
                              const TagCandidates& candidates, SongValues& out);

// Appends one row to the context's table for the file oldName of the work
// directory, under its proposed name (emptying the table first when the reset
// flag is set, and then giving it the work directory). The row keeps the
// identity the file has now. Genres whose leading number lies outside
// lowestGenre..255 are recorded as "255".
void RecordFileInformation(RenamingContext& context, const std::string& oldName,
                           const std::string& proposedName, const SongValues& values,
                           int lowestGenre);

}  // namespace tagnomen
