// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CleanReviewModel.h"

#include <algorithm>

namespace tagnomen {

namespace {

constexpr const char* kArrow = " \xE2\x86\x92 ";  // " → "
constexpr const char* kNone = "(none)";

std::string Side(SongField field, const std::string& value) {
    const std::string shown = ShownValue(field, value);
    return shown.empty() ? kNone : shown;
}

std::string Files(std::size_t count) {
    return count == 1 ? "1 file" : std::to_string(count) + " files";
}

}  // namespace

const std::array<const char*, CleanReviewModel::kColumnCount>& CleanReviewModel::Headers() {
    static const std::array<const char*, kColumnCount> kHeaders = {
        "File Name", "Title (Song Name)", "Artist (Author)", "Album", "Year", "Track", "Genre"};
    return kHeaders;
}

SongField CleanReviewModel::FieldOf(int column) {
    return kTableFields.at(static_cast<std::size_t>(std::clamp(column, 1, kColumnCount - 1) - 1));
}

const char* CleanReviewModel::ConfirmationQuestion() {
    return "Before proceeding check that the File Information loaded is correct, going to Tools "
           "-> File Info Viewer.\nDo you want to proceed with TAG's Cleaner?";
}

const char* CleanReviewModel::SourceName(ValueSource source) {
    switch (source) {
        case ValueSource::Tag:
            return "tag";
        case ValueSource::FileName:
            return "filename";
        case ValueSource::Edited:
            return "edited";
        case ValueSource::None:
            break;
    }
    return "none";
}

CleanReviewModel::CleanReviewModel(std::vector<FileRow> rows, std::size_t unchangedFiles)
    : unchanged_(unchangedFiles) {
    rows_.reserve(rows.size());
    for (FileRow& row : rows) {
        State state{std::move(row), false, {}};
        for (const ValueChange& change : state.file.changes) {
            state.guessTicked[Slot(change.field)] = !change.GuessedOverwrite();
            // A row whose changes are all unticked would write nothing.
            state.checked = state.checked || !change.GuessedOverwrite();
        }
        rows_.push_back(std::move(state));
    }
}

const ValueChange* CleanReviewModel::Change(std::size_t row, SongField field) const {
    if (row >= rows_.size()) {
        return nullptr;
    }
    for (const ValueChange& change : rows_[row].file.changes) {
        if (change.field == field) {
            return &change;
        }
    }
    return nullptr;
}

std::string CleanReviewModel::CellText(std::size_t row, SongField field) const {
    const ValueChange* change = Change(row, field);
    if (change == nullptr) {
        return {};
    }
    return Side(field, change->before) + kArrow + Side(field, change->after);
}

bool CleanReviewModel::IsGuessed(std::size_t row, SongField field) const {
    const ValueChange* change = Change(row, field);
    return change != nullptr && change->source == ValueSource::FileName;
}

bool CleanReviewModel::IsGuessedOverwrite(std::size_t row, SongField field) const {
    const ValueChange* change = Change(row, field);
    return change != nullptr && change->GuessedOverwrite();
}

void CleanReviewModel::SetRowChecked(std::size_t row, bool checked) {
    if (row < rows_.size()) {
        rows_[row].checked = checked;
    }
}

bool CleanReviewModel::GuessChecked(std::size_t row, SongField field) const {
    return IsGuessed(row, field) && rows_[row].guessTicked[Slot(field)];
}

void CleanReviewModel::SetGuessChecked(std::size_t row, SongField field, bool checked) {
    if (!IsGuessed(row, field)) {
        return;
    }
    rows_[row].guessTicked[Slot(field)] = checked;
    if (checked) {
        rows_[row].checked = true;
    }
}

std::string CleanReviewModel::SummaryText() const {
    std::size_t overwrites = 0;
    for (const State& state : rows_) {
        overwrites += std::count_if(state.file.changes.begin(), state.file.changes.end(),
                                    [](const ValueChange& c) { return c.GuessedOverwrite(); });
    }
    std::string text = rows_.empty()
                           ? std::string("No file changes")
                           : Files(rows_.size()) + (rows_.size() == 1 ? " changes" : " change");
    if (overwrites > 0) {
        text +=
            "; " + std::to_string(overwrites) +
            (overwrites == 1 ? " guess would replace a value" : " guesses would replace values") +
            " of the tags and " + (overwrites == 1 ? "is" : "are") + " written only when ticked";
    }
    return text + "; " + Files(unchanged_) +
           (unchanged_ == 1 ? " already holds" : " already hold") + " the table's values.";
}

std::vector<ValueChange> CleanReviewModel::ChangesToWrite(std::size_t row) const {
    std::vector<ValueChange> writes;
    if (row >= rows_.size() || !rows_[row].checked) {
        return writes;
    }
    for (const ValueChange& change : rows_[row].file.changes) {
        if (change.source != ValueSource::FileName || rows_[row].guessTicked[Slot(change.field)]) {
            writes.push_back(change);
        }
    }
    return writes;
}

}  // namespace tagnomen
