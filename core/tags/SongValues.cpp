// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/SongValues.h"

#include <utility>

namespace tagnomen {

std::string& SongValues::operator[](SongField field) {
    return const_cast<std::string&>(std::as_const(*this)[field]);
}

const std::string& SongValues::operator[](SongField field) const {
    switch (field) {
        case SongField::Title:
            return title;
        case SongField::Artist:
            return artist;
        case SongField::Album:
            return album;
        case SongField::Year:
            return year;
        case SongField::Track:
            return track;
        case SongField::Genre:
            return genre;
        case SongField::Comment:
            break;
    }
    return comment;
}

bool SongValues::Empty() const {
    for (SongField field : kSongFields) {
        if (!(*this)[field].empty()) {
            return false;
        }
    }
    return true;
}

std::string_view FieldName(SongField field) {
    switch (field) {
        case SongField::Title:
            return "title";
        case SongField::Artist:
            return "artist";
        case SongField::Album:
            return "album";
        case SongField::Year:
            return "year";
        case SongField::Track:
            return "track";
        case SongField::Genre:
            return "genre";
        case SongField::Comment:
            break;
    }
    return "comment";
}

}  // namespace tagnomen
