// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the undo file in the work directory and of its two companions.
// Save and Undo (app) write and read them; the files organizer (tools)
// removes all three once files have left the directory, since their renames
// can no longer be undone.

namespace tagnomen {

inline constexpr const char* kUndoFileName = "Undo.inf";
// The record of the Save before, while a Save has not yet made a rename of
// its own; a kill leaves it behind for the next Save or Undo to put back.
inline constexpr const char* kPreviousUndoFileName = "Undo.inf.previous";
// A new text for "Undo.inf", written whole before it takes the name.
inline constexpr const char* kReplacementUndoFileName = "Undo.inf.new";

}  // namespace tagnomen
