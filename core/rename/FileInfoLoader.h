// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file information loader: reads both tags of one file and reconciles
// them into six values, asking the person through the tag-mismatch prompt
// where the key allows it.
#include <string>

#include "tags/SongValues.h"

namespace tagnomen {

class TagSource;
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
void LoadFileInformation(Ui& ui, TagSource& tags, const LoaderKey& key, const std::string& fileName,
                         SongValues& out);

// The two halves of loading, for callers that reconcile one file's tags more
// than once: the twelve candidate texts, what the ID3v1 tag and what the
// ID3v2 tag of the file say (all empty for a file without tags, one that
// cannot be read, or a name that is not a bare file name) ...
struct TagCandidates {
    SongValues id3v1;
    SongValues id3v2;
};
void ReadTagCandidates(TagSource& tags, const std::string& fileName, TagCandidates& out);
// ... and reconciled into the values the key asks for, in the order title,
// artist, album, year, track, genre, asking through the Ui where the rules
// say so. Every output is emptied first.
void ReconcileFileInformation(Ui& ui, const LoaderKey& key, const std::string& fileName,
                              const TagCandidates& candidates, SongValues& out);

}  // namespace tagnomen
