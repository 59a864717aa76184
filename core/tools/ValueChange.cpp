// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ValueChange.h"

#include "platform/Text.h"
#include "tags/GenreTable.h"
#include "tags/Id3v2Fields.h"

namespace tagnomen {

std::string ShownValue(SongField field, const std::string& value) {
    if (field == SongField::Track) {
        const int number = LeadingInteger(value);
        return number > 0 ? std::to_string(number) : std::string();
    }
    if (field != SongField::Genre) {
        return value;
    }
    const int number = GenreNumberOf(value);
    if (number != kNoGenre) {
        return GenreName(number);
    }
    // "255" is no genre; a name outside the list is shown as it stands.
    const std::string text = TrimWhiteSpace(value);
    return text.find_first_not_of("0123456789") == std::string::npos ? std::string() : text;
}

}  // namespace tagnomen
