// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions the smart engine asks during a Rename, each of which the
// person may answer once for the rest of that Rename. The answer given with
// the check box ticked is kept in the Rename's batch; later questions of
// the same kind take it without being shown, and the Ui is told of each, so
// that a log still lists every question.
#include <string>

#include "platform/Ui.h"

namespace tagnomen {

struct RenameBatch;

// The question box "Choose the correct File Information"; true for Yes.
bool AskValueChoice(RenameBatch& batch, const std::string& caption, const std::string& text);
// Which "Mark as" buttons the garbage dialog shows.
struct MarkAsButtons {
    bool album = false;
    bool track = false;
};

// The "Erase the Garbage Text" dialog.
GarbageAnswer AskGarbageText(RenameBatch& batch, const std::string& question, MarkAsButtons markAs);
// The "Erase the garbage text" box of the garbage characters; true for Yes.
bool AskGarbageCharacters(RenameBatch& batch, const std::string& caption, const std::string& text);

}  // namespace tagnomen
