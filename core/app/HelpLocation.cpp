// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpLocation.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/FileSystem.h"

#ifndef TAGNOMEN_HELP_RELATIVE
#define TAGNOMEN_HELP_RELATIVE "../share/tagnomen/help"
#endif

namespace tagnomen {

namespace {

std::string ProgramDirectory() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

std::string StartPage(const std::string& directory) {
    if (!directory.empty() && directory.back() == '/') {
        return directory + "index.html";
    }
    return directory + "/index.html";
}

void AddDataDirectories(std::vector<std::string>& candidates) {
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        std::string dir = list.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/') {
            candidates.push_back(StartPage(dir + "/tagnomen/help"));
        }
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string> HelpFileCandidates() {
    if (const char* dir = std::getenv("TAGNOMEN_HELP_DIR"); dir && *dir) {
        return {StartPage(dir)};
    }
    std::vector<std::string> candidates;
    if (std::string program = ProgramDirectory(); !program.empty()) {
        candidates.push_back(StartPage(program + "/" + TAGNOMEN_HELP_RELATIVE));
    }
#ifdef TAGNOMEN_SOURCE_DIR
    candidates.push_back(StartPage(std::string(TAGNOMEN_SOURCE_DIR) + "/resources/help"));
#endif
#ifdef TAGNOMEN_HELP_INSTALL_DIR
    candidates.push_back(StartPage(TAGNOMEN_HELP_INSTALL_DIR));
#endif
    AddDataDirectories(candidates);
    return candidates;
}

std::string HelpFilePath() {
    std::vector<std::string> candidates = HelpFileCandidates();
    for (const std::string& candidate : candidates) {
        if (IsRegularFile(candidate)) {
            return candidate;
        }
    }
    return candidates.empty() ? std::string("index.html") : candidates.front();
}

}  // namespace tagnomen
