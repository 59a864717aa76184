// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagValues.h"

#include <cstdint>

#include "platform/Text.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"

namespace tagnomen {

namespace {

constexpr std::size_t kId3v1TextCharacters = 30;
constexpr std::size_t kId3v1CommentCharacters = 28;

// An ID3v1 byte holds the number modulo 256.
std::uint8_t Id3v1Byte(int number) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(number) & 0xFFu);
}

}  // namespace

bool FitsId3v1Widths(const SongValues& values) {
    return Utf8Length(values.title) <= kId3v1TextCharacters &&
           Utf8Length(values.artist) <= kId3v1TextCharacters &&
           Utf8Length(values.album) <= kId3v1TextCharacters &&
           Utf8Length(values.comment) <= kId3v1CommentCharacters;
}

bool TextsFitLatin1(const SongValues& values) {
    return FitsLatin1(values.title) && FitsLatin1(values.artist) && FitsLatin1(values.album) &&
           FitsLatin1(values.comment);
}

void SetValues(Id3v2Record& tag, const SongValues& values) {
    tag.SetTitle(values.title);
    tag.SetArtist(values.artist);
    tag.SetAlbum(values.album);
    tag.SetYear(values.year);
    tag.SetTrack(values.track);
    tag.SetGenre(values.genre);
    tag.SetComment(values.comment);
}

void SetValue(Id3v2Record& tag, SongField field, const std::string& value) {
    switch (field) {
        case SongField::Title:
            tag.SetTitle(value);
            return;
        case SongField::Artist:
            tag.SetArtist(value);
            return;
        case SongField::Album:
            tag.SetAlbum(value);
            return;
        case SongField::Year:
            tag.SetYear(value);
            return;
        case SongField::Track:
            tag.SetTrack(value);
            return;
        case SongField::Genre:
            tag.SetGenre(value);
            return;
        case SongField::Comment:
            tag.SetComment(value);
            return;
    }
}

void SetTexts(Id3v1Record& tag, const SongValues& values) {
    tag.SetTitle(values.title);
    tag.SetArtist(values.artist);
    tag.SetAlbum(values.album);
    tag.SetYear(values.year);
    tag.SetComment(values.comment);
}

std::string Id3v1BlockOf(const SongValues& values, int trackNumber, int genreNumber) {
    Id3v1Record tag;
    tag.Reset();
    SetTexts(tag, values);
    tag.trackByte = Id3v1Byte(trackNumber);
    tag.genreByte = Id3v1Byte(genreNumber);
    const auto block = tag.BuildBlock();
    return std::string(reinterpret_cast<const char*>(block.data()), block.size());
}

}  // namespace tagnomen
