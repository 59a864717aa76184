// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One value the tag cleaner would change in a file: what the file's tags say,
// what the table row says, and where the row's value came from. The cleaner's
// plan makes them, its review shows them.
#include <string>

#include "session/FileInfoTable.h"

namespace tagnomen {

struct ValueChange {
    SongField field = SongField::Title;
    std::string before;                      // what the file says; empty for nothing
    std::string after;                       // the row's value
    ValueSource source = ValueSource::None;  // where the row's value came from

    // A value guessed from the file name that would replace one the tags
    // hold: it is written only when the person asks for it.
    bool GuessedOverwrite() const { return source == ValueSource::FileName && !before.empty(); }
    bool operator==(const ValueChange&) const = default;
};

// A value as the review shows it: a track as its number (empty for none), a
// genre by its name, any other value as it stands.
std::string ShownValue(SongField field, const std::string& value);

}  // namespace tagnomen
