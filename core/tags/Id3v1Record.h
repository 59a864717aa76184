// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Id3v1Record: the values of one file's ID3v1 tag, the fixed 128-byte block at
// the very end of an MP3 file ("TAG", title 30, artist 30, album 30, year 4,
// comment 30 or 28 + 0x00 + track, genre byte).
//
// A record is built afresh for one file and one read or write. Reading fills
// the read fields (UTF-8 text, converted from the ISO-8859-1 bytes on disk
// after the byte rules were applied) and the field images. Writing takes the
// field images: call Reset, the five setters, set trackByte and genreByte,
// then WriteTag.
#include <array>
#include <cstdint>
#include <string>

#include "tags/GenreTable.h"
#include "tags/TagSupport.h"

namespace tagnomen {

class TagFile;

class Id3v1Record {
  public:
    static constexpr int kTagBytes = 128;

    // Basic support reads by the rules of old (a text counts when its first
    // byte lies between 0x21 and 0xAF; byte 125 as a blank also marks
    // ID3v1.1); full support by the common ones (any printable first
    // character; ID3v1.1 when byte 125 is 0 and byte 126 is not).
    explicit Id3v1Record(TagSupport support = TagSupport::Basic);

    // tagPresent 0, version 1, read texts empty, track 0, genre 255. The
    // field images and the two bytes to write are left as they are.
    void Reset();

    // Reads the file's last 128 bytes. Always 1: a missing, unreadable or
    // short file reads as having no tag (tagPresent 0).
    int ReadTag(const std::string& path);
    int ReadTag(const TagFile& file);

    // Cuts an existing ID3v1 tag off the file. 1 on success (also when there
    // is none); 0 when a tag is there but the file cannot be shortened.
    int StripTag(const std::string& path);

    // Writes the block built from the images: over the old tag in place when
    // the file has one, else appended. 1 when all 128 bytes were written;
    // 0 otherwise (failureReason says why; the file is unchanged).
    int WriteTag(const std::string& path);

    // Each fills exactly its own field image from UTF-8 text: converted to
    // ISO-8859-1 ("?" for characters it lacks), cut to the field's width in
    // characters, trailing white space removed (for the year: removed first,
    // then cut), then padded: blanks for title and artist, NUL bytes for
    // album, year and comment. Leading white space stays.
    void SetTitle(const std::string& text);
    void SetArtist(const std::string& text);
    void SetAlbum(const std::string& text);
    void SetYear(const std::string& text);
    void SetComment(const std::string& text);

    // The name of a genre number; empty outside 0..147.
    static std::string GenreName(int number) { return tagnomen::GenreName(number); }

    // The 128-byte block WriteTag puts on disk for the current images.
    std::array<unsigned char, kTagBytes> BuildBlock() const;

    // Field images: the bytes (ISO-8859-1) exactly as they go into the tag.
    std::array<unsigned char, 30> titleImage{};
    std::array<unsigned char, 30> artistImage{};
    std::array<unsigned char, 30> albumImage{};
    std::array<unsigned char, 4> yearImage{};
    std::array<unsigned char, 30> commentImage{};
    std::uint8_t trackByte = 0;    // 0 = none; non-zero writes an ID3v1.1 tag
    std::uint8_t genreByte = 255;  // 255 = none

    // What the last read found.
    int tagPresent = 0;    // 1 when the file ends with an ID3v1 tag
    int version = 1;       // 1 = ID3v1.0, 2 = ID3v1.1 (track in the comment field)
    std::string title;     // UTF-8, at most 30 characters
    std::string artist;    // UTF-8, at most 30 characters
    std::string album;     // UTF-8, at most 30 characters
    std::string year;      // UTF-8, at most 4 characters
    std::string comment;   // UTF-8, at most 30 (ID3v1.0) or 29 (ID3v1.1) characters
    int track = 0;         // 0 to 99; 0 = none
    int genre = kNoGenre;  // 0 to 255; 255 = none

    // Why the last StripTag or WriteTag failed.
    std::string failureReason;

  private:
    void ReadBlock(const unsigned char* block);
    std::string FieldText(const unsigned char* field, std::size_t width) const;

    TagSupport support_;
};

}  // namespace tagnomen
