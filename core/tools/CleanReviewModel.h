// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the review the tag cleaner shows before it writes (full tag
// support): one row per file that changes, one column per field of the
// table, each cell the old value and the new one. A value guessed from the
// file name is marked and has a check box of its own: on where the tags have
// nothing, off where it would replace a value the tags hold, until the person
// ticks it. Each row has a check box, on unless none of its changes is
// ticked. OK writes the ticked changes of the checked rows; files that would
// not change are counted, not listed. The Qt dialog and the CLI drive the
// same model.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "session/FileInfoTable.h"
#include "tools/ValueChange.h"

namespace tagnomen {

class CleanReviewModel {
  public:
    struct FileRow {
        std::string fileName;
        std::vector<ValueChange> changes;  // in table order
    };

    // Column 0 is the file name, the others the table's six fields.
    static constexpr int kColumnCount = 7;
    static constexpr int kFileNameColumn = 0;
    static const std::array<const char*, kColumnCount>& Headers();
    // The field of a column other than the file name's.
    static SongField FieldOf(int column);

    // The question the cleaner asked before it had a review, which the
    // command line still asks: "Before proceeding check that ...".
    static const char* ConfirmationQuestion();
    // "tag", "filename", "edited" or "none", as the command line prints a
    // value's source.
    static const char* SourceName(ValueSource source);

    CleanReviewModel(std::vector<FileRow> rows, std::size_t unchangedFiles);

    const char* Title() const { return "Review the TAG's Cleaner Changes"; }

    std::size_t RowCount() const { return rows_.size(); }
    const FileRow& Row(std::size_t row) const { return rows_.at(row).file; }
    // The change of a cell; null when that field of the file does not change.
    const ValueChange* Change(std::size_t row, SongField field) const;
    // "old → new" ("(none)" for an empty side); empty when nothing changes.
    std::string CellText(std::size_t row, SongField field) const;
    bool IsGuessed(std::size_t row, SongField field) const;
    bool IsGuessedOverwrite(std::size_t row, SongField field) const;

    bool RowChecked(std::size_t row) const { return rows_.at(row).checked; }
    void SetRowChecked(std::size_t row, bool checked);
    // Only a guessed value has its own box; ticking it checks its row.
    bool GuessChecked(std::size_t row, SongField field) const;
    void SetGuessChecked(std::size_t row, SongField field, bool checked);

    std::size_t UnchangedFiles() const { return unchanged_; }
    // "2 files change; 3 guesses would replace values of the tags and are
    // written only when ticked; 143 files already hold the table's values."
    std::string SummaryText() const;

    // What OK writes into the file of a row: nothing for a row that is not
    // checked, and a guessed value only when it is ticked.
    std::vector<ValueChange> ChangesToWrite(std::size_t row) const;

    void Accept() { accepted_ = true; }
    void Reject() { accepted_ = false; }
    bool Accepted() const { return accepted_; }

  private:
    struct State {
        FileRow file;
        bool checked = true;
        std::array<bool, kSongFields.size()> guessTicked{};
    };
    static std::size_t Slot(SongField field) { return static_cast<std::size_t>(field); }

    std::vector<State> rows_;
    std::size_t unchanged_ = 0;
    bool accepted_ = false;
};

}  // namespace tagnomen
