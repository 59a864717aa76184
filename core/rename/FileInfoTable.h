#pragma once
// The file information table: seven parallel text columns, one row per file
// of the latest Rename. Row i belongs to entry i of the two lists.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tagnomen {

class FileInfoTable {
  public:
    enum Column { FileName, Title, Artist, Album, Year, Track, Genre, ColumnCount };
    using Row = std::array<std::string, ColumnCount>;

    // All seven columns to zero rows, their storage released.
    void Empty();
    // The number of rows is the size of the file-name column.
    std::size_t RowCount() const { return columns_[FileName].size(); }
    bool HasRow(std::size_t row) const { return row < RowCount(); }
    void AppendRow(Row row);
    // Empty text for a row that does not exist.
    const std::string& Cell(std::size_t row, Column column) const;
    Row GetRow(std::size_t row) const;
    // Replace one cell / the file name of an existing row; false when the row does not exist.
    bool SetCell(std::size_t row, Column column, std::string text);
    bool SetFileName(std::size_t row, std::string name) {
        return SetCell(row, FileName, std::move(name));
    }

  private:
    std::array<std::vector<std::string>, ColumnCount> columns_;
};

}  // namespace tagnomen
