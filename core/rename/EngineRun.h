// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One call of the smart engine: the old name, the working name every step
// reads and replaces, the options read at its start and the values it finds.
// Nothing of it outlives the call; what the session shares stays in the
// renaming context.
#include <string>
#include <utility>

#include "rename/NameTemplate.h"
#include "settings/RenamingMethod.h"
#include "tags/SongValues.h"

namespace tagnomen {

struct RenamingContext;

namespace smart {

struct EngineRun {
    EngineRun(RenamingContext& owner, std::string old)
        : context(owner), oldName(old), name(std::move(old)) {}

    RenamingContext& context;
    const std::string oldName;
    std::string name;  // the working name

    // "RenamingMethod", "Brackets" and, with "UseTemplate" 1, "Template" and
    // its tokens, as the call read them.
    RenamingMethod method = RenamingMethod::SmartEngine;
    int brackets = 1;
    std::string templateText;
    TemplateTokens tokens;

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
