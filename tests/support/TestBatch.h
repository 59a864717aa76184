// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Rename's batch for tests that call a renaming method, the engine or the
// loader on their own: the options read as a Rename reads them when it
// starts (the method as stored, unless one is given), the tags read from the
// work directory when asked for.
#include <optional>

#include "rename/RenameBatch.h"
#include "session/RenamingContext.h"
#include "tags/TagSource.h"

namespace tagnomen::testing {

class TestBatch {
  public:
    explicit TestBatch(RenamingContext& context, std::optional<RenamingMethod> method = {})
        : tags_(WorkDirectory(context), context.Support()),
          batch_(context, ReadRenameOptions(context, method ? *method : StoredMethod(context)),
                 tags_) {}

    RenameBatch& operator*() { return batch_; }
    RenameBatch* operator->() { return &batch_; }

  private:
    static RenamingMethod StoredMethod(RenamingContext& context) {
        RenamingMethod method = RenamingMethod::SmartEngine;
        context.settings.GetRenamingMethod(method);
        return method;
    }

    DirectTagSource tags_;
    RenameBatch batch_;
};

}  // namespace tagnomen::testing
