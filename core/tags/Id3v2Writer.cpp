// Writing of ID3v2 tags: slots from the values to write, the layout decision,
// the tag's bytes, and the in-place write or the rebuild of the whole file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Text.h"
#include "tags/Id3v2Record.h"
#include "tags/TagFile.h"
#include "tags/ValueStartRule.h"

namespace tagnomen {

namespace {

// A slot's contents with their final NUL fit in 250 bytes: 249 bytes of text.
constexpr std::size_t kSlotTextBytes = kSlotBytes - 1;
constexpr std::size_t kCopyBlockBytes = 64 * 1024;

void PutSlot(ValueSlot& slot, const std::string& bytes) {
    const std::size_t length = std::min(bytes.size(), kSlotTextBytes);
    std::memcpy(slot.data(), bytes.data(), length);
}

std::size_t SlotLength(const ValueSlot& slot, std::size_t start) {
    const auto* begin = slot.data() + start;
    return static_cast<std::size_t>(std::find(begin, slot.data() + slot.size(), 0) - begin);
}

// Directory part of a path, for syncing the rename; "." for a bare name.
std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Copies from `source` at `offset` to the end of the file onto `target`.
bool CopyRest(int source, std::int64_t offset, int target) {
    std::vector<unsigned char> buffer(kCopyBlockBytes);
    for (;;) {
        const ssize_t got =
            ::pread(source, buffer.data(), buffer.size(), static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!tagio::WriteAll(target, buffer.data(), static_cast<std::size_t>(got))) {
            return false;
        }
        offset += got;
    }
}

}  // namespace

void Id3v2Record::FillSlots(FrameBlock& block) const {
    for (ValueSlot& slot : block.slots) {
        slot.fill(0);
    }
    for (const int row : {kTitleRow, kArtistRow, kAlbumRow, kYearRow, kComposerRow, kEncodedByRow,
                          kRightsNoticeRow, kLanguageRow}) {
        PutSlot(block.slots[static_cast<std::size_t>(row)], toWrite_[row]);
    }
    if (trackToWrite_ > 0) {
        PutSlot(block.slots[kTrackRow], std::to_string(trackToWrite_));
    }
    if (!toWrite_[kGenreRow].empty()) {
        const std::string& genreText = toWrite_[kGenreRow];
        PutSlot(block.slots[kGenreRow],
                "(" + genreText.substr(0, std::min(genreText.size(), kSlotTextBytes - 2)) + ")");
    }
    if (!toWrite_[kCommentRow].empty()) {
        // Language "eng", an empty description, then the text.
        PutSlot(block.slots[kCommentRow], std::string("eng\0", 4) + toWrite_[kCommentRow]);
    }
    if (!toWrite_[kUrlRow].empty()) {
        // An empty description, then the link.
        PutSlot(block.slots[kUrlRow], std::string(1, '\0') + toWrite_[kUrlRow]);
    }
}

int Id3v2Record::FrameDataLength(const ValueSlot& slot) {
    if (slot[0] == 0 && slot[1] == 0) {
        return -1;
    }
    // First part: counted only when it passes the value start rule. Second
    // part: starts after the first part's NUL (or at the second byte) and is
    // counted with that NUL when it passes the rule. Nothing past the slot.
    const std::size_t first = IsValueStartByte(slot[0]) ? SlotLength(slot, 0) : 0;
    const std::size_t secondStart = first + 1;
    std::size_t second = 0;
    if (secondStart < slot.size() && IsValueStartByte(slot[secondStart])) {
        second = SlotLength(slot, secondStart) + 1;
    }
    return static_cast<int>(first + second);
}

int Id3v2Record::PlanLayout(FrameBlock& block) const {
    int total = kId3v2HeaderBytes;
    for (const ValueSlot& slot : block.slots) {
        const int length = FrameDataLength(slot);
        if (length >= 0) {
            total += 10 + length + 1;
        }
    }
    const int old = TagSize(block);
    const bool hadTag = block.HasId3Header();
    block.rewrite = !(hadTag && old >= total && old <= inPlaceLimit);
    if (!block.rewrite) {
        block.padding = old - total;
    } else {
        block.padding = total >= rebuiltTagBytes ? 0 : rebuiltTagBytes - total;
    }
    const int size = total + block.padding - kId3v2HeaderBytes;
    block.header = {'I',
                    'D',
                    '3',
                    static_cast<unsigned char>(writtenVersion),
                    0,
                    0,
                    static_cast<unsigned char>((size >> 21) & 0x7F),
                    static_cast<unsigned char>((size >> 14) & 0x7F),
                    static_cast<unsigned char>((size >> 7) & 0x7F),
                    static_cast<unsigned char>(size & 0x7F)};
    return total;
}

std::vector<unsigned char> Id3v2Record::BuildTag(const FrameBlock& block, int total) {
    std::vector<unsigned char> tag(static_cast<std::size_t>(total + block.padding), 0);
    std::memcpy(tag.data(), block.header.data(), block.header.size());
    std::size_t at = kId3v2HeaderBytes;
    for (int row = 0; row < kFrameIdCount; ++row) {
        const ValueSlot& slot = block.slots[static_cast<std::size_t>(row)];
        const int length = FrameDataLength(slot);
        if (length < 0) {
            continue;
        }
        const std::string_view id = kFrameIdTable[static_cast<std::size_t>(row)].id4;
        const auto size = static_cast<std::uint32_t>(length + 1);
        std::memcpy(tag.data() + at, id.data(), 4);
        tag[at + 4] = static_cast<unsigned char>(size >> 24);
        tag[at + 5] = static_cast<unsigned char>(size >> 16);
        tag[at + 6] = static_cast<unsigned char>(size >> 8);
        tag[at + 7] = static_cast<unsigned char>(size);
        // Flags 0x00 0x00 and the encoding byte 0x00 are already zero.
        std::memcpy(tag.data() + at + 11, slot.data(), static_cast<std::size_t>(length));
        at += 10 + size;
    }
    return tag;
}

int Id3v2Record::WriteTag(const std::string& path) {
    FrameBlock block;
    // When the file cannot be read the header stays zero and the rebuild
    // below fails on it.
    ReadHeader(path, block);
    FillSlots(block);
    const int total = PlanLayout(block);
    const std::vector<unsigned char> tag = BuildTag(block, total);
    if (block.rewrite) {
        return RewriteFile(path, tag.data(), tag.size());
    }
    // In place: exactly the old tag's bytes are replaced.
    tagio::MakeWritable(path);
    const int fd = tagio::OpenForUpdate(path);
    if (fd < 0) {
        return 0;
    }
    const bool written = tagio::WriteAllAt(fd, tag.data(), tag.size(), 0);
    const bool closed = ::close(fd) == 0;
    return written && closed ? 1 : 0;
}

int Id3v2Record::RewriteFile(const std::string& path, const unsigned char* data,
                             std::size_t length) {
    tagio::MakeWritable(path);
    const int source = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source < 0) {
        return 0;
    }
    struct stat info {};
    FrameBlock block;
    if (::fstat(source, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::pread(source, block.header.data(), block.header.size(), 0) !=
            static_cast<ssize_t>(block.header.size())) {
        ::close(source);
        return 0;
    }
    block.fileLength = static_cast<std::int64_t>(info.st_size);
    const bool hadTag = block.HasId3Header();
    if (data == nullptr && !hadTag) {
        ::close(source);
        return 0;  // nothing to remove; the file is not touched
    }

    const std::string temporary = path + ".tmp";
    const mode_t mode = (info.st_mode & 07777) | S_IWUSR;
    const int target = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (target < 0) {
        ::close(source);
        return 0;  // a leftover "<name>.tmp" is not ours to remove
    }
    bool ok = ::fchmod(target, mode) == 0;  // the umask must not narrow the file's permissions
    const std::int64_t skip = hadTag ? TagSize(block) : 0;
    if (ok && data != nullptr) {
        ok = tagio::WriteAll(target, data, length);
    }
    ok = ok && CopyRest(source, skip, target);
    ok = ok && ::fsync(target) == 0;
    ok = (::close(target) == 0) && ok;
    ::close(source);
    // The new contents take the file's name in one step: there is no moment
    // at which the file is missing.
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    const int directory = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);  // best effort: make the rename itself durable
        ::close(directory);
    }
    return 1;
}

}  // namespace tagnomen
