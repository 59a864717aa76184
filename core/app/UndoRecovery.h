// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a Save or an Undo killed at any moment leaves behind, and how the next
// one finds the record that describes the files as they are.
//
// Save parks the previous "Undo.inf" as "Undo.inf.previous" before it starts
// its own, and removes it once it has kept a pair; Undo writes a new text for
// "Undo.inf" as "Undo.inf.new" before it takes the name. A kill can leave
// either behind. Settling, which every Save and Undo does first, decides:
// the parked record comes back when "Undo.inf" is missing or holds no rename
// that happened, and is removed otherwise; a leftover new text is removed.
#include <string>
#include <vector>

#include "app/UndoRecord.h"

namespace tagnomen {

// Whether the rename of a step has happened, as the directory tells.
enum class StepState {
    NotMade,  // the name before is still there (a rename never replaces, so
              // the name after cannot have been given to it)
    Made,     // the name before is gone and the name after is there
    Unknown,  // neither name is there, or a name is not a bare file name
};
StepState StateOfStep(const std::string& directory, const std::string& from, const std::string& to);

// Drops the steps at the end of the record of a stopped Save that never
// happened (and a pair torn by the kill).
void DropStepsNeverMade(const std::string& directory, std::vector<UndoPair>& pairs);

// Puts back the parked record or removes it, and removes a leftover new text,
// in the given absolute directory. Each step is one rename or one removal,
// so that a kill during it leaves a state the next settling puts right.
void SettleUndoRecord(const std::string& directory);

// Reads and parses the whole file behind an open descriptor; false on a read
// error.
bool ReadUndoRecord(int fd, UndoRecord& record);

}  // namespace tagnomen
