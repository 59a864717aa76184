// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file information table: seven parallel text columns, one row per file
// of the latest Rename. Row i belongs to entry i of the two lists.
//
// The table belongs to the directory it was made from: it holds that
// directory's absolute path, and each row may hold the identity of the file
// it was read from, so that a tool can tell a file that is gone or was
// replaced since (the row's name then names another file, or none).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tagnomen {

class FileInfoTable {
  public:
    enum Column { FileName, Title, Artist, Album, Year, Track, Genre, ColumnCount };
    using Row = std::array<std::string, ColumnCount>;

    // All seven columns to zero rows, their storage released; the directory
    // and the identities go with them.
    void Empty();
    // The number of rows is the size of the file-name column.
    std::size_t RowCount() const { return columns_[FileName].size(); }
    bool HasRow(std::size_t row) const { return row < RowCount(); }
    void AppendRow(Row row, std::optional<FileIdentity> identity = std::nullopt);
    // Empty text for a row that does not exist.
    const std::string& Cell(std::size_t row, Column column) const;
    Row GetRow(std::size_t row) const;
    // Replace one cell / the file name of an existing row; false when the row does not exist.
    bool SetCell(std::size_t row, Column column, std::string text);
    bool SetFileName(std::size_t row, std::string name) {
        return SetCell(row, FileName, std::move(name));
    }

    // The absolute path of the directory the rows were read from; empty for a
    // table that was not recorded by a Rename (it then goes with the lists).
    const std::string& Directory() const { return directory_; }
    void SetDirectory(std::string directory) { directory_ = std::move(directory); }
    // The identity of the file a row was read from, as it was when the row
    // was recorded (lstat of its name); nothing when it was not known.
    std::optional<FileIdentity> Identity(std::size_t row) const;
    // False when the row does not exist.
    bool SetIdentity(std::size_t row, std::optional<FileIdentity> identity);

  private:
    std::array<std::vector<std::string>, ColumnCount> columns_;
    std::vector<std::optional<FileIdentity>> identities_;
    std::string directory_;
};

}  // namespace tagnomen
