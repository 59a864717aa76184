// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One Rename over the files of the list: the options it read when it
// started, where it gets the files' tags, and the answers the person gave
// "for the rest of this Rename". It lives as long as the Rename; the
// renaming context keeps what outlives it.
#include <utility>

#include "rename/RenameOptions.h"
#include "session/RememberedAnswers.h"
#include "tags/TagSource.h"

namespace tagnomen {

struct RenamingContext;

struct RenameBatch {
    RenameBatch(RenamingContext& session, RenameOptions renameOptions, TagSource& tagSource)
        : context(session), options(std::move(renameOptions)), tags(tagSource) {}
    RenameBatch(const RenameBatch&) = delete;
    RenameBatch& operator=(const RenameBatch&) = delete;

    RenamingContext& context;
    const RenameOptions options;
    TagSource& tags;
    RememberedAnswers remembered;
    // A question was left with Escape while music-aware names stop the
    // Rename for it: the Rename ends after the file it is at.
    bool stopped = false;
};

}  // namespace tagnomen
