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

std::string FileInfoViewerModel::CellText(std::size_t row, int column) const {
    if (column < 0 || column >= kColumnCount) {
        return {};
    }
    const std::string& text = table_.Cell(row, static_cast<FileInfoTable::Column>(column));
    if (column == FileInfoTable::Track) {
        return LeadingInteger(text) == 0 ? std::string() : text;
    }
    if (column == FileInfoTable::Genre) {
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
    const FileInfoTable::Row cells = table_.GetRow(row);
    FileInfoEditorModel editor(
        ui_, EditorMode::Table, std::string(), cells[FileInfoTable::FileName],
        {cells[FileInfoTable::Title], cells[FileInfoTable::Artist], cells[FileInfoTable::Album],
         cells[FileInfoTable::Year], cells[FileInfoTable::Track], cells[FileInfoTable::Genre], ""});
    const bool confirmed = ui_.RunFileInfoEditor(editor) && editor.Accepted();
    // Whatever the editor returned, its values go back into the row: after
    // Cancel they are the row's own, so the row is unchanged.
    const EditorValues& values = editor.Result();
    table_.SetCell(row, FileInfoTable::Title, values.title);
    table_.SetCell(row, FileInfoTable::Artist, values.artist);
    table_.SetCell(row, FileInfoTable::Album, values.album);
    table_.SetCell(row, FileInfoTable::Year, values.year);
    table_.SetCell(row, FileInfoTable::Track, values.track);
    table_.SetCell(row, FileInfoTable::Genre, values.genre);
    return confirmed;
}

void RunFileInfoViewer(RenamingContext& context) {
    FileInfoViewerModel viewer(context.ui, context.table);
    context.ui.RunFileInfoViewer(viewer);
}

}  // namespace tagnomen
