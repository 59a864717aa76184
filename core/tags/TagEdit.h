// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Changing a file's tags in one atomic step. A file holds at most two tag
// regions: the ID3v2 tag at its start and the 128-byte ID3v1 block at its
// end. An edit says what each becomes; it is applied so that, whatever
// happens, the file has either its old tags or its new ones:
//
// - when one region changes and keeps its length (or the ID3v1 block is
//   added or cut off), and the bytes that differ lie inside one page of the
//   file, they alone are written where they lie, in one write, which the
//   system makes in one step (a kill cannot come in the middle);
// - otherwise the whole file is rebuilt beside itself under a unique
//   temporary name (locked while it is written), synced, and put in the
//   file's place in one step, only over the very file it was made from.
//
// Every ID3v2 tag at the start of the file counts as the old tag region: a
// file with stacked tags (as some old taggers leave) loses them all to the
// new tag, so that none of the stale ones comes to light later.
//
// Nothing is written over bytes not identified as the old tag: an ID3v2 tag
// that cannot be delimited (a damaged header, a size out of range or past the
// end of the file, a frame running past the tag, unknown bytes in the
// padding) is never replaced. Symbolic links are not written through, a file
// with several hard links is rebuilt rather than written in place (the other
// names keep what they had), holes of a sparse file stay holes, and a write
// bit added to write a read-only file is taken away again.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tags/TagFile.h"

namespace tagnomen {

struct TagEdit {
    // Builds the new ID3v2 tag from the old one (the front one of stacked
    // tags; empty when the file has none): the new tag's bytes, empty for no
    // tag, or nothing with the reason when it cannot. Unset: the ID3v2 tag
    // stays as it is.
    using Id3v2Builder =
        std::function<std::optional<std::string>(std::string_view oldTag, std::string& reason)>;
    Id3v2Builder id3v2;
    // The new ID3v1 block (128 bytes), or empty to remove it. Unset: it stays.
    std::optional<std::string> id3v1;
    // The file as its tags were read (which file, its size and time): when
    // set, the edit goes only into that file, unchanged since; a file
    // replaced or changed in between is left as it is.
    std::optional<FileStamp> readFrom;
};

// True when the file now carries the edit (also when nothing had to change);
// false with the reason ("Permission denied", "symbolic link" ...) when the
// file was left as it was.
bool ApplyTagEdit(const std::string& path, const TagEdit& edit, std::string& reason);

// The prefix of the temporary files of a rebuild,
// ".tagnomen-<pid>-<random>.tmp"; a file of this name is never a user's file.
inline constexpr const char* kRebuildPrefix = ".tagnomen-";

// Removes the temporary files that killed rebuilds left in the directory (a
// program killed in the middle of a rebuild leaves the copy it was making):
// the leftovers of platform/Leftovers.h, never a copy a running process may
// be writing. Returns how many were removed.
int RemoveStaleRebuildFiles(const std::string& directory);

}  // namespace tagnomen
