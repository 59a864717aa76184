// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working set: the sorted old names of the work directory and the
// proposed names, entry i of one belonging to entry i of the other. It counts
// as not saved exactly while the proposed list is not empty.
#include <string>
#include <vector>

namespace tagnomen {

struct WorkingSet {
    std::vector<std::string> oldNames;
    std::vector<std::string> renamedNames;
    // Selection of the old list (single) and of the proposed list (extended).
    int oldSelection = -1;
    std::vector<bool> renamedSelected;
    // The main window's progress bar and percentage label.
    int progressValue = 0;
    int progressMaximum = 0;
    std::string percentText = "0%";

    bool Unsaved() const { return !renamedNames.empty(); }
    void ClearSelections();
    std::vector<int> SelectedRenamed() const;
    // Empties both lists and resets the progress bar and the label.
    void EmptyLists();
    void ResetProgress();
};

}  // namespace tagnomen
