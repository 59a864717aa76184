// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the file information viewer: the file information table as a
// grid of seven columns, one row per table row, and the row editor that lets
// a row's six values be corrected in the editor's table mode. Corrections go
// into the table only; nothing is written to disk and the file name column
// never changes. The Qt dialog and the CLI drive the same model.
#include <array>
#include <cstddef>
#include <string>

#include "tags/SongValues.h"

namespace tagnomen {

class FileInfoTable;
class Ui;

class FileInfoViewerModel {
  public:
    static constexpr int kColumnCount = 7;
    static constexpr int kNoRow = -1;
    // Column 0 shows the file name, the others the table's six fields.
    static constexpr int kFileNameColumn = 0;
    static int ColumnOf(SongField field);

    struct Column {
        const char* header;
        int width;  // pixels
    };
    // "File Name", "Title (Song Name)", "Artist (Author)", "Album", "Year",
    // "Track", "Genre", with their widths.
    static const std::array<Column, kColumnCount>& Columns();

    FileInfoViewerModel(Ui& ui, FileInfoTable& table);

    const char* Title() const { return "File Information Viewer"; }

    std::size_t RowCount() const;
    // What a grid cell shows: the table's text, except the track (empty when
    // its number is 0 or it is not a number) and the genre (the name of the
    // genre number; empty outside the genre table).
    std::string CellText(std::size_t row, int column) const;

    // Single selection; a row that does not exist clears it.
    void Select(int row);
    int Selected() const { return selected_; }

    // "&Edit" and a double click: with no row selected the "Error" box "You
    // must select an item to edit"; otherwise the row editor runs in table
    // mode and its values are written back into the row. True when the
    // person confirmed with OK.
    bool EditSelected();

  private:
    Ui& ui_;
    FileInfoTable& table_;
    int selected_ = kNoRow;
};

}  // namespace tagnomen
