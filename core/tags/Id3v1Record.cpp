#include "tags/Id3v1Record.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Text.h"
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

// A field as read: empty unless its first byte passes the value start rule;
// else the bytes up to the first NUL, at most `width`, trailing white space
// removed. Returned as ISO-8859-1 bytes.
std::string FieldText(const unsigned char* field, std::size_t width) {
    if (!IsValueStartByte(field[0])) {
        return {};
    }
    const auto* end = std::find(field, field + width, 0);
    return TrimRight(std::string_view(reinterpret_cast<const char*>(field),
                                      static_cast<std::size_t>(end - field)));
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

Id3v1Record::Id3v1Record() {
    Reset();
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
    genre = defaultGenre;
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
    const bool v11 =
        (marker == 0x00 && trackValue != 0x00) || (marker == 0x20 && trackValue != 0x20);
    version = v11 ? 2 : 1;

    const std::string titleBytes = FieldText(block + kTitleOffset, 30);
    const std::string artistBytes = FieldText(block + kArtistOffset, 30);
    const std::string albumBytes = FieldText(block + kAlbumOffset, 30);
    const std::string yearBytes = FieldText(block + kYearOffset, 4);
    const std::string commentBytes = FieldText(block + kCommentOffset, v11 ? 29 : 30);

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
    std::int64_t length = 0;
    {
        const TagFile file(path);
        if (!ReadLastBlock(file, block) || !StartsWithTag(block)) {
            return 1;
        }
        length = file.Length();
    }
    tagio::MakeWritable(path);
    const int fd = tagio::OpenForUpdate(path);
    if (fd < 0) {
        return 0;
    }
    const bool shortened = ::ftruncate(fd, static_cast<off_t>(length - kTagBytes)) == 0;
    tagio::CloseQuietly(fd);
    return shortened ? 1 : 0;
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
    tagio::MakeWritable(path);
    const int fd = tagio::OpenForUpdate(path);
    if (fd < 0) {
        return 0;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        tagio::CloseQuietly(fd);
        return 0;
    }
    const auto length = static_cast<std::int64_t>(info.st_size);
    // An existing tag is overwritten where it stands, so a failed write never
    // leaves the file without one; only a file without a tag grows.
    std::int64_t offset = length;
    if (length >= kTagBytes) {
        unsigned char old[3] = {0, 0, 0};
        if (::pread(fd, old, sizeof old, static_cast<off_t>(length - kTagBytes)) ==
                static_cast<ssize_t>(sizeof old) &&
            StartsWithTag(old)) {
            offset = length - kTagBytes;
        }
    }
    const bool written = tagio::WriteAllAt(fd, block.data(), block.size(), offset);
    if (!written && offset == length) {
        // A partly appended block would read as garbage at the file's end.
        [[maybe_unused]] const int ignored = ::ftruncate(fd, static_cast<off_t>(length));
    }
    tagio::CloseQuietly(fd);
    return written ? 1 : 0;
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
