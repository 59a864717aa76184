// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameOptions.h"

#include "session/RenamingContext.h"

namespace tagnomen {

RenameOptions ReadRenameOptions(RenamingContext& context, RenamingMethod method) {
    RenameOptions options;
    options.method = method;
    context.settings.GetBrackets(options.brackets);
    context.ReadUseTemplate();
    options.useTemplate = context.useTemplate;
    if (options.useTemplate) {
        options.templateText = context.ReadTemplate();
        options.tokens = FindTemplateTokens(options.templateText);
    }
    options.underscoreOption = context.underscoreOption;
    options.fileInfoLoader = context.fileInfoLoader;
    options.tagSupport = context.Support();
    options.musicAwareNames = context.musicAwareNames;
    return options;
}

}  // namespace tagnomen
