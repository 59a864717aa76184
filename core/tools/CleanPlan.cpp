// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CleanPlan.h"

#include "platform/Latin1Form.h"
#include "platform/Text.h"
#include "tags/GenreTable.h"
#include "tags/Id3v2Fields.h"
#include "tags/TagValues.h"
#include "tools/RowValues.h"

namespace tagnomen {

namespace {

constexpr std::size_t kId3v1TextCharacters = 30;
constexpr std::size_t kId3v1YearCharacters = 4;
constexpr int kHighestId3v1Track = 255;

// The six values of a tag as the cleaner compares them: texts trimmed, the
// track as its number ("" for none), the genre as read ("" for none).
struct Side {
    bool there = false;
    SongValues values;
};

std::string TrackText(int number) {
    return number > 0 ? std::to_string(number) : std::string();
}

Side Id3v1Side(const Id3v1Record& v1) {
    Side side;
    side.there = v1.tagPresent == 1;
    if (side.there) {
        side.values = {v1.title,
                       v1.artist,
                       v1.album,
                       v1.year,
                       TrackText(v1.track),
                       v1.genre == kNoGenre ? std::string() : std::to_string(v1.genre),
                       v1.comment};
    }
    return side;
}

Side Id3v2Side(const FileTags& tags) {
    const Id3v2Record& v2 = tags.id3v2;
    Side side;
    side.there = tags.id3v2Result == 1 && v2.tagPresent == 1;
    if (side.there) {
        side.values = {v2.title, v2.artist, v2.album, v2.year, TrackText(v2.track),
                       v2.genre, v2.comment};
    }
    return side;
}

// What the file says of a field: the ID3v2 value, else the ID3v1 one.
std::string FileValue(const Side& v1, const Side& v2, SongField field) {
    std::string value = TrimWhiteSpace(v2.values[field]);
    if (value.empty()) {
        value = TrimWhiteSpace(v1.values[field]);
    }
    return value;
}

bool SameValue(SongField field, const std::string& fileValue, const std::string& rowValue) {
    switch (field) {
        case SongField::Track:
            return LeadingInteger(fileValue) == LeadingInteger(rowValue);
        case SongField::Genre: {
            const int number = GenreNumberOf(fileValue);
            if (number != GenreNumberOf(rowValue)) {
                return false;
            }
            // Both name no genre of the list: the same only when the file has none.
            return number != kNoGenre || fileValue.empty();
        }
        default:
            return fileValue == TrimWhiteSpace(rowValue);
    }
}

// True when an ID3v1 tag holds the value whole.
bool FitsId3v1(SongField field, const std::string& value) {
    switch (field) {
        case SongField::Track:
            return LeadingInteger(value) <= kHighestId3v1Track;
        case SongField::Genre:
            return true;
        case SongField::Year:
            return Utf8Length(value) <= kId3v1YearCharacters && FitsLatin1(value);
        default:
            return Utf8Length(value) <= kId3v1TextCharacters && FitsLatin1(value);
    }
}

// The ID3v1 text of a value: its closest ISO-8859-1 form, or nothing at all
// when it has no readable one (the ID3v2 tag holds it).
std::string Id3v1Text(const std::string& value) {
    return ClosestLatin1Form(value).value_or(std::string());
}

void SetId3v1Value(Id3v1Record& v1, SongField field, const std::string& value) {
    switch (field) {
        case SongField::Title:
            v1.SetTitle(Id3v1Text(value));
            return;
        case SongField::Artist:
            v1.SetArtist(Id3v1Text(value));
            return;
        case SongField::Album:
            v1.SetAlbum(Id3v1Text(value));
            return;
        case SongField::Year:
            v1.SetYear(Id3v1Text(value));
            return;
        case SongField::Track:
            v1.trackByte = static_cast<std::uint8_t>(std::max(0, LeadingInteger(value)) & 0xFF);
            return;
        case SongField::Genre:
            v1.genreByte = static_cast<std::uint8_t>(GenreNumberOf(value));
            return;
        case SongField::Comment:
            v1.SetComment(Id3v1Text(value));
            return;
    }
}

std::string Id3v1BlockWith(const Id3v1Record& read, const std::vector<ValueChange>& changes) {
    Id3v1Record v1 = read;  // the field images as read
    for (const ValueChange& change : changes) {
        SetId3v1Value(v1, change.field, change.after);
    }
    const auto block = v1.BuildBlock();
    return std::string(reinterpret_cast<const char*>(block.data()), block.size());
}

// A new ID3v2 tag for a file that has none: what its ID3v1 tag holds, with
// the changes.
TagEdit::Id3v2Builder NewTagBuilder(const Side& v1, const std::vector<ValueChange>& changes) {
    SongValues values = v1.values;
    for (const ValueChange& change : changes) {
        values[change.field] = change.after;
    }
    return [values](std::string_view, std::string& reason) {
        Id3v2Record tag(TagSupport::Full);
        tag.Reset();
        SetValues(tag, values);
        return tag.BuildTagBytes({}, reason);
    };
}

// The file's own ID3v2 tag with the changed frames alone replaced.
TagEdit::Id3v2Builder ChangedTagBuilder(const std::vector<ValueChange>& changes) {
    return [changes](std::string_view oldTag, std::string& reason) {
        Id3v2Record tag(TagSupport::Full);
        tag.Reset();
        for (const ValueChange& change : changes) {
            SetValue(tag, change.field, change.after);
        }
        return tag.BuildTagBytes(oldTag, reason);
    };
}

}  // namespace

std::vector<ValueChange> PlanChanges(const FileTags& tags, const TableRow& row) {
    const Side v1 = Id3v1Side(tags.id3v1);
    const Side v2 = Id3v2Side(tags);
    std::vector<ValueChange> changes;
    for (SongField field : kTableFields) {
        const bool clears = RowClearsValue(row, field);
        if (!clears && !RowHoldsValue(row, field)) {
            continue;
        }
        const std::string before = FileValue(v1, v2, field);
        const std::string after = TrimWhiteSpace(row.values[field]);
        if (SameValue(field, before, after)) {
            continue;
        }
        changes.push_back({field, before, after, row.sources[field]});
    }
    return changes;
}

TagEdit CleanEdit(const FileTags& tags, const std::vector<ValueChange>& changes) {
    TagEdit edit;
    if (changes.empty()) {
        return edit;
    }
    const Side v1 = Id3v1Side(tags.id3v1);
    const Side v2 = Id3v2Side(tags);
    if (v2.there) {
        edit.id3v2 = ChangedTagBuilder(changes);
    } else {
        bool needed = !v1.there;
        for (const ValueChange& change : changes) {
            needed = needed || !FitsId3v1(change.field, change.after);
        }
        if (needed) {
            edit.id3v2 = NewTagBuilder(v1, changes);
        }
    }
    if (v1.there) {
        edit.id3v1 = Id3v1BlockWith(tags.id3v1, changes);
    }
    if (tags.stamp.size >= 0) {
        edit.readFrom = tags.stamp;
    }
    return edit;
}

}  // namespace tagnomen
