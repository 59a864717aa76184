// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserDirectories.h"

#include <cstdlib>
#include <fstream>

#include "platform/FileSystem.h"

namespace tagnomen {

std::string UserDirectoryFromLine(const std::string& line, const std::string& key,
                                  const std::string& home) {
    const std::string start = key + "=\"";
    if (line.compare(0, start.size(), start) != 0) {
        return {};
    }
    const std::size_t end = line.find('"', start.size());
    if (end == std::string::npos) {
        return {};
    }
    std::string path = line.substr(start.size(), end - start.size());
    // The file may only name "$HOME/..." or an absolute path.
    if (path.compare(0, 5, "$HOME") == 0) {
        path = home + path.substr(5);
    } else if (path.empty() || path[0] != '/') {
        return {};
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string UserMusicDirectory() {
    const std::string home = ExpandHome("~");
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string config =
        configHome != nullptr && configHome[0] == '/' ? configHome : home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        std::string path = UserDirectoryFromLine(line, "XDG_MUSIC_DIR", home);
        if (!path.empty()) {
            return path;
        }
    }
    return {};
}

}  // namespace tagnomen
