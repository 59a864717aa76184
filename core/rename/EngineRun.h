// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One call of the smart engine: the old name, the working name every step
// reads and replaces, and the values it finds. The options come from the
// Rename's batch; nothing of the run outlives the call.
#include <string>
#include <utility>

#include "rename/RenameBatch.h"
#include "tags/SongValues.h"

namespace tagnomen {

namespace smart {

struct EngineRun {
    EngineRun(RenameBatch& owner, std::string old)
        : batch(owner), options(owner.options), oldName(old), name(std::move(old)) {}

    RenameBatch& batch;
    const RenameOptions& options;
    const std::string oldName;
    std::string name;  // the working name

    // The values found so far, from the name and then from the tags.
    SongValues values;
    // Which "-" of the name separates the artist: set by step 11, used and
    // reset by step 14.
    int underscoreDashCount = 0;
    // The artist group's run: false in step 9, true in step 15.
    bool artistPassFlag = false;
    // The garbage dialog shows "Mark as Album" / "Mark as Track" only when
    // the template or the loader wants that value.
    bool needsAlbum = false;
    bool needsTrack = false;
};

}  // namespace smart
}  // namespace tagnomen
