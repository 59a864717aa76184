#include "rename/FileInfoTable.h"

namespace tagnomen {

void FileInfoTable::Empty() {
    for (auto& column : columns_)
        std::vector<std::string>().swap(column);
}

void FileInfoTable::AppendRow(Row row) {
    for (int c = 0; c < ColumnCount; ++c)
        columns_[c].push_back(std::move(row[c]));
}

const std::string& FileInfoTable::Cell(std::size_t row, Column column) const {
    static const std::string kEmpty;
    return row < columns_[column].size() ? columns_[column][row] : kEmpty;
}

FileInfoTable::Row FileInfoTable::GetRow(std::size_t row) const {
    Row result;
    for (int c = 0; c < ColumnCount; ++c)
        result[c] = Cell(row, static_cast<Column>(c));
    return result;
}

bool FileInfoTable::SetCell(std::size_t row, Column column, std::string text) {
    if (row >= columns_[column].size())
        return false;
    columns_[column][row] = std::move(text);
    return true;
}

}  // namespace tagnomen
