#pragma once
// Id3v2Record: the values of one file's ID3v2 tag, the variable-length block
// at the very start of an MP3 file.
//
// Reading understands versions 2, 3 and 4 as far as ISO-8859-1 text frames
// go: it walks the frames, keeps at most 250 bytes of each of the sixteen
// frames of the frame id table (larger frames are skipped), and turns them
// into twelve values. Read values are UTF-8.
//
// Writing always builds a version 3 tag from the values to write (Reset, the
// setters, WriteTag): in place when the old tag is large enough and at most
// 4096 bytes long, else the file is rebuilt with a tag of at least 512 bytes
// through "<name>.tmp", which is renamed over the file in one step.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tags/FrameBlock.h"

namespace tagnomen {

class TagFile;

class Id3v2Record {
  public:
    static constexpr int inPlaceLimit = 4096;    // largest old tag overwritten in place
    static constexpr int rebuiltTagBytes = 512;  // room of a tag written by a rebuild
    static constexpr int lowestVersion = 2;
    static constexpr int writtenVersion = 3;
    static constexpr int highestVersion = 4;
    static constexpr int frameIdCount = kFrameIdCount;

    Id3v2Record();

    // tagPresent, majorVersion and tagSize 0; the values to write emptied,
    // track to write 0. The read values are left as they are.
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

    // Setters of the values to write, from UTF-8 text: converted to
    // ISO-8859-1 ("?" for characters it lacks), white space removed at both
    // ends, cut to 250 characters.
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

    // Writes a version 3 tag holding exactly the values to write, replacing
    // any ID3v2 tag the file had. 1 on success, 0 on failure.
    int WriteTag(const std::string& path);

    // Rebuilds the file with `data` in place of its ID3v2 tag, or without its
    // ID3v2 tag when `data` is null (0 when it has none). Goes through
    // "<path>.tmp", created exclusively, synced and renamed over the file; the
    // temporary file never outlives a failure. 1 on success, 0 on failure.
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

  private:
    void DecodeSlots(FrameBlock& block);
    void SetValue(int row, const std::string& text);

    // Values to write as ISO-8859-1 bytes, by frame id table row (the track
    // row is unused: the track is a number).
    std::string toWrite_[kWrittenFrameRows];
    int trackToWrite_ = 0;
};

}  // namespace tagnomen
