// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files organizer's run: every file of the file information table moves
// from the work directory into a folder below the root directory, one folder
// per title initial, artist, album, year or genre. RunFilesOrganizer
// (tools/Tools.h) asks, lets the root be chosen, opens the dialog and then
// calls OrganizeFiles.
#include <cstddef>
#include <functional>
#include <string>

#include "session/FileInfoTable.h"
#include "tools/FilesOrganizerModel.h"

namespace tagnomen {

struct RenamingContext;

// The folder a table row goes to, as a single folder name: the upper-cased
// first character of the title, artist or album, the whole artist, album or
// year text, or the genre's name. Each "/" becomes "-", and a name cut to
// 255 bytes on a character boundary. Empty (the file stays where it is) when
// the value is empty or the name would be "." or "..".
std::string FolderNameFor(const SongValues& values, const OrganizeRule& rule);

// Upper-cases one UTF-8 character (ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic letters); other text comes back unchanged.
std::string UpperCaseCharacter(const std::string& character);

// What a run did, for its caller's records; the person learns it from the
// message boxes.
struct OrganizeResult {
    std::size_t moved = 0;
    std::size_t skipped = 0;       // no value, or an empty folder name: the files stayed
    std::size_t moveFailures = 0;  // "Unable to move " boxes
    bool aborted = false;          // a folder could be neither found nor created
};

// Called with the row's index and file name before each row is worked on
// (the reliability tests change the world between rows through it).
using OrganizerRowHook = std::function<void(std::size_t row, const std::string& fileName)>;

// The run after the dialog's OK and its question: the files are taken from
// the directory the table was made in, "RootOrganizePath" is read, and the
// progress window "Organizing your Mp3 Files..." is open while the rows are
// worked through in order. After the last row "Undo.inf" is deleted from the
// work directory if any file has left it. A folder that cannot be created
// ends the run at once and keeps "Undo.inf". Moves never replace an existing
// file; a row whose file is gone or is no longer the file it was read from
// is reported, not moved.
//
// With full tag support a file whose row holds no value for the sort (empty,
// or a placeholder such as "Unknown Artist": tools/RowValues.h) stays where
// it is too, and after the run one box counts the files that stayed ("24
// files have no artist and stay in the folder"); without it only an empty
// folder name keeps a file, silently.
OrganizeResult OrganizeFiles(RenamingContext& context, const OrganizeRule& rule,
                             const OrganizerRowHook& beforeRow = {});

}  // namespace tagnomen
