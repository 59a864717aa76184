// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagEdit.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/FullIo.h"
#include "tags/Id3v2FrameList.h"
#include "tags/Id3v2Header.h"
#include "tags/TagFile.h"

namespace tagnomen {

namespace {

constexpr std::int64_t kId3v1Bytes = 128;
constexpr std::size_t kCopyBlockBytes = 256 * 1024;
constexpr int kTemporaryAttempts = 64;

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
    std::string oldTag;        // the ID3v2 tag's bytes; empty when there is none
    std::int64_t tagEnd = 0;   // where the audio begins (0 without a tag)
    bool tagDelimited = true;  // false: an ID3v2 tag whose end is unknown
    std::string oldBlock;      // the ID3v1 block; empty when there is none
};

bool ReadLayout(int fd, std::int64_t length, bool tagWanted, Layout& layout, std::string& reason) {
    std::string head;
    if (length >= static_cast<std::int64_t>(Id3v2Header::kBytes) &&
        ReadExactly(fd, head, 0, Id3v2Header::kBytes) &&
        Id3v2Header::BeginsTag(reinterpret_cast<const unsigned char*>(head.data()))) {
        std::string why;
        std::optional<std::size_t> declared = Id3v2FrameList::DeclaredBytes(head, &why);
        if (declared && static_cast<std::int64_t>(*declared) > length) {
            why = "ID3v2 tag size runs past the end of the file";
            declared.reset();
        }
        if (declared && (!ReadExactly(fd, layout.oldTag, 0, *declared) ||
                         !Id3v2FrameList::Parse(layout.oldTag, &why))) {
            declared.reset();
        }
        if (!declared) {
            if (tagWanted) {
                reason = why.empty() ? ErrorReason(errno) : why;
                return false;
            }
            // Only the ID3v1 block changes: the unknown tag is left to the audio.
            layout.oldTag.clear();
            layout.tagDelimited = false;
        } else {
            layout.tagEnd = static_cast<std::int64_t>(*declared);
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

// Writes the bytes of `next` that differ from `previous` (same length).
bool WriteDifference(int fd, std::string_view previous, std::string_view next,
                     std::int64_t offset) {
    std::size_t first = 0;
    while (first < next.size() && previous[first] == next[first]) {
        ++first;
    }
    std::size_t last = next.size();
    while (last > first && previous[last - 1] == next[last - 1]) {
        --last;
    }
    return first == last || WriteAllAt(fd, next.substr(first, last - first),
                                       offset + static_cast<std::int64_t>(first));
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

// A temporary file beside the file, removed unless it took the file's name.
class RebuildFile {
  public:
    explicit RebuildFile(const std::string& directory) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < kTemporaryAttempts && fd_.Get() < 0; ++attempt) {
            path_ = directory + "/" + kRebuildPrefix + std::to_string(::getpid()) + "-" +
                    std::to_string(counter.fetch_add(1)) + ".tmp";
            fd_.Reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (fd_.Get() < 0 && errno != EEXIST) {
                break;
            }
        }
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
    struct stat named {};
    if (::fstat(source, &now) != 0 || !Unchanged(info, now) || ::lstat(path.c_str(), &named) != 0 ||
        !SameFile(info, named)) {
        return Fail(reason, "the file changed while its tags were written");
    }
    // One step: there is no moment at which the file is missing.
    if (::rename(rebuilt.Path().c_str(), path.c_str()) != 0) {
        return Fail(reason, ErrorReason(errno));
    }
    rebuilt.Commit();
    FileDescriptor directory(
        ::open(DirectoryPart(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());  // makes the rename itself durable
    }
    return true;
}

bool WriteInPlace(ModeGuard& guard, const struct stat& info, const Layout& layout,
                  const std::optional<std::string>& tag, const std::optional<std::string>& block,
                  std::string& reason) {
    FileDescriptor fd(guard.Open(O_RDWR, S_IRUSR | S_IWUSR));
    struct stat now {};
    if (fd.Get() < 0) {
        return Fail(reason, ErrorReason(errno));
    }
    if (::fstat(fd.Get(), &now) != 0 || !Unchanged(info, now)) {
        return Fail(reason, "the file changed while its tags were written");
    }
    const auto length = static_cast<std::int64_t>(info.st_size);
    bool written = true;
    if (tag) {
        written = WriteDifference(fd.Get(), layout.oldTag, *tag, 0);
    } else if (!layout.oldBlock.empty() && !block->empty()) {
        written = WriteDifference(fd.Get(), layout.oldBlock, *block, length - kId3v1Bytes);
    } else if (!block->empty()) {
        written = WriteAllAt(fd.Get(), *block, length);
        if (!written) {
            const int error = errno;
            // A partly appended block would read as garbage at the file's end.
            [[maybe_unused]] const int ignored = ::ftruncate(fd.Get(), static_cast<off_t>(length));
            errno = error;
        }
    } else {
        written = ::ftruncate(fd.Get(), static_cast<off_t>(length - kId3v1Bytes)) == 0;
    }
    if (!written) {
        return Fail(reason, ErrorReason(errno));
    }
    return true;
}

// The process that made a rebuild file, from its name; 0 when the name is
// not one of ours.
pid_t MakerOf(std::string_view name) {
    const std::string_view prefix = kRebuildPrefix;
    if (name.substr(0, prefix.size()) != prefix || name.size() < 4 ||
        name.substr(name.size() - 4) != ".tmp") {
        return 0;
    }
    pid_t pid = 0;
    for (std::size_t i = prefix.size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 1000000000) {
            return 0;
        }
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

}  // namespace

int RemoveStaleRebuildFiles(const std::string& directory) {
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const pid_t maker = MakerOf(entry->d_name);
        // Only files of processes that are gone: a running copy may be
        // writing its file at this moment.
        if (maker > 0 && ::kill(maker, 0) != 0 && errno == ESRCH &&
            ::unlinkat(::dirfd(listing), entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
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
        return Fail(reason, "the file changed while its tags were written");
    }
    const auto length = static_cast<std::int64_t>(info.st_size);
    Layout layout;
    if (!ReadLayout(source.Get(), length, static_cast<bool>(edit.id3v2), layout, reason)) {
        return false;
    }

    std::optional<std::string> tag;
    if (edit.id3v2) {
        tag = edit.id3v2(layout.oldTag, reason);
        if (!tag) {
            return false;
        }
        if (*tag == layout.oldTag) {
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
    const bool oneRegion = !(tag && block);
    const bool fitsInPlace =
        !tag || (!layout.oldTag.empty() && tag->size() == layout.oldTag.size());
    if (oneRegion && fitsInPlace && info.st_nlink == 1) {
        return WriteInPlace(guard, info, layout, tag, block, reason);
    }
    const std::string_view newTag = tag ? std::string_view(*tag) : std::string_view(layout.oldTag);
    const std::string_view newBlock =
        block ? std::string_view(*block) : std::string_view(layout.oldBlock);
    return Rebuild(path, source.Get(), info, layout, newTag, newBlock, reason);
}

}  // namespace tagnomen
