// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tools the Workbench hands over to once its own guards have passed.
// Each runs to its end and reports through the context's Ui.
#include <string>

#include "session/CommandResult.h"

namespace tagnomen {

struct RenamingContext;
class WorkingSet;

// The preview shows the name for previewFile (none: example values).
void RunNameFormatDialog(RenamingContext& context, const std::string& previewFile);
// Returns true when the person accepted; proposedName holds the edited name.
bool RunEditFileName(RenamingContext& context, std::string& proposedName,
                     const std::string& oldName);
// Works on the selected entries of the proposed list.
void RunMassFileNameEditor(RenamingContext& context, WorkingSet& set);
CommandResult RunTagEditor(RenamingContext& context, const std::string& oldName,
                           const std::string& shownName);
CommandResult RunTagCleaner(RenamingContext& context, const WorkingSet& set);
void RunFileInfoViewer(RenamingContext& context);
// After the main window's own guards: the question, the root chooser, the dialog and the run.
CommandResult RunFilesOrganizer(RenamingContext& context);

}  // namespace tagnomen
