// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tag editor: reads both tags of one file of the work directory,
// reconciles them into seven values (asking through the tag-mismatch prompt
// where they disagree), lets the person edit them in the editor's tag mode,
// and on OK writes them, both tags in one step. With basic support it writes
// an ID3v1 tag, and an ID3v2 tag where the file had one or a value does not
// fit ID3v1. With full support it updates the tags the file has (a file
// without tags gets ID3v1, and ID3v2 too where a value does not fit ID3v1
// whole) and changes in ID3v2 only the frames of the values that changed.
// RunTagEditor (tools/Tools.h) is its entry.
#include <string>

#include "tools/FileInfoEditorModel.h"

namespace tagnomen {

class Ui;

// What the two tags of one file say, as the editor takes them: empty for a
// tag that is not there; the track as decimal text, the ID3v1 genre byte as
// its number 0..255, the ID3v2 genre text as read.
struct TagEditorSides {
    SongValues id3v1;
    SongValues id3v2;
    bool id3v1There = false;
    bool id3v2There = false;
    // The file's front cover (or first picture) as stored, empty for none;
    // read with full support only.
    std::string cover;
};

// Reconciles the two sides in the order title, artist, album, year, track,
// genre, comment; the prompt shows the shown name.
SongValues ReconcileTagValues(Ui& ui, const std::string& shownName, const TagEditorSides& sides);

// "Uses ID3 TAGv1 and TAGv2", "Uses ID3 TAGv1", "Uses ID3 TAGv2" or "Not Uses ID3 TAG".
std::string TagLabel(bool id3v1There, bool id3v2There);

}  // namespace tagnomen
