// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagSource.h"

#include "platform/FileSystem.h"

namespace tagnomen {

FileTags ReadFileTags(const std::string& path, TagSupport support) {
    FileTags tags(support);
    const TagFile file(path);
    tags.stamp = file.Stamp();
    tags.id3v2Result = tags.id3v2.ReadTag(file);
    tags.id3v1.ReadTag(file);
    return tags;
}

FileTags DirectTagSource::Take(const std::string& name) {
    return ReadFileTags(JoinPath(directory_, name), support_);
}

}  // namespace tagnomen
