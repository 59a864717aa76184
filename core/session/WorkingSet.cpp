// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/WorkingSet.h"

namespace tagnomen {

void WorkingSet::ClearSelections() {
    oldSelection = -1;
    renamedSelected.assign(renamedNames.size(), false);
}

std::vector<int> WorkingSet::SelectedRenamed() const {
    std::vector<int> indexes;
    for (std::size_t i = 0; i < renamedSelected.size() && i < renamedNames.size(); ++i) {
        if (renamedSelected[i]) {
            indexes.push_back(static_cast<int>(i));
        }
    }
    return indexes;
}

void WorkingSet::EmptyLists() {
    oldNames.clear();
    renamedNames.clear();
    ClearSelections();
    ResetProgress();
}

void WorkingSet::ResetProgress() {
    progressValue = 0;
    percentText = "0%";
}

}  // namespace tagnomen
