// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/WorkingSet.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace tagnomen {

std::vector<std::string> WorkingSet::OldNames() const {
    std::vector<std::string> names;
    names.reserve(rows_.size());
    for (const WorkingRow& row : rows_) {
        names.push_back(row.oldName);
    }
    return names;
}

std::vector<std::string> WorkingSet::Proposals() const {
    std::vector<std::string> names;
    names.reserve(proposals_);
    for (std::size_t row = 0; row < proposals_; ++row) {
        names.push_back(rows_[row].proposal);
    }
    return names;
}

void WorkingSet::AppendListed(std::vector<std::string> names) {
    ++namesVersion_;
    rows_.reserve(rows_.size() + names.size());
    for (std::string& name : names) {
        rows_.push_back({std::move(name), {}, false});
    }
}

void WorkingSet::SortRows() {
    ++namesVersion_;
    // Only rows without proposals are ever sorted: a listing starts afresh.
    std::stable_sort(rows_.begin() + static_cast<std::ptrdiff_t>(proposals_), rows_.end(),
                     [](const WorkingRow& a, const WorkingRow& b) {
                         return FileNameLess(a.oldName, b.oldName);
                     });
}

void WorkingSet::AppendProposal(std::string name) {
    if (proposals_ >= rows_.size()) {
        return;
    }
    rows_[proposals_].proposal = std::move(name);
    rows_[proposals_].selected = false;
    ++proposals_;
    ++proposalsVersion_;
}

void WorkingSet::SetProposal(std::size_t row, std::string name) {
    if (HasProposal(row)) {
        rows_[row].proposal = std::move(name);
        ++proposalsVersion_;
    }
}

void WorkingSet::ClearProposals() {
    for (WorkingRow& row : rows_) {
        row.proposal.clear();
        row.selected = false;
    }
    proposals_ = 0;
    ++proposalsVersion_;
}

void WorkingSet::AppendRowWithProposal(std::string oldName, std::string proposal) {
    // Rows after the proposed ones have none yet; the new row joins the
    // proposed ones, so it goes right after them.
    const auto at = rows_.begin() + static_cast<std::ptrdiff_t>(proposals_);
    rows_.insert(at, {std::move(oldName), std::move(proposal), false});
    ++proposals_;
    ++namesVersion_;
    ++proposalsVersion_;
}

const std::string& WorkingSet::NameAfterSave(std::size_t row) const {
    return HasProposal(row) ? rows_[row].proposal : rows_[row].oldName;
}

void WorkingSet::ClearSelections() {
    oldSelection = -1;
    for (WorkingRow& row : rows_) {
        row.selected = false;
    }
}

std::vector<int> WorkingSet::SelectedRenamed() const {
    std::vector<int> indexes;
    for (std::size_t row = 0; row < proposals_; ++row) {
        if (rows_[row].selected) {
            indexes.push_back(static_cast<int>(row));
        }
    }
    return indexes;
}

void WorkingSet::SelectRenamed(const std::vector<int>& indexes) {
    for (WorkingRow& row : rows_) {
        row.selected = false;
    }
    for (int index : indexes) {
        if (index >= 0 && static_cast<std::size_t>(index) < proposals_) {
            rows_[static_cast<std::size_t>(index)].selected = true;
        }
    }
}

void WorkingSet::SetSelected(std::size_t row, bool selected) {
    if (HasProposal(row)) {
        rows_[row].selected = selected;
    }
}

void WorkingSet::EmptyLists() {
    std::vector<WorkingRow>().swap(rows_);
    proposals_ = 0;
    ++namesVersion_;
    ++proposalsVersion_;
    ClearSelections();
    ResetProgress();
}

void WorkingSet::ResetProgress() {
    progressValue = 0;
    percentText = "0%";
}

}  // namespace tagnomen
