// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Queued actions that play the part of a person in front of a tool dialog:
// the CLI fills them from its command line, tests from their script. An
// empty queue means the person pressed Cancel.
#include <deque>
#include <functional>

#include "platform/DialogModels.h"

namespace tagnomen {

template <typename Model>
class DialogScript {
  public:
    using Action = std::function<bool(Model&)>;
    void Push(Action action) { actions_.push_back(std::move(action)); }
    bool Empty() const { return actions_.empty(); }
    // Runs the next action on the model; Cancel (false) when none is queued.
    bool Run(Model& model) {
        if (actions_.empty()) {
            return false;
        }
        Action action = std::move(actions_.front());
        actions_.pop_front();
        return action(model);
    }
    void Clear() { actions_.clear(); }

  private:
    std::deque<Action> actions_;
};

struct DialogScripts {
    DialogScript<DirectoryChooserModel> directoryChooser;
    DialogScript<NameFormatModel> nameFormat;
    DialogScript<EditFileNameModel> editFileName;
    DialogScript<MassFileNameEditorModel> massFileNameEditor;
    DialogScript<FileInfoEditorModel> fileInfoEditor;
    DialogScript<FileInfoViewerModel> fileInfoViewer;
    DialogScript<FilesOrganizerModel> filesOrganizer;
    DialogScript<CleanReviewModel> cleanReview;
};

}  // namespace tagnomen
