// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a command gets the tags of the files it works on: read ahead by a
// pool of threads for a batch (TagReadAhead), or read when asked for
// (DirectTagSource). The renaming methods and the loader take whichever
// the command hands them.
#include <string>
#include <utility>

#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/TagFile.h"
#include "tags/TagSupport.h"

namespace tagnomen {

// Both tags of one file, read through one open.
struct FileTags {
    explicit FileTags(TagSupport support) : id3v1(support), id3v2(support) {}
    Id3v1Record id3v1;
    Id3v2Record id3v2;
    int id3v2Result = 0;
    FileStamp stamp;
};

// Both tags of the file at `path`, read through one open.
FileTags ReadFileTags(const std::string& path, TagSupport support);

class TagSource {
  public:
    virtual ~TagSource() = default;
    // The tags of the file of that bare name in the source's directory.
    virtual FileTags Take(const std::string& name) = 0;
};

// Reads each file when it is asked for.
class DirectTagSource final : public TagSource {
  public:
    DirectTagSource(std::string directory, TagSupport support)
        : directory_(std::move(directory)), support_(support) {}
    FileTags Take(const std::string& name) override;

  private:
    std::string directory_;
    TagSupport support_;
};

}  // namespace tagnomen
