// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FileInfoTable.h"

namespace tagnomen {

namespace {

const std::string kNoText;
const SongValues kNoValues;

}  // namespace

void FileInfoTable::Empty() {
    std::vector<TableRow>().swap(rows_);
    directory_.clear();
}

const std::string& FileInfoTable::FileName(std::size_t row) const {
    return HasRow(row) ? rows_[row].fileName : kNoText;
}

const std::string& FileInfoTable::Value(std::size_t row, SongField field) const {
    return HasRow(row) ? rows_[row].values[field] : kNoText;
}

const SongValues& FileInfoTable::Values(std::size_t row) const {
    return HasRow(row) ? rows_[row].values : kNoValues;
}

bool FileInfoTable::SetValue(std::size_t row, SongField field, std::string text) {
    if (!HasRow(row)) {
        return false;
    }
    rows_[row].values[field] = std::move(text);
    return true;
}

ValueSource FileInfoTable::Source(std::size_t row, SongField field) const {
    return HasRow(row) ? rows_[row].sources[field] : ValueSource::None;
}

bool FileInfoTable::SetSource(std::size_t row, SongField field, ValueSource source) {
    if (!HasRow(row)) {
        return false;
    }
    rows_[row].sources[field] = source;
    return true;
}

bool FileInfoTable::SetFileName(std::size_t row, std::string name) {
    if (!HasRow(row)) {
        return false;
    }
    rows_[row].fileName = std::move(name);
    return true;
}

std::optional<FileIdentity> FileInfoTable::Identity(std::size_t row) const {
    return HasRow(row) ? rows_[row].identity : std::nullopt;
}

bool FileInfoTable::SetIdentity(std::size_t row, std::optional<FileIdentity> identity) {
    if (!HasRow(row)) {
        return false;
    }
    rows_[row].identity = identity;
    return true;
}

}  // namespace tagnomen
