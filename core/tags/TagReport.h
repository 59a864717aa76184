// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of what both tag readers find in one file, as one JSON object
// (the output of the command line's "tags-file" command).
#include <string>

#include "tags/TagSupport.h"

namespace tagnomen {

class TagFile;

// {"file": ..., "id3v1": {...}, "id3v2": {...}} on one line, without a final
// newline. "file" is `path` as given; all strings are UTF-8 and escaped. With
// full support "id3v2" also holds "encodings" (the encoding of each value's
// frame), "frames" (every frame id of the tag) and "pictures" (how many).
std::string DescribeTagsAsJson(const std::string& path, TagSupport support = TagSupport::Basic);
// The same for tags read from `file` (a file or bytes in memory), reported
// under the name `name`.
std::string DescribeTagsAsJson(const TagFile& file, const std::string& name, TagSupport support);

// A JSON string literal, quotes included. Bytes that do not form valid UTF-8
// are taken as ISO-8859-1 characters, so the result is always valid UTF-8.
std::string JsonString(const std::string& text);

}  // namespace tagnomen
