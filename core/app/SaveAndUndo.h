// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Save and Undo, as the Workbench runs them once its own guards have passed.
#include "session/CommandResult.h"

namespace tagnomen {

struct RenamingContext;
class WorkingSet;

// Save: renames every file to its proposed name and writes the undo file.
CommandResult SaveRenames(RenamingContext& context, WorkingSet& set);
// Undo: renames the files of the last Save back (the proposed names, if any,
// are given up: the Workbench asked before).
CommandResult UndoRenames(RenamingContext& context, WorkingSet& set);

}  // namespace tagnomen
