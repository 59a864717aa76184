// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TagLib, the rival the readers are measured against, reading what a Rename
// by the ID3 tag method needs: both tags of every file, no audio properties.
#include <string>
#include <vector>

namespace tagnomen::bench {

// The paths of the entries of `dir`.
std::vector<std::string> FilesOf(const std::string& dir);

// Reads both tags of each file with TagLib; returns a sum of what it read,
// so that the compiler keeps the reads.
std::size_t TagLibReadTags(const std::vector<std::string>& files);

}  // namespace tagnomen::bench
