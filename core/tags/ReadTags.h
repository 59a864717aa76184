// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading both tags of one file through a single open: the ID3v2 tag at the
// start and the ID3v1 block at the end, with the same results as the two
// records' own ReadTag calls. Each also reads from an open TagFile, which may
// hold bytes in memory.
#include <optional>
#include <string>

#include "tags/Id3v1Record.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2Record.h"

namespace tagnomen {

class TagFile;

// Fills both records; returns the result of the ID3v2 read (0 when the
// file's first 10 bytes cannot be read). The ID3v1 read always succeeds.
int ReadTags(const std::string& path, Id3v1Record& id3v1, Id3v2Record& id3v2);
int ReadTags(const TagFile& file, Id3v1Record& id3v1, Id3v2Record& id3v2);

// The front cover of the file's ID3v2 tag, else its first picture; nothing
// when it has none (every version and encoding is read).
std::optional<Picture> ReadCoverPicture(const std::string& path);
std::optional<Picture> ReadCoverPicture(const TagFile& file);

}  // namespace tagnomen
