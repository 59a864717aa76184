// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options one Rename works with, read once when it starts: every file of
// it is named by the same rules, even when another running copy of the
// program changes the settings meanwhile.
#include <string>

#include "rename/NameTemplate.h"
#include "settings/RenamingMethod.h"
#include "tags/TagSupport.h"

namespace tagnomen {

struct RenamingContext;

struct RenameOptions {
    RenamingMethod method = RenamingMethod::SmartEngine;
    // "UseTemplate" 1: names follow the template; else one of the fixed formats.
    bool useTemplate = false;
    std::string templateText;  // with useTemplate only
    TemplateTokens tokens;     // of templateText
    int brackets = 1;          // "Brackets": 1 "(Artist) - Title", else "Artist - Title"
    int underscoreOption = 0;
    bool fileInfoLoader = false;
    TagSupport tagSupport = TagSupport::Full;
    // "MusicAwareNames": the names a careful person would give.
    bool musicAwareNames = true;
};

// The options for a Rename by `method` (the one the menu shows): "Brackets",
// "UseTemplate" and "Template" read from the settings now ("UseTemplate" and
// "Template" also into the context's copies), the underscore option, the
// loader and the tag support as the context holds them.
RenameOptions ReadRenameOptions(RenamingContext& context, RenamingMethod method);

}  // namespace tagnomen
