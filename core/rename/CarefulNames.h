// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Music-aware names: the name a careful person gives a file from what its
// tags and its name say, without placeholders. Every renaming method uses
// it while "MusicAwareNames" is on; the smart engine then also asks about
// what it cannot tell.
//
// Values: a value the tags have wins over one guessed from the name, unless
// the tag is plainly worse (CarefulValues). Capitals: a tag value written in
// mixed case stays as written; one in capitals or small letters only, and a
// value from the name, get music-aware capitals (MusicCase.h). A value found
// in neither is left out: a template's optional section disappears, the
// fixed format drops "Artist - ", and a file without a title keeps its name.
#include <string>

#include "rename/FileInfoLoader.h"
#include "rename/NameParser.h"
#include "rename/RenamingMethods.h"
#include "session/FileInfoTable.h"
#include "tags/SongValues.h"

namespace tagnomen {

struct RenameBatch;
struct RenameOptions;

struct CarefulSong {
    SongValues values;  // title, artist, album with their capitals; year, track, genre
    // What the file information table records: a tag value the name keeps
    // as the tag has it (its capitals are the name's business, not the
    // cleaner's), the others as in values.
    SongValues recorded;
    ValueSources sources;
};

// The values of one song from its two tags and its name:
// - a tag is ID3v2's value, else ID3v1's; text damaged on its way into the
//   tag is repaired when it is mojibake (TagQuality.h) and worth nothing
//   when characters are lost; an ID3v1 value cut at 30 characters gives way
//   to the whole text of the name;
// - a title tag that holds "Artist - Title" where the artist is the one the
//   name or the artist tag gives (an uploader's video title, with a channel
//   as the artist tag) gives both;
// - a title tag that is the album's name while the name has another title
//   gives way to the name's title;
// - junk (NameJunk.h) and a ".mp3" ending go from the tag's title too.
CarefulSong CarefulValues(const TagCandidates& tags, const ParsedName& name);

// The proposed name for those values in the options' format; the old name
// when there is no title.
std::string CarefulName(const SongValues& values, const RenameOptions& options,
                        const std::string& oldName);

// The proposal for one file of the batch.
Proposal ProposeCarefulName(RenameBatch& batch, const std::string& oldName);

}  // namespace tagnomen
