// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include <cerrno>
#include <cstdlib>

namespace tagnomen::cli {

CommandTable AllCommands() {
    CommandTable table;
    RegisterWorkingSetCommands(table);
    RegisterTagCommands(table);
    RegisterEditorCommands(table);
    return table;
}

void UsageFailure(const std::string& usage, const std::string& problem) {
    throw UsageError(problem + "\nusage: " + usage);
}

int ParseIndex(const std::string& usage, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 0 || value > 1 << 30) {
        UsageFailure(usage, "not an index: '" + text + "'");
    }
    return static_cast<int>(value);
}

bool ParseOnOff(const std::string& usage, const std::string& text) {
    if (text == "on" || text == "1") {
        return true;
    }
    if (text == "off" || text == "0") {
        return false;
    }
    UsageFailure(usage, "expected on or off, not '" + text + "'");
}

}  // namespace tagnomen::cli
