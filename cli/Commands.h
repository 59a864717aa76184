// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of tagnomen-cli. Each group of commands registers itself in
// the table; a command whose handler is empty is not available yet.
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "CliUi.h"
#include "app/Workbench.h"
#include "session/CommandResult.h"

namespace tagnomen::cli {

struct CommandContext {
    Workbench& workbench;
    CliUi& ui;
    std::ostream& out;
};

using Arguments = std::vector<std::string>;
// One command of a script: runs it and says how it ended; the runner turns
// that into the exit status and stops at the first failure.
using CommandHandler = std::function<CommandResult(CommandContext&, const Arguments&)>;

struct Command {
    std::string usage;    // e.g. "dir PATH"
    std::string summary;  // one line: what it does
    CommandHandler handler;
};

using CommandTable = std::map<std::string, Command>;

// dir, list, rename, show, save, undo, method, underscore, loader, settings
void RegisterWorkingSetCommands(CommandTable& table);
// tags-file, tags, table, table-edit, clean, organize
void RegisterTagCommands(CommandTable& table);
// format, edit, mass-edit
void RegisterEditorCommands(CommandTable& table);

CommandTable AllCommands();

// Throws a UsageError naming the command's usage.
[[noreturn]] void UsageFailure(const std::string& usage, const std::string& problem);
// A 0-based index argument; a usage error when it is not a number.
int ParseIndex(const std::string& usage, const std::string& text);
// "on"/"off" (also "1"/"0"); a usage error otherwise.
bool ParseOnOff(const std::string& usage, const std::string& text);

}  // namespace tagnomen::cli
