// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a row of the file information table says about one field, as the
// tools that act on the files see it with full tag support. A row holds a
// value when its text names one: not empty, not track "0" or genre "255",
// and not the placeholder of a missing value ("Unknown Artist" ...), which
// the row records as coming from nowhere (ValueSource::None). A field the
// row does not hold is nothing to write and no folder to sort by; only a
// person's edit in the viewer empties a field.
#include "session/FileInfoTable.h"

namespace tagnomen {

bool RowHoldsValue(const TableRow& row, SongField field);

// True when the person emptied the field in the viewer (cleared the text,
// the track, or the genre's selection).
bool RowClearsValue(const TableRow& row, SongField field);

}  // namespace tagnomen
