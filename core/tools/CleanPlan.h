// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tag cleaner changes in one file with full tag support: the values
// of the file's table row that differ from what its tags say, and the one
// edit that writes them while keeping everything else.
//
// What the file says of a field is its ID3v2 value, or its ID3v1 value where
// the ID3v2 tag has none. A field changes when the row holds a value (see
// tools/RowValues.h) that differs from it, or when the person emptied the
// field in the viewer. Nothing else is written: the ID3v2 tag keeps its
// version and every other frame byte for byte (a track total "/12" stays
// when the number changes), an ID3v1 tag is updated in the fields that
// change, and neither tag is added unless a changed value needs it.
#include <string>
#include <vector>

#include "session/FileInfoTable.h"
#include "tags/TagEdit.h"
#include "tags/TagSource.h"
#include "tools/ValueChange.h"

namespace tagnomen {

// The fields of the row that differ from the file's tags, in table order.
std::vector<ValueChange> PlanChanges(const FileTags& tags, const TableRow& row);

// The edit that writes `changes` into the file as `tags` read it (and only
// into that file, unchanged since). An ID3v1 tag the file has takes each
// changed text in its closest ISO-8859-1 form, or goes without it when the
// text has no readable one. A file without ID3v2 gets one only when it has
// no ID3v1 tag or a changed value does not fit ID3v1 whole; that new tag
// holds the ID3v1 tag's values as well. No change: an empty edit.
TagEdit CleanEdit(const FileTags& tags, const std::vector<ValueChange>& changes);

}  // namespace tagnomen
