// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FileInfoTable.h"

namespace tagnomen {

void FileInfoTable::Empty() {
    for (auto& column : columns_) {
        std::vector<std::string>().swap(column);
    }
    std::vector<std::optional<FileIdentity>>().swap(identities_);
    directory_.clear();
}

void FileInfoTable::AppendRow(Row row, std::optional<FileIdentity> identity) {
    for (int c = 0; c < ColumnCount; ++c) {
        columns_[c].push_back(std::move(row[c]));
    }
    identities_.resize(RowCount() - 1);
    identities_.push_back(identity);
}

const std::string& FileInfoTable::Cell(std::size_t row, Column column) const {
    static const std::string kEmpty;
    return row < columns_[column].size() ? columns_[column][row] : kEmpty;
}

FileInfoTable::Row FileInfoTable::GetRow(std::size_t row) const {
    Row result;
    for (int c = 0; c < ColumnCount; ++c) {
        result[c] = Cell(row, static_cast<Column>(c));
    }
    return result;
}

bool FileInfoTable::SetCell(std::size_t row, Column column, std::string text) {
    if (row >= columns_[column].size()) {
        return false;
    }
    columns_[column][row] = std::move(text);
    return true;
}

std::optional<FileIdentity> FileInfoTable::Identity(std::size_t row) const {
    return row < identities_.size() ? identities_[row] : std::nullopt;
}

bool FileInfoTable::SetIdentity(std::size_t row, std::optional<FileIdentity> identity) {
    if (!HasRow(row)) {
        return false;
    }
    identities_.resize(RowCount());
    identities_[row] = identity;
    return true;
}

}  // namespace tagnomen
