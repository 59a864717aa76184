// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/ReadTags.h"

#include "tags/TagFile.h"

namespace tagnomen {

int ReadTags(const std::string& path, Id3v1Record& id3v1, Id3v2Record& id3v2) {
    const TagFile file(path);
    return ReadTags(file, id3v1, id3v2);
}

int ReadTags(const TagFile& file, Id3v1Record& id3v1, Id3v2Record& id3v2) {
    const int result = id3v2.ReadTag(file);
    id3v1.ReadTag(file);
    return result;
}

}  // namespace tagnomen
