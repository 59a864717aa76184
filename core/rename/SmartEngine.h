// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The smart renaming engine: proposes a name for one file by cleaning up and
// taking apart its old name in a fixed list of steps (SmartEngine.cpp), then
// filling the gaps from the file's tags. It serves RenamingMethod::SmartEngine
// (with the garbage passes), RenamingMethod::Mass (no garbage passes, the name
// built from artist and title) and any other stored value except Id3Tag
// (neither).
// The entry point is ProposeNameSmart of rename/RenamingMethods.h.
#include <cstddef>
#include <string>

#include "rename/EngineRun.h"
#include "rename/RenamingMethods.h"

namespace tagnomen::smart {

// The start of a call: no values found yet.
EngineRun StartRun(RenameBatch& batch, const std::string& oldName);
// The cleaning steps and the nine steps after them; returns the proposal
// and leaves the values found in the run.
Proposal ProposeName(EngineRun& run);

}  // namespace tagnomen::smart
