// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FileInfoEditorModel.h"

#include "platform/Text.h"
#include "platform/Ui.h"
#include "tags/GenreTable.h"

namespace tagnomen {

namespace {

constexpr std::size_t kTextLimit = 250;
constexpr std::size_t kYearLimit = 4;
constexpr std::size_t kTrackLimit = 2;
// The genre number that stands for none.
constexpr const char* kNoGenreNumber = "255";

std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

}  // namespace

FileInfoEditorModel::FileInfoEditorModel(Ui& ui, EditorMode mode, std::string tagLabel,
                                         std::string shownName, SongValues values)
    : ui_(ui),
      mode_(mode),
      tagLabel_(std::move(tagLabel)),
      shownName_(std::move(shownName)),
      given_(std::move(values)) {
    Edit(Field::Title) = given_.title;
    Edit(Field::Artist) = given_.artist;
    Edit(Field::Album) = given_.album;
    Edit(Field::Year) = given_.year;
    if (LeadingInteger(given_.track) >= 1) {
        Edit(Field::Track) = given_.track;
    }
    if (mode_ == EditorMode::Tag) {
        Edit(Field::Comment) = given_.comment;
    }
    for (int field = 0; field < kFieldCount; ++field) {
        openedLength_[field] = Utf8Length(texts_[field]);
    }

    // Genre 0 ("Blues") counts as no genre chosen.
    const int genre = LeadingInteger(given_.genre);
    if (genre > 0 && genre < static_cast<int>(GenreCount())) {
        genre_ = genre;
    }
}

const char* FileInfoEditorModel::Title() const {
    return mode_ == EditorMode::Tag ? "ID3 TAG Editor" : "File Information Editor";
}

std::size_t FileInfoEditorModel::Limit(Field field) {
    switch (field) {
        case Field::Year:
            return kYearLimit;
        case Field::Track:
            return kTrackLimit;
        default:
            return kTextLimit;
    }
}

bool FileInfoEditorModel::DigitsOnly(Field field) {
    return field == Field::Year || field == Field::Track;
}

std::size_t FileInfoEditorModel::MaxLength(Field field) const {
    const std::size_t limit = Limit(field);
    const std::size_t opened = openedLength_[static_cast<int>(field)];
    return opened > limit ? opened : limit;
}

void FileInfoEditorModel::SetText(Field field, const std::string& text) {
    if (field == Field::Comment && !ShowsComment()) {
        return;
    }
    std::string typed = DigitsOnly(field) ? DigitsOf(text) : text;
    const std::size_t most = MaxLength(field);
    if (Utf8Length(typed) > most) {
        typed = Utf8Left(typed, most);
    }
    Edit(field) = std::move(typed);
    untaken_[static_cast<int>(field)] = false;
}

void FileInfoEditorModel::EnterText(Field field, const std::string& text) {
    SetText(field, text);
    untaken_[static_cast<int>(field)] =
        (field != Field::Comment || ShowsComment()) && Text(field) != text;
}

std::size_t FileInfoEditorModel::GenreCount() {
    return GenreTable().size();
}

std::string FileInfoEditorModel::GenreEntry(int position) {
    return GenreName(position);
}

void FileInfoEditorModel::SelectGenre(int position) {
    genre_ = position >= 0 && position < static_cast<int>(GenreCount()) ? position : kNoGenre;
    genreUntaken_ = false;
}

int FileInfoEditorModel::GenreNamed(const std::string& name) {
    for (std::size_t i = 0; i < GenreCount(); ++i) {
        if (EqualsIgnoreAsciiCase(GenreEntry(static_cast<int>(i)), name)) {
            return static_cast<int>(i);
        }
    }
    return kNoGenre;
}

void FileInfoEditorModel::EnterGenre(const std::string& text) {
    const bool number = !text.empty() && DigitsOf(text) == text;
    int position = kNoGenre;
    if (number && text.size() <= 3) {
        position = LeadingInteger(text);
    } else if (!number) {
        position = GenreNamed(text);
    }
    SelectGenre(position);
    const bool none = text.empty() || (number && position == LeadingInteger(kNoGenreNumber));
    genreUntaken_ = genre_ == kNoGenre && !none;
}

bool FileInfoEditorModel::RefuseUntakenValue() {
    // Top to bottom, as the person reads the dialog.
    constexpr Field kOrder[] = {Field::Title, Field::Artist, Field::Album,
                                Field::Year,  Field::Track,  Field::Comment};
    for (const Field field : kOrder) {
        if (!untaken_[static_cast<int>(field)]) {
            continue;
        }
        const std::size_t most = MaxLength(field);
        switch (field) {
            case Field::Year:
                ShowOk(ui_, "Error in Year", "Year value must be between 1900 and 2050.",
                       MessageIcon::None);
                break;
            case Field::Track:
                ShowOk(ui_, "Error in Track",
                       "Track value must be a number from 0 to " + std::string(most, '9') + ".",
                       MessageIcon::None);
                break;
            default: {
                const std::string name = field == Field::Title    ? "Title"
                                         : field == Field::Artist ? "Artist"
                                         : field == Field::Album  ? "Album"
                                                                  : "Comment";
                ShowOk(ui_, "Error in " + name,
                       name + " value must be at most " + std::to_string(most) + " characters.",
                       MessageIcon::None);
                break;
            }
        }
        return true;
    }
    if (genreUntaken_) {
        ShowOk(ui_, "Error in Genre",
               "Genre value must be the number of a genre (0 to " +
                   std::to_string(GenreCount() - 1) + ") or its name.",
               MessageIcon::None);
        return true;
    }
    return false;
}

bool FileInfoEditorModel::Accept() {
    if (RefuseUntakenValue()) {
        return false;
    }
    const std::string& year = Text(Field::Year);
    if (!year.empty()) {
        const int number = LeadingInteger(year);
        if (number < kLowestYear || number > kHighestYear) {
            ShowOk(ui_, "Error in Year", "Year value must be between 1900 and 2050.",
                   MessageIcon::None);
            return false;
        }
    }
    edited_.title = Text(Field::Title);
    edited_.artist = Text(Field::Artist);
    edited_.album = Text(Field::Album);
    edited_.year = Text(Field::Year);
    edited_.track = Text(Field::Track).empty() ? std::string("0") : Text(Field::Track);
    edited_.genre = genre_ == kNoGenre ? std::string(kNoGenreNumber) : std::to_string(genre_);
    edited_.comment = mode_ == EditorMode::Tag ? Text(Field::Comment) : given_.comment;
    accepted_ = true;
    return true;
}

}  // namespace tagnomen
