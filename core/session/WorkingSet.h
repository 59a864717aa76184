// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working set: one row per listed file of the work directory, in the
// list's order, each with the name proposed for it and whether it is
// selected in the proposed list. A Rename gives the rows their proposals in
// list order, so the rows with a proposal are always the first ones; the set
// counts as not saved exactly while any row has one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tagnomen {

struct WorkingRow {
    std::string oldName;
    std::string proposal;   // meaningful for the first ProposalCount() rows
    bool selected = false;  // in the proposed list (extended selection)
};

class WorkingSet {
  public:
    const std::vector<WorkingRow>& Rows() const { return rows_; }
    std::size_t Size() const { return rows_.size(); }
    const std::string& OldName(std::size_t row) const { return rows_[row].oldName; }
    std::vector<std::string> OldNames() const;

    // Listing: names join the rows without proposals; SortRows puts them in
    // the list's order (without regard to ASCII case, ties by bytes).
    void AppendListed(std::vector<std::string> names);
    void SortRows();

    // Proposals, given in list order.
    std::size_t ProposalCount() const { return proposals_; }
    bool HasProposal(std::size_t row) const { return row < proposals_; }
    const std::string& Proposal(std::size_t row) const { return rows_[row].proposal; }
    std::vector<std::string> Proposals() const;
    // The next row without a proposal gets this one.
    void AppendProposal(std::string name);
    // Changes the proposal of a row that has one.
    void SetProposal(std::size_t row, std::string name);
    // Every row loses its proposal and its selection; the names stay.
    void ClearProposals();
    // A row of its own with its proposal (Undo lists the pairs it undid).
    void AppendRowWithProposal(std::string oldName, std::string proposal);
    // The name a row has after a Save: its proposal, else its old name.
    const std::string& NameAfterSave(std::size_t row) const;

    bool Unsaved() const { return proposals_ > 0; }

    // Numbers that change whenever the old names / the proposals change, so
    // that a view can tell cheaply whether it must show them afresh.
    std::uint64_t NamesVersion() const { return namesVersion_; }
    std::uint64_t ProposalsVersion() const { return proposalsVersion_; }

    // Selection of the old list (single) and of the proposed list (extended).
    int oldSelection = -1;
    void ClearSelections();
    std::vector<int> SelectedRenamed() const;
    bool IsSelected(std::size_t row) const { return row < proposals_ && rows_[row].selected; }
    // Selects exactly these rows of the proposed list; indexes outside it are ignored.
    void SelectRenamed(const std::vector<int>& rows);
    void SetSelected(std::size_t row, bool selected);

    // The main window's progress bar and percentage label.
    int progressValue = 0;
    int progressMaximum = 0;
    std::string percentText = "0%";

    // Empties both lists and resets the progress bar and the label.
    void EmptyLists();
    void ResetProgress();

  private:
    std::vector<WorkingRow> rows_;
    std::size_t proposals_ = 0;
    std::uint64_t namesVersion_ = 0;
    std::uint64_t proposalsVersion_ = 0;
};

}  // namespace tagnomen
