// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v1Record.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Text.h"
#include "tags/TagEdit.h"
#include "tags/TagFile.h"
#include "tags/ValueStartRule.h"

namespace tagnomen {

namespace {

constexpr std::size_t kTitleOffset = 3;
constexpr std::size_t kArtistOffset = 33;
constexpr std::size_t kAlbumOffset = 63;
constexpr std::size_t kYearOffset = 93;
constexpr std::size_t kCommentOffset = 97;
constexpr std::size_t kMarkerOffset = 125;
constexpr std::size_t kTrackOffset = 126;
constexpr std::size_t kGenreOffset = 127;

bool StartsWithTag(const unsigned char* block) {
    return block[0] == 'T' && block[1] == 'A' && block[2] == 'G';
}

// A printable ISO-8859-1 character: no blank, no control character.
bool IsPrintableLatin1(unsigned char byte) {
    return byte > 0x20 && !(byte >= 0x7F && byte <= 0xA0);
}

template <std::size_t N>
void FillImage(std::array<unsigned char, N>& image, const std::string& latin1,
               unsigned char padding) {
    const std::size_t length = std::min(latin1.size(), N);
    std::memcpy(image.data(), latin1.data(), length);
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(length), image.end(), padding);
}

// Cut to the width, then remove trailing white space (title, artist, album,
// comment); the width counts ISO-8859-1 bytes, one per character.
std::string CutThenTrim(const std::string& utf8, std::size_t width) {
    const std::string latin1 = Utf8ToLatin1(utf8);
    return TrimRight(std::string_view(latin1).substr(0, std::min(latin1.size(), width)));
}

// Reads the last 128 bytes into `block`; false when there are not 128 bytes.
bool ReadLastBlock(const TagFile& file, unsigned char* block) {
    if (!file.IsOpen() || file.Length() < Id3v1Record::kTagBytes) {
        return false;
    }
    return file.ReadAt(file.Length() - Id3v1Record::kTagBytes, block, Id3v1Record::kTagBytes) ==
           static_cast<std::size_t>(Id3v1Record::kTagBytes);
}

}  // namespace

Id3v1Record::Id3v1Record(TagSupport support) : support_(support) {
    Reset();
}

// A field as read: empty unless its first byte starts a value; else the
// bytes up to the first NUL, at most `width`, trailing white space removed.
// Returned as ISO-8859-1 bytes.
std::string Id3v1Record::FieldText(const unsigned char* field, std::size_t width) const {
    const bool starts =
        support_ == TagSupport::Full ? IsPrintableLatin1(field[0]) : IsValueStartByte(field[0]);
    if (!starts) {
        return {};
    }
    const auto* end = std::find(field, field + width, 0);
    return TrimRight(std::string_view(reinterpret_cast<const char*>(field),
                                      static_cast<std::size_t>(end - field)));
}

void Id3v1Record::Reset() {
    tagPresent = 0;
    version = 1;
    title.clear();
    artist.clear();
    album.clear();
    year.clear();
    comment.clear();
    track = 0;
    genre = kNoGenre;
}

int Id3v1Record::ReadTag(const std::string& path) {
    const TagFile file(path);
    return ReadTag(file);
}

int Id3v1Record::ReadTag(const TagFile& file) {
    Reset();
    unsigned char block[kTagBytes];
    if (ReadLastBlock(file, block) && StartsWithTag(block)) {
        ReadBlock(block);
    }
    return 1;
}

void Id3v1Record::ReadBlock(const unsigned char* block) {
    tagPresent = 1;
    const unsigned char marker = block[kMarkerOffset];
    const unsigned char trackValue = block[kTrackOffset];
    // The old rule also took a blank at byte 125 as the marker, which turns
    // a 30-character comment with a blank as its 29th character into a track.
    const bool v11 = (marker == 0x00 && trackValue != 0x00) ||
                     (support_ == TagSupport::Basic && marker == 0x20 && trackValue != 0x20);
    version = v11 ? 2 : 1;
    const std::size_t commentWidth = !v11 ? 30 : support_ == TagSupport::Full ? 28 : 29;

    const std::string titleBytes = FieldText(block + kTitleOffset, 30);
    const std::string artistBytes = FieldText(block + kArtistOffset, 30);
    const std::string albumBytes = FieldText(block + kAlbumOffset, 30);
    const std::string yearBytes = FieldText(block + kYearOffset, 4);
    const std::string commentBytes = FieldText(block + kCommentOffset, commentWidth);

    FillImage(titleImage, titleBytes, 0);
    FillImage(artistImage, artistBytes, 0);
    FillImage(albumImage, albumBytes, 0);
    FillImage(yearImage, yearBytes, 0);
    FillImage(commentImage, commentBytes, 0);

    title = Latin1ToUtf8(titleBytes);
    artist = Latin1ToUtf8(artistBytes);
    album = Latin1ToUtf8(albumBytes);
    year = Latin1ToUtf8(yearBytes);
    comment = Latin1ToUtf8(commentBytes);

    track = v11 && trackValue <= 99 ? trackValue : 0;
    genre = block[kGenreOffset];
    trackByte = static_cast<std::uint8_t>(track);
    genreByte = static_cast<std::uint8_t>(genre);
}

int Id3v1Record::StripTag(const std::string& path) {
    unsigned char block[kTagBytes];
    if (const TagFile file(path); !ReadLastBlock(file, block) || !StartsWithTag(block)) {
        return 1;  // nothing to cut
    }
    TagEdit edit;
    edit.id3v1 = std::string();
    failureReason.clear();
    return ApplyTagEdit(path, edit, failureReason) ? 1 : 0;
}

std::array<unsigned char, Id3v1Record::kTagBytes> Id3v1Record::BuildBlock() const {
    std::array<unsigned char, kTagBytes> block{};
    block[0] = 'T';
    block[1] = 'A';
    block[2] = 'G';
    std::memcpy(block.data() + kTitleOffset, titleImage.data(), titleImage.size());
    std::memcpy(block.data() + kArtistOffset, artistImage.data(), artistImage.size());
    std::memcpy(block.data() + kAlbumOffset, albumImage.data(), albumImage.size());
    std::memcpy(block.data() + kYearOffset, yearImage.data(), yearImage.size());
    std::memcpy(block.data() + kCommentOffset, commentImage.data(), commentImage.size());
    if (trackByte != 0) {
        block[kMarkerOffset] = 0x00;
        block[kTrackOffset] = trackByte;
    }
    block[kGenreOffset] = genreByte;
    return block;
}

int Id3v1Record::WriteTag(const std::string& path) {
    const std::array<unsigned char, kTagBytes> block = BuildBlock();
    // An existing tag is overwritten where it stands; only a file without a
    // tag grows.
    TagEdit edit;
    edit.id3v1 = std::string(reinterpret_cast<const char*>(block.data()), block.size());
    failureReason.clear();
    return ApplyTagEdit(path, edit, failureReason) ? 1 : 0;
}

void Id3v1Record::SetTitle(const std::string& text) {
    FillImage(titleImage, CutThenTrim(text, 30), ' ');
}

void Id3v1Record::SetArtist(const std::string& text) {
    FillImage(artistImage, CutThenTrim(text, 30), ' ');
}

void Id3v1Record::SetAlbum(const std::string& text) {
    FillImage(albumImage, CutThenTrim(text, 30), 0);
}

void Id3v1Record::SetComment(const std::string& text) {
    FillImage(commentImage, CutThenTrim(text, 30), 0);
}

void Id3v1Record::SetYear(const std::string& text) {
    const std::string latin1 = TrimRight(Utf8ToLatin1(text));
    FillImage(yearImage, latin1.substr(0, std::min<std::size_t>(latin1.size(), 4)), 0);
}

}  // namespace tagnomen
