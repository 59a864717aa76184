// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record step of a Rename with the file information loader on: the
// values a renaming method found for a file become one row of the file
// information table, under the file's proposed name.
#include <string>

#include "session/FileInfoTable.h"
#include "tags/SongValues.h"

namespace tagnomen {

// The values as the table records them: a missing album ("Unknown ...") is
// empty, a year outside 1900..2050 is empty, a track outside 0..99 or
// missing is "0", and a genre whose leading number lies outside
// lowestGenre..255 or that is missing is "255". Title and artist stay.
SongValues RecordedValues(const SongValues& values, int lowestGenre);

// Where each recorded value came from: `found` for a value the method
// found, ValueSource::None for one the table records as missing (an empty
// text, "Unknown ...", a track "0", a genre "255").
ValueSources SourcesOf(const SongValues& recorded, const ValueSources& found);

// Appends the row for the file oldName of `directory` under its proposed
// name; the row keeps the identity the file has now.
void RecordRow(FileInfoTable& table, const std::string& directory, const std::string& oldName,
               const std::string& proposedName, SongValues recorded, ValueSources sources);

}  // namespace tagnomen
