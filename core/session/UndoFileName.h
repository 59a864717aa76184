// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name of the undo file in the work directory. Save and Undo (app) write
// and read it; the files organizer (tools) removes it once files have left
// the directory, since their renames can no longer be undone.

namespace tagnomen {

inline constexpr const char* kUndoFileName = "Undo.inf";

}  // namespace tagnomen
