// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A working set in tests, given as the two lists and the selection the
// window shows.
#include <string>
#include <vector>

#include "session/WorkingSet.h"

namespace tagnomen::testing {

// The set holds exactly these rows, the first ones with these proposals.
inline void SetLists(WorkingSet& set, std::vector<std::string> oldNames,
                     const std::vector<std::string>& proposals = {}) {
    set.EmptyLists();
    set.AppendListed(std::move(oldNames));
    for (const std::string& proposal : proposals) {
        set.AppendProposal(proposal);
    }
}

// The rows keep their names and get these proposals (no selection); a test
// that names no old files gets rows named "old<i>.mp3" for them.
inline void SetProposals(WorkingSet& set, const std::vector<std::string>& proposals) {
    set.ClearProposals();
    std::vector<std::string> missing;
    for (std::size_t row = set.Size(); row < proposals.size(); ++row) {
        missing.push_back("old" + std::to_string(row) + ".mp3");
    }
    set.AppendListed(std::move(missing));
    for (const std::string& proposal : proposals) {
        set.AppendProposal(proposal);
    }
}

// The selection of the proposed list, row by row.
inline void SetSelected(WorkingSet& set, const std::vector<bool>& selected) {
    for (std::size_t row = 0; row < selected.size(); ++row) {
        set.SetSelected(row, selected[row]);
    }
}
inline std::vector<bool> Selected(const WorkingSet& set) {
    std::vector<bool> selected;
    for (std::size_t row = 0; row < set.ProposalCount(); ++row) {
        selected.push_back(set.IsSelected(row));
    }
    return selected;
}

}  // namespace tagnomen::testing
