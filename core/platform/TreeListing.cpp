// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TreeListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace tagnomen {

namespace {

struct FolderEntries {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

// The MP3 files and the folders of one open directory; the descriptor is
// the caller's and stays open.
FolderEntries ReadFolder(int directoryFd) {
    FolderEntries entries;
    const int readFd = dup(directoryFd);
    DIR* directory = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (directory == nullptr) {
        if (readFd >= 0) {
            close(readFd);
        }
        return entries;
    }
    while (const dirent* entry = readdir(directory)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat info {};
            if (fstatat(directoryFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : DT_REG;
            if (!S_ISDIR(info.st_mode) && !S_ISLNK(info.st_mode) && !S_ISREG(info.st_mode)) {
                continue;
            }
        }
        if (type == DT_DIR) {
            if (name.front() != '.') {
                entries.folders.emplace_back(name);
            }
            continue;
        }
        if (!EndsWithIgnoreAsciiCase(name, ".mp3")) {
            continue;
        }
        if (type == DT_REG) {
            entries.files.emplace_back(name);
        } else if (type == DT_LNK) {
            // A link to a regular file is listed as the single folder does.
            struct stat target {};
            if (fstatat(directoryFd, entry->d_name, &target, 0) == 0 && S_ISREG(target.st_mode)) {
                entries.files.emplace_back(name);
            }
        }
    }
    closedir(directory);
    std::sort(entries.files.begin(), entries.files.end(), FileNameLess);
    std::sort(entries.folders.begin(), entries.folders.end(), FileNameLess);
    return entries;
}

class TreeWalk {
  public:
    explicit TreeWalk(TreeListing& listing) : listing_(listing) {}

    // Lists the folder open as `fd` (relative path `prefix`, "" for the
    // top) and everything below it; closes fd.
    void Walk(int fd, const std::string& prefix) {
        struct stat self {};
        if (fstat(fd, &self) != 0 || !visited_.emplace(self.st_dev, self.st_ino).second) {
            close(fd);
            return;
        }
        FolderEntries entries = ReadFolder(fd);
        for (std::string& file : entries.files) {
            listing_.files.push_back(prefix + file);
        }
        for (const std::string& folder : entries.folders) {
            const int child =
                openat(fd, folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                listing_.unreadable.push_back({prefix + folder, errno});
                continue;
            }
            Walk(child, prefix + folder + "/");
        }
        close(fd);
    }

  private:
    TreeListing& listing_;
    std::set<std::pair<dev_t, ino_t>> visited_;
};

}  // namespace

TreeListing ListMp3FilesBelow(const std::string& directory) {
    TreeListing listing;
    const int top = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0) {
        listing.unreadable.push_back({"", errno});
        return listing;
    }
    TreeWalk(listing).Walk(top, "");
    return listing;
}

}  // namespace tagnomen
