// SPDX-License-Identifier: GPL-3.0-or-later
// The name format dialog and the two file name editors, as the Workbench
// opens them: each builds its model, lets the Ui run it, and takes the
// result only when the person confirmed with OK.
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"
#include "tools/EditFileNameModel.h"
#include "tools/MassFileNameEditorModel.h"
#include "tools/NameFormatModel.h"
#include "tools/Tools.h"

namespace tagnomen {

void RunNameFormatDialog(RenamingContext& context, const std::string& previewFile) {
    // The model stores its settings on OK; leaving with Escape stores nothing.
    NameFormatModel model(context);
    model.SetPreviewSample(LoadPreviewSample(context, previewFile));
    context.ui.RunNameFormat(model);
}

bool RunEditFileName(RenamingContext& context, std::string& proposedName,
                     const std::string& oldName) {
    EditFileNameModel model(context.ui, proposedName, oldName);
    if (!context.ui.RunEditFileName(model) || !model.Accepted()) {
        return false;
    }
    proposedName = model.Result();
    return true;
}

void RunMassFileNameEditor(RenamingContext& context, WorkingSet& set) {
    // OK rebuilds the selected entries in place; Cancel leaves them alone.
    MassFileNameEditorModel model(context.ui, set);
    context.ui.RunMassFileNameEditor(model);
}

}  // namespace tagnomen
