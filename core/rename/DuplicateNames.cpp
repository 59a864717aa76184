// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/DuplicateNames.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/Text.h"
#include "rename/NameText.h"
#include "session/WorkingSet.h"

namespace tagnomen {

namespace {

// The name with " (n)" before its ending, within the length of a file name.
std::string Numbered(const std::string& name, int n) {
    const std::size_t dot = name.rfind('.');
    const std::size_t cut = dot == std::string::npos ? name.size() : dot;
    const std::string mark = " (" + std::to_string(n) + ")";
    const std::string ending = name.substr(cut);
    const std::string stem =
        Utf8CutBytes(name.substr(0, cut), kMaxProposedNameBytes - mark.size() - ending.size());
    return stem + mark + ending;
}

}  // namespace

std::vector<std::size_t> NumberDuplicateProposals(WorkingSet& set) {
    // Every name a row ends with; the keeper of each is the row already under it.
    std::unordered_map<std::string, std::size_t> keeper;
    std::unordered_set<std::string> taken;
    for (std::size_t row = 0; row < set.Size(); ++row) {
        const std::string& name = set.NameAfterSave(row);
        taken.insert(name);
        auto [at, inserted] = keeper.try_emplace(name, row);
        if (!inserted && set.OldName(row) == name) {
            at->second = row;
        }
    }
    std::vector<std::size_t> changed;
    for (std::size_t row = 0; row < set.ProposalCount(); ++row) {
        const std::string name = set.Proposal(row);
        if (keeper.at(name) == row) {
            continue;
        }
        int n = 2;
        while (taken.count(Numbered(name, n)) != 0) {
            ++n;
        }
        const std::string numbered = Numbered(name, n);
        taken.insert(numbered);
        set.SetProposal(row, numbered);
        changed.push_back(row);
    }
    return changed;
}

}  // namespace tagnomen
