// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Id3v2Record: the values of one file's ID3v2 tag, the variable-length block
// at the very start of an MP3 file. Read values are UTF-8.
//
// With basic tag support, reading understands versions 2, 3 and 4 as far as
// ISO-8859-1 text frames go: it walks the frames, keeps at most 250 bytes of
// each of the sixteen frames of the frame id table (larger frames are
// skipped), and turns them into twelve values. Writing builds a version 3 tag
// holding only the values to write (Reset, the setters, WriteTag): in place
// when the old tag is large enough and at most 4096 bytes long, else with a
// tag of at least 512 bytes.
//
// With full tag support, reading also takes UTF-16 and UTF-8 frames,
// version 4 sizes as other taggers write them, extended headers and
// unsynchronisation; writing keeps the tag's version and every frame it does
// not set, byte for byte, and writes in place whenever the new tag fits.
//
// Either way a write replaces the old tag only when its end is known, and
// goes through ApplyTagEdit (tags/TagEdit.h), which changes the file in one
// atomic step.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tags/FrameBlock.h"
#include "tags/TagSupport.h"

namespace tagnomen {

class TagFile;

class Id3v2Record {
  public:
    static constexpr int kInPlaceLimit = 4096;    // largest old tag overwritten in place
    static constexpr int kRebuiltTagBytes = 512;  // room of a tag written by a rebuild
    static constexpr int kLowestVersion = 2;
    static constexpr int kWrittenVersion = 3;
    static constexpr int kHighestVersion = 4;

    explicit Id3v2Record(TagSupport support = TagSupport::Basic);
    TagSupport Support() const { return support_; }

    // tagPresent, majorVersion and tagSize 0; the values to write emptied,
    // track to write 0 (with full support: nothing set, every frame kept).
    // The read values are left as they are.
    void Reset();

    // Reads the tag. 0 when the file's first 10 bytes cannot be read, else 1;
    // the values mean something only when the result is 1 and tagPresent 1.
    int ReadTag(const std::string& path);
    int ReadTag(const TagFile& file);

    // The file's first 10 bytes into block.header and its length into
    // block.fileLength; 1 when 10 bytes were read, else 0.
    static int ReadHeader(const std::string& path, FrameBlock& block);
    static int ReadHeader(const TagFile& file, FrameBlock& block);

    // Whole length of the tag described by block.header: the 28-bit size,
    // plus 10 for the header, plus 10 when the footer flag (0x10) is set;
    // 0 when that is more than block.fileLength.
    static int TagSize(const FrameBlock& block);

    // Setters of the values to write, from UTF-8 text: white space removed at
    // both ends, cut to 250 characters; with basic support converted to
    // ISO-8859-1 ("?" for characters it lacks). With full support a value set
    // replaces its frame (an empty one removes it) and a value not set keeps
    // its frame as it is.
    void SetTitle(const std::string& text);
    void SetArtist(const std::string& text);
    void SetAlbum(const std::string& text);
    void SetYear(const std::string& text);
    void SetGenre(const std::string& text);  // normally the decimal genre number
    void SetComment(const std::string& text);
    void SetComposer(const std::string& text);
    void SetEncodedBy(const std::string& text);
    void SetRightsNotice(const std::string& text);
    void SetLanguage(const std::string& text);
    void SetUrl(const std::string& text);
    // The decimal number at the start of the trimmed text; 0 when there is
    // none or it lies outside 0..99.
    void SetTrack(const std::string& text);

    // Full support: the frames a write keeps besides those it sets (the tag
    // cleaner keeps pictures and lyrics only). Without a call every frame is
    // kept.
    void KeepOnlyFrames(std::vector<std::string> ids);

    // Writes the tag: basic support a version 3 tag holding exactly the
    // values to write, full support the old tag with the values set. 1 on
    // success, 0 on failure (failureReason says why; the file is unchanged).
    int WriteTag(const std::string& path);

    // The new tag built from the old tag's bytes (empty when the file has
    // none); nothing, with the reason, when the old tag cannot be read as a
    // whole or the new one cannot be built.
    std::optional<std::string> BuildTagBytes(std::string_view oldTag, std::string& reason) const;

    // Replaces the file's ID3v2 tag by `data`, or removes it when `data` is
    // null (0 when it has none). 1 on success, 0 on failure.
    static int RewriteFile(const std::string& path, const unsigned char* data, std::size_t length);

    // Steps of WriteTag, public for the tests and the tag tools.
    // Zeroes the slots and fills rows 0 to 11 from the values to write.
    void FillSlots(FrameBlock& block) const;
    // Decides in place or rebuild from the old header in block.header, sets
    // block.rewrite, block.padding and the new header; returns the length of
    // header and frames without padding.
    int PlanLayout(FrameBlock& block) const;
    // The tag's bytes: header, frames in row order, padding.
    static std::vector<unsigned char> BuildTag(const FrameBlock& block, int total);
    // Length of the data a slot gives its frame after the encoding byte, or
    // -1 when the slot gives no frame.
    static int FrameDataLength(const ValueSlot& slot);

    // The values to write (UTF-8), by frame id table row 0..11; and the track.
    std::string ValueToWrite(int row) const;
    int TrackToWrite() const { return trackToWrite_; }

    // What the last read found.
    int tagPresent = 0;    // 1 when the file begins with "ID3"
    int majorVersion = 0;  // header byte 3
    int tagSize = 0;       // whole tag length; 0 when it claims more than the file has
    // Read values, UTF-8, at most 248 characters each.
    std::string title;
    std::string artist;
    std::string album;
    int track = 0;  // 0 to 99
    std::string year;
    std::string genre;  // the genre text, e.g. "17" for a "(17)" frame
    std::string comment;
    std::string composer;
    std::string encodedBy;
    std::string rightsNotice;
    std::string language;
    std::string url;

    // Full support only. Every frame of the tag, in order (version 2 ids as
    // they stand), the encoding of the frame each value came from (empty for
    // none), and the number of pictures.
    std::vector<std::string> frameIds;
    std::array<std::string, kWrittenFrameRows> valueEncodings{};
    int pictureCount = 0;

    // Why the last WriteTag failed.
    std::string failureReason;

  private:
    int ReadBasic(const TagFile& file);
    int ReadFull(const TagFile& file);
    void ClearReadValues();
    void DecodeSlots(FrameBlock& block);
    void SetValue(int row, const std::string& text);
    std::optional<std::string> BuildBasicTag(std::string_view oldTag) const;
    std::optional<std::string> BuildFullTag(std::string_view oldTag, std::string& reason) const;

    TagSupport support_;
    // Values to write as ISO-8859-1 bytes, by frame id table row (the track
    // row is unused: the track is a number).
    std::string toWrite_[kWrittenFrameRows];
    int trackToWrite_ = 0;
    // Full support: the values set (UTF-8), by row; the track as its number
    // in decimal, empty for none.
    std::array<std::optional<std::string>, kWrittenFrameRows> changes_{};
    std::optional<std::vector<std::string>> keptIds_;
};

}  // namespace tagnomen
