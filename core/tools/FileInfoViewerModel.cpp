// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FileInfoViewerModel.h"

#include "platform/Text.h"
#include "platform/Ui.h"
#include "session/FileInfoTable.h"
#include "session/RenamingContext.h"
#include "tags/GenreTable.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/Tools.h"

namespace tagnomen {

const std::array<FileInfoViewerModel::Column, FileInfoViewerModel::kColumnCount>&
FileInfoViewerModel::Columns() {
    static const std::array<Column, kColumnCount> kColumns = {{
        {"File Name", 300},
        {"Title (Song Name)", 200},
        {"Artist (Author)", 200},
        {"Album", 200},
        {"Year", 50},
        {"Track", 50},
        {"Genre", 150},
    }};
    return kColumns;
}

FileInfoViewerModel::FileInfoViewerModel(Ui& ui, FileInfoTable& table) : ui_(ui), table_(table) {}

std::size_t FileInfoViewerModel::RowCount() const {
    return table_.RowCount();
}

int FileInfoViewerModel::ColumnOf(SongField field) {
    for (std::size_t i = 0; i < kTableFields.size(); ++i) {
        if (kTableFields[i] == field) {
            return static_cast<int>(i) + 1;
        }
    }
    return kFileNameColumn;
}

std::string FileInfoViewerModel::CellText(std::size_t row, int column) const {
    if (column < 0 || column >= kColumnCount) {
        return {};
    }
    if (column == kFileNameColumn) {
        return table_.FileName(row);
    }
    const SongField field = kTableFields[static_cast<std::size_t>(column - 1)];
    const std::string& text = table_.Value(row, field);
    if (field == SongField::Track) {
        return LeadingInteger(text) == 0 ? std::string() : text;
    }
    if (field == SongField::Genre) {
        return GenreName(LeadingInteger(text));
    }
    return text;
}

void FileInfoViewerModel::Select(int row) {
    selected_ = row >= 0 && static_cast<std::size_t>(row) < RowCount() ? row : kNoRow;
}

bool FileInfoViewerModel::EditSelected() {
    if (selected_ == kNoRow || !table_.HasRow(static_cast<std::size_t>(selected_))) {
        ShowOk(ui_, "Error", "You must select an item to edit", MessageIcon::Stop);
        return false;
    }
    const auto row = static_cast<std::size_t>(selected_);
    FileInfoEditorModel editor(ui_, EditorMode::Table, std::string(), table_.FileName(row),
                               table_.Values(row));
    const bool confirmed = ui_.RunFileInfoEditor(editor) && editor.Accepted();
    // Whatever the editor returned, its values go back into the row: after
    // Cancel they are the row's own, so the row is unchanged.
    const SongValues& values = editor.Result();
    for (SongField field : kTableFields) {
        if (values[field] != table_.Value(row, field)) {
            table_.SetSource(row, field, ValueSource::Edited);
        }
        table_.SetValue(row, field, values[field]);
    }
    return confirmed;
}

void RunFileInfoViewer(RenamingContext& context) {
    FileInfoViewerModel viewer(context.ui, context.table);
    context.ui.RunFileInfoViewer(viewer);
}

}  // namespace tagnomen
