// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Table rows in tests, written as the seven texts the viewer's columns show:
// file name, title, artist, album, year, track, genre. A row of the product
// reaches its fields by name; a test's expected row reads best as one line.
#include <array>
#include <optional>
#include <string>

#include "session/FileInfoTable.h"

namespace tagnomen::testing {

using RowTexts = std::array<std::string, 7>;

inline TableRow RowOf(const RowTexts& texts, std::optional<FileIdentity> identity = std::nullopt) {
    TableRow row{.fileName = texts[0], .values = {}, .identity = identity};
    for (std::size_t i = 0; i < kTableFields.size(); ++i) {
        row.values[kTableFields[i]] = texts[i + 1];
    }
    return row;
}

inline RowTexts TextsOf(const FileInfoTable& table, std::size_t row) {
    RowTexts texts{table.FileName(row)};
    for (std::size_t i = 0; i < kTableFields.size(); ++i) {
        texts[i + 1] = table.Value(row, kTableFields[i]);
    }
    return texts;
}

}  // namespace tagnomen::testing
