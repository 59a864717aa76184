// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of one song, in the one shape every part of the program passes
// them in: the tags as the loader reads them, the values a name template
// shows, what the smart engine finds in a name, a row of the file
// information table, and what the tag editor and the cleaner write. Fields
// are reached by name or by SongField, never by position.
#include <array>
#include <string>
#include <string_view>

namespace tagnomen {

enum class SongField { Title, Artist, Album, Year, Track, Genre, Comment };

// Every field, in the order the tags, the table and the editor list them.
inline constexpr std::array<SongField, 7> kSongFields = {
    SongField::Title, SongField::Artist, SongField::Album,   SongField::Year,
    SongField::Track, SongField::Genre,  SongField::Comment,
};

struct SongValues {
    std::string title{};
    std::string artist{};
    std::string album{};
    std::string year{};
    std::string track{};  // a decimal number
    std::string genre{};  // a genre number, or a genre named by text
    std::string comment{};

    std::string& operator[](SongField field);
    const std::string& operator[](SongField field) const;
    bool operator==(const SongValues&) const = default;
    // True when every field is empty.
    bool Empty() const;
};

// The field's name as the command line spells it: "title", "artist",
// "album", "year", "track", "genre", "comment".
std::string_view FieldName(SongField field);

}  // namespace tagnomen
