// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/RowValues.h"

#include "platform/Text.h"
#include "rename/NameTemplate.h"
#include "tags/Id3v2Fields.h"

namespace tagnomen {

namespace {

constexpr int kNoGenreNumber = 255;

bool NamesNothing(SongField field, const std::string& value) {
    const std::string text = TrimWhiteSpace(value);
    switch (field) {
        case SongField::Track:
            return LeadingInteger(text) <= 0;
        case SongField::Genre:
            return GenreNumberOf(text) == kNoGenreNumber;
        default:
            return text.empty();
    }
}

}  // namespace

bool RowHoldsValue(const TableRow& row, SongField field) {
    const std::string& value = row.values[field];
    if (NamesNothing(field, value)) {
        return false;
    }
    // A placeholder stands for a value the file lacks; a text that only
    // looks like one ("Unknown Pleasures") came from somewhere.
    return !IsMissingValue(value) || row.sources[field] != ValueSource::None;
}

bool RowClearsValue(const TableRow& row, SongField field) {
    return row.sources[field] == ValueSource::Edited && NamesNothing(field, row.values[field]);
}

}  // namespace tagnomen
