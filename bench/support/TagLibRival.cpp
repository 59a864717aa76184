// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagLibRival.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <filesystem>

namespace tagnomen::bench {

std::vector<std::string> FilesOf(const std::string& dir) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        files.push_back(entry.path().string());
    }
    return files;
}

std::size_t TagLibReadTags(const std::vector<std::string>& files) {
    std::size_t sum = 0;
    for (const std::string& path : files) {
        TagLib::MPEG::File file(path.c_str(), false);
        for (TagLib::Tag* tag : {static_cast<TagLib::Tag*>(file.ID3v1Tag()),
                                 static_cast<TagLib::Tag*>(file.ID3v2Tag())}) {
            if (tag != nullptr) {
                sum += tag->title().size() + tag->artist().size() + tag->album().size() +
                       tag->year() + tag->track() + tag->genre().size();
            }
        }
    }
    return sum;
}

}  // namespace tagnomen::bench
