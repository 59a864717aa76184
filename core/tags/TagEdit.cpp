// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagEdit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/FullIo.h"
#include "platform/Leftovers.h"
#include "tags/Id3v2FrameList.h"
#include "tags/Id3v2Header.h"
#include "tags/TagFile.h"

namespace tagnomen {

namespace {

constexpr std::int64_t kId3v1Bytes = 128;
constexpr std::size_t kCopyBlockBytes = 256 * 1024;
constexpr const char* kRebuildSuffix = ".tmp";

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

  private:
    int fd_;
};

// Owner permission bits the writer adds to open a file it may not open
// otherwise (a read-only file, mode 000) are taken away again afterwards.
class ModeGuard {
  public:
    ModeGuard(std::string path, const struct stat& info)
        : path_(std::move(path)), original_(info.st_mode & 07777), owner_(info.st_uid) {}
    ~ModeGuard() {
        if (changed_) {
            ::chmod(path_.c_str(), original_);
        }
    }
    ModeGuard(const ModeGuard&) = delete;
    ModeGuard& operator=(const ModeGuard&) = delete;

    // Opens the file (never through a link); on a refusal for missing owner
    // bits the bits are added for the open and restored later.
    int Open(int flags, mode_t neededBits) {
        const int fd = ::open(path_.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || errno != EACCES || ::geteuid() != owner_ ||
            (original_ & neededBits) == neededBits) {
            return fd;
        }
        if (::chmod(path_.c_str(), original_ | neededBits) != 0) {
            errno = EACCES;
            return -1;
        }
        changed_ = true;
        return ::open(path_.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    mode_t Original() const { return original_; }

  private:
    std::string path_;
    mode_t original_;
    uid_t owner_;
    bool changed_ = false;
};

bool ReadExactly(int fd, std::string& out, std::int64_t offset, std::size_t length) {
    out.resize(length);
    return ReadFullyAt(fd, out.data(), length, offset) == length;
}

// Where the two tag regions of the file lie now.
struct Layout {
    // Every ID3v2 tag at the start of the file, one after the other (some old
    // taggers add a tag in front of the one there was): all of it is the old
    // tag region. Empty when there is none.
    std::string region;
    std::size_t firstTagBytes = 0;  // the tag readers take, at the region's start
    std::int64_t tagEnd = 0;        // where the audio begins (0 without a tag)
    bool tagDelimited = true;       // false: an ID3v2 tag whose end is unknown
    std::string oldBlock;           // the ID3v1 block; empty when there is none

    std::string_view OldTag() const { return std::string_view(region).substr(0, firstTagBytes); }
};

// The length of the tag at `offset`, when it is one a writer may replace;
// nothing with the reason otherwise. `tag` receives its bytes.
std::optional<std::size_t> DelimitTag(int fd, std::int64_t length, std::int64_t offset,
                                      std::string& tag, std::string& why) {
    std::string head;
    if (!ReadExactly(fd, head, offset, Id3v2Header::kBytes)) {
        why = ErrorReason(errno);
        return std::nullopt;
    }
    std::optional<std::size_t> declared = Id3v2FrameList::DeclaredBytes(head, &why);
    if (declared && static_cast<std::int64_t>(*declared) > length - offset) {
        why = "ID3v2 tag size runs past the end of the file";
        declared.reset();
    }
    if (declared &&
        (!ReadExactly(fd, tag, offset, *declared) || !Id3v2FrameList::Parse(tag, &why))) {
        declared.reset();
    }
    return declared;
}

bool BeginsTagAt(int fd, std::int64_t length, std::int64_t offset) {
    std::string head;
    return length - offset >= static_cast<std::int64_t>(Id3v2Header::kBytes) &&
           ReadExactly(fd, head, offset, Id3v2Header::kBytes) &&
           Id3v2Header::BeginsTag(reinterpret_cast<const unsigned char*>(head.data()));
}

bool ReadLayout(int fd, std::int64_t length, bool tagWanted, Layout& layout, std::string& reason) {
    if (BeginsTagAt(fd, length, 0)) {
        std::string why;
        const std::optional<std::size_t> first = DelimitTag(fd, length, 0, layout.region, why);
        std::int64_t end = first ? static_cast<std::int64_t>(*first) : 0;
        // Stacked tags: the ones behind the first would come to light when
        // it is removed, so they go with it, and one that cannot be
        // delimited stops the writer like the first.
        std::string stacked;
        bool delimited = first.has_value();
        while (delimited && BeginsTagAt(fd, length, end)) {
            const std::optional<std::size_t> next = DelimitTag(fd, length, end, stacked, why);
            delimited = next.has_value();
            if (delimited) {
                layout.region += stacked;
                end += static_cast<std::int64_t>(*next);
            } else {
                why = "a second ID3v2 tag follows whose end is unknown: " + why;
            }
        }
        if (!delimited) {
            if (tagWanted) {
                reason = why.empty() ? ErrorReason(errno) : why;
                return false;
            }
            // Only the ID3v1 block changes: the unknown tag is left to the audio.
            layout.region.clear();
            layout.tagDelimited = false;
        } else {
            layout.firstTagBytes = *first;
            layout.tagEnd = end;
        }
    }
    std::string block;
    if (length - kId3v1Bytes >= layout.tagEnd &&
        ReadExactly(fd, block, length - kId3v1Bytes, static_cast<std::size_t>(kId3v1Bytes)) &&
        block.compare(0, 3, "TAG") == 0) {
        layout.oldBlock = std::move(block);
    }
    return true;
}

bool WriteAllAt(int fd, std::string_view bytes, std::int64_t offset) {
    return WriteFullyAt(fd, bytes.data(), bytes.size(), offset);
}

// One change written where it lies: bytes at an offset, or the file cut at
// the offset.
struct Patch {
    std::int64_t offset = 0;
    std::string_view bytes;
    bool cut = false;
};

// The bytes of `next` that differ from `previous` (same length), at `offset`.
Patch Difference(std::string_view previous, std::string_view next, std::int64_t offset) {
    std::size_t first = 0;
    while (first < next.size() && previous[first] == next[first]) {
        ++first;
    }
    std::size_t last = next.size();
    while (last > first && previous[last - 1] == next[last - 1]) {
        --last;
    }
    return {offset + static_cast<std::int64_t>(first), next.substr(first, last - first)};
}

// True when the system makes the change in one step, so that a kill cannot
// cut it in two: a cut, or bytes that stay inside one page of the file (a
// longer write is copied page by page, and a kill may come between two).
bool OneStep(const Patch& patch) {
    const auto page = static_cast<std::int64_t>(::sysconf(_SC_PAGESIZE));
    if (patch.cut || patch.bytes.empty() || page <= 0) {
        return true;
    }
    const std::int64_t last = patch.offset + static_cast<std::int64_t>(patch.bytes.size()) - 1;
    return patch.offset / page == last / page;
}

// Copies bytes [from, to) of `source` to `target` at `targetOffset`, leaving
// holes where the source has holes.
bool CopySparse(int source, std::int64_t from, std::int64_t to, int target,
                std::int64_t targetOffset) {
    std::vector<char> buffer(kCopyBlockBytes);
    bool seekable = true;
    std::int64_t position = from;
    while (position < to) {
        std::int64_t dataEnd = to;
        if (seekable) {
            const off_t data = ::lseek(source, static_cast<off_t>(position), SEEK_DATA);
            if (data < 0 && errno == ENXIO) {
                break;  // only a hole is left
            }
            if (data < 0) {
                seekable = false;  // the file system cannot tell: copy everything
            } else {
                position = std::min<std::int64_t>(data, to);
                const off_t hole = ::lseek(source, static_cast<off_t>(position), SEEK_HOLE);
                dataEnd = hole < 0 ? to : std::min<std::int64_t>(hole, to);
            }
        }
        while (position < dataEnd) {
            const auto want = static_cast<std::size_t>(
                std::min<std::int64_t>(dataEnd - position, kCopyBlockBytes));
            const ssize_t got = ::pread(source, buffer.data(), want, static_cast<off_t>(position));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            if (!WriteFullyAt(target, buffer.data(), static_cast<std::size_t>(got),
                              targetOffset + (position - from))) {
                return false;
            }
            position += got;
        }
    }
    return true;
}

// A temporary file beside the file, locked while it is written, removed
// unless it took the file's name.
class RebuildFile {
  public:
    explicit RebuildFile(const std::string& directory) {
        fd_.Reset(CreateLockedTemporary(directory, kRebuildPrefix, kRebuildSuffix, path_));
        error_ = fd_.Get() < 0 ? errno : 0;
    }
    ~RebuildFile() {
        if (!committed_ && fd_.Get() >= 0) {
            ::unlink(path_.c_str());
        }
    }
    RebuildFile(const RebuildFile&) = delete;
    RebuildFile& operator=(const RebuildFile&) = delete;

    int Fd() const { return fd_.Get(); }
    int Error() const { return error_; }
    const std::string& Path() const { return path_; }
    void Commit() { committed_ = true; }

  private:
    FileDescriptor fd_;
    std::string path_;
    int error_ = 0;
    bool committed_ = false;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unchanged(const struct stat& before, const struct stat& after) {
    return SameFile(before, after) && before.st_size == after.st_size &&
           before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
           before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
}

bool Fail(std::string& reason, std::string why) {
    reason = std::move(why);
    return false;
}

FileStamp StampFrom(const struct stat& info) {
    return FileStamp{
        static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

constexpr const char* kChangedReason = "the file changed while its tags were written";

bool ExchangeNames(const std::string& a, const std::string& b) {
#ifdef SYS_renameat2
    return ::syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(),
                     2 /* RENAME_EXCHANGE */) == 0;
#else
    errno = ENOSYS;
    return false;
#endif
}

// Puts the rebuilt file in the file's place in one step, and only over the
// file it was made from, unchanged. Where the system exchanges two names in
// one step, the file that left the name is checked afterwards and given its
// name back when it is another; elsewhere the name is checked just before a
// plain rename.
bool ReplaceWithRebuilt(RebuildFile& rebuilt, const std::string& path, const struct stat& info,
                        std::string& reason) {
    if (ExchangeNames(rebuilt.Path(), path)) {
        struct stat displaced {};
        if (::lstat(rebuilt.Path().c_str(), &displaced) == 0 && Unchanged(info, displaced)) {
            ::unlink(rebuilt.Path().c_str());  // the old contents
            rebuilt.Commit();
            return true;
        }
        if (ExchangeNames(rebuilt.Path(), path)) {
            return Fail(reason, kChangedReason);
        }
        // The other file cannot have its name back: it leaves the temporary
        // name, which a later run would take for a leftover, for a name of
        // its own beside it, and the rebuilt file stays where it is.
        rebuilt.Commit();
        const std::string kept = TemporaryName(DirectoryPart(path), NamePart(path) + ".kept-", "");
        const bool moved = RenameNoReplace(rebuilt.Path(), kept);
        return Fail(reason, std::string(kChangedReason) + "; the file that took its name is " +
                                (moved ? kept : rebuilt.Path()));
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return Fail(reason, ErrorReason(errno));
    }
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || !Unchanged(info, named)) {
        return Fail(reason, kChangedReason);
    }
    if (::rename(rebuilt.Path().c_str(), path.c_str()) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    rebuilt.Commit();
    return true;
}

bool Rebuild(const std::string& path, int source, const struct stat& info, const Layout& layout,
             std::string_view tag, std::string_view block, std::string& reason) {
    RebuildFile rebuilt(DirectoryPart(path));
    if (rebuilt.Fd() < 0) {
        return Fail(reason, ErrorReason(rebuilt.Error()));
    }
    const std::int64_t length = static_cast<std::int64_t>(info.st_size);
    const std::int64_t audioEnd = length - (layout.oldBlock.empty() ? 0 : kId3v1Bytes);
    const auto tagBytes = static_cast<std::int64_t>(tag.size());
    const std::int64_t finalLength =
        tagBytes + (audioEnd - layout.tagEnd) + static_cast<std::int64_t>(block.size());
    const int target = rebuilt.Fd();
    if (!WriteAllAt(target, tag, 0) ||
        !CopySparse(source, layout.tagEnd, audioEnd, target, tagBytes) ||
        !WriteAllAt(target, block, tagBytes + (audioEnd - layout.tagEnd)) ||
        ::ftruncate(target, static_cast<off_t>(finalLength)) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    // The rebuilt file takes the file's permissions (and owner, where the
    // system allows it): it replaces the file, it is not a new one.
    if (::fchmod(target, info.st_mode & 07777) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(target, info.st_uid, info.st_gid);
    }
    if (::fsync(target) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    struct stat now {};
    if (::fstat(source, &now) != 0 || !Unchanged(info, now)) {
        return Fail(reason, kChangedReason);
    }
    // One step: there is no moment at which the file is missing.
    if (!ReplaceWithRebuilt(rebuilt, path, info, reason)) {
        return false;
    }
    FileDescriptor directory(
        ::open(DirectoryPart(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());  // makes the rename itself durable
    }
    return true;
}

// The one change that an edit of one region makes where it lies; nothing
// when the tag changes its length.
std::optional<Patch> InPlacePatch(const Layout& layout, std::int64_t length,
                                  const std::optional<std::string>& tag,
                                  const std::optional<std::string>& block) {
    if (tag) {
        if (layout.region.empty() || tag->size() != layout.region.size()) {
            return std::nullopt;
        }
        return Difference(layout.region, *tag, 0);
    }
    if (block->empty()) {
        return Patch{length - kId3v1Bytes, {}, true};
    }
    if (!layout.oldBlock.empty()) {
        return Difference(layout.oldBlock, *block, length - kId3v1Bytes);
    }
    return Patch{length, *block};
}

bool WriteInPlace(ModeGuard& guard, const struct stat& info, const Patch& patch,
                  std::string& reason) {
    FileDescriptor fd(guard.Open(O_RDWR, S_IRUSR | S_IWUSR));
    struct stat now {};
    if (fd.Get() < 0) {
        return Fail(reason, ErrorReason(errno));
    }
    if (::fstat(fd.Get(), &now) != 0 || !Unchanged(info, now)) {
        return Fail(reason, kChangedReason);
    }
    const auto length = static_cast<std::int64_t>(info.st_size);
    bool written = true;
    if (patch.cut) {
        written = ::ftruncate(fd.Get(), static_cast<off_t>(patch.offset)) == 0;
    } else if (!patch.bytes.empty()) {
        written = WriteAllAt(fd.Get(), patch.bytes, patch.offset);
        if (!written && patch.offset >= length) {
            const int error = errno;
            // A partly appended block would read as garbage at the file's end.
            [[maybe_unused]] const int ignored = ::ftruncate(fd.Get(), static_cast<off_t>(length));
            errno = error;
        }
    }
    if (!written) {
        return Fail(reason, ErrorReason(errno));
    }
    return true;
}

}  // namespace

int RemoveStaleRebuildFiles(const std::string& directory) {
    return RemoveLeftoverTemporaries(directory, kRebuildPrefix, kRebuildSuffix);
}

bool ApplyTagEdit(const std::string& path, const TagEdit& edit, std::string& reason) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    if (S_ISLNK(entry.st_mode)) {
        return Fail(reason, "symbolic links are not written through");
    }
    if (!S_ISREG(entry.st_mode)) {
        return Fail(reason, "not a regular file");
    }
    ModeGuard guard(path, entry);
    FileDescriptor source(guard.Open(O_RDONLY, S_IRUSR));
    struct stat info {};
    if (source.Get() < 0) {
        return Fail(reason, ErrorReason(errno));
    }
    if (::fstat(source.Get(), &info) != 0 || !SameFile(entry, info) || !S_ISREG(info.st_mode)) {
        return Fail(reason, kChangedReason);
    }
    if (edit.readFrom && StampFrom(info) != *edit.readFrom) {
        return Fail(reason, "not the file its tags were read from");
    }
    const auto length = static_cast<std::int64_t>(info.st_size);
    Layout layout;
    if (!ReadLayout(source.Get(), length, static_cast<bool>(edit.id3v2), layout, reason)) {
        return false;
    }

    std::optional<std::string> tag;
    if (edit.id3v2) {
        tag = edit.id3v2(layout.OldTag(), reason);
        if (!tag) {
            return false;
        }
        // Stacked tags are replaced even by a copy of the first.
        if (*tag == layout.region) {
            tag.reset();
        }
    }
    std::optional<std::string> block = edit.id3v1;
    if (block && *block == layout.oldBlock) {
        block.reset();
    }
    if (!tag && !block) {
        return true;
    }
    if (!(tag && block) && info.st_nlink == 1) {
        const std::optional<Patch> patch = InPlacePatch(layout, length, tag, block);
        if (patch && OneStep(*patch)) {
            return WriteInPlace(guard, info, *patch, reason);
        }
    }
    const std::string_view newTag = tag ? std::string_view(*tag) : std::string_view(layout.region);
    const std::string_view newBlock =
        block ? std::string_view(*block) : std::string_view(layout.oldBlock);
    return Rebuild(path, source.Get(), info, layout, newTag, newBlock, reason);
}

}  // namespace tagnomen
