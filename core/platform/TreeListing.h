// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MP3 files of a whole tree: the work directory and every folder below
// it, for a working set that holds a collection rather than one folder.
#include <string>
#include <vector>

namespace tagnomen {

struct TreeListing {
    // Paths relative to the top, parts joined by "/": the top's own files
    // first, then each folder's in name order (without regard to ASCII case,
    // ties by bytes), each folder's files in that order too. Files are
    // regular files (or links to one) whose names end in ".mp3" in any case.
    std::vector<std::string> files;
    // Folders that could not be read, relative to the top, with the error
    // number the system gave; the listing went on without them.
    struct Unreadable {
        std::string folder;
        int error = 0;
    };
    std::vector<Unreadable> unreadable;
};

// Lists the tree below `directory` (an absolute path). Links to folders are
// not followed, hidden folders (their names start with ".") are left out, and
// a folder reached twice (a bind mount into itself) is listed once.
TreeListing ListMp3FilesBelow(const std::string& directory);

}  // namespace tagnomen
