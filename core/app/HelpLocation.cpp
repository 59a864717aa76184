#include "app/HelpLocation.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/FileSystem.h"

namespace tagnomen {

namespace {
std::string ProgramDirectory() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::string();
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}
}  // namespace

std::string HelpFilePath() {
    if (const char* dir = std::getenv("TAGNOMEN_HELP_DIR"); dir && *dir) {
        return std::string(dir) + "/index.html";
    }
    std::string installed = ProgramDirectory() + "/../share/tagnomen/help/index.html";
    if (IsRegularFile(installed))
        return installed;
#ifdef TAGNOMEN_SOURCE_DIR
    return std::string(TAGNOMEN_SOURCE_DIR) + "/resources/help/index.html";
#else
    return installed;
#endif
}

}  // namespace tagnomen
