// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <system_error>
#include <thread>

#include "platform/FullIo.h"
#include "platform/Leftovers.h"
#include "platform/Text.h"

namespace tagnomen {

namespace {

bool EndsWithMp3(std::string_view name) {
    return EndsWithIgnoreAsciiCase(name, ".mp3");
}

// Restores errno when it goes out of scope, so that clean-up after a
// failure does not hide the reason of the failure.
class KeepErrno {
  public:
    KeepErrno() : saved_(errno) {}
    ~KeepErrno() { errno = saved_; }

  private:
    int saved_;
};

// Temporary names of a move across file systems start with this (hidden, and
// short enough that any target directory can hold them).
constexpr const char* kMoveTemporaryPrefix = ".tagnomen-move-";

bool RenameExclusive(const char* from, const char* to) {
#ifdef SYS_renameat2
    if (syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 1 /* RENAME_NOREPLACE */) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
#endif
    // The file system does not know the flag: a hard link fails when the
    // target exists, and only then is the old name removed.
    if (link(from, to) != 0) {
        return false;
    }
    if (unlink(from) != 0) {
        KeepErrno keep;
        unlink(to);
        return false;
    }
    return true;
}

bool DifferOnlyInLetterCase(const std::string& a, const std::string& b) {
    return a != b && EqualsIgnoreAsciiCase(a, b);
}

}  // namespace

bool HasEntrySpelled(const std::string& directory, const std::string& name) {
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = readdir(listing)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    closedir(listing);
    return found;
}

namespace {

// Two spellings of one directory entry, as a file system that ignores letter
// case sees them: one inode, and either it has a single name or the new
// spelling is not listed as an entry of its own (two hard links are two
// entries, and renaming one over the other would merge them).
bool OneEntrySpelledTwoWays(const std::string& from, const std::string& to) {
    struct stat a {
    }, b{};
    if (!DifferOnlyInLetterCase(from, to) || lstat(from.c_str(), &a) != 0 ||
        lstat(to.c_str(), &b) != 0 || a.st_dev != b.st_dev || a.st_ino != b.st_ino) {
        return false;
    }
    return a.st_nlink == 1 || !HasEntrySpelled(DirectoryPart(to), NamePart(to));
}

bool CopyBytes(int source, int target) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = read(source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        for (ssize_t done = 0; done < got;) {
            ssize_t wrote = write(target, buffer + done, static_cast<size_t>(got - done));
            if (wrote < 0 && errno == EINTR) {
                continue;
            }
            if (wrote <= 0) {
                return false;
            }
            done += wrote;
        }
    }
}

// A regular file to another file system: the copy is complete, synced and
// dated like the source before it takes the target's name. The copy stays
// locked until then, so that no other run takes it for a leftover.
bool CopyAcross(const std::string& from, const std::string& to) {
    const int source = OpenRegularForReading(from);
    if (source < 0) {
        return false;
    }
    struct stat info {};
    std::string temporary;
    int target = -1;
    if (fstat(source, &info) != 0 ||
        (target = CreateLockedTemporary(DirectoryPart(to), kMoveTemporaryPrefix, "", temporary)) <
            0) {
        KeepErrno keep;
        close(source);
        return false;
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    bool ok = CopyBytes(source, target) && fchmod(target, info.st_mode & 07777) == 0 &&
              futimens(target, times) == 0 && fsync(target) == 0;
    ok = ok && RenameExclusive(temporary.c_str(), to.c_str());
    {
        KeepErrno keep;
        close(source);
        if (!ok) {
            unlink(temporary.c_str());
        }
        close(target);
    }
    if (!ok) {
        return false;
    }
    SyncDirectory(DirectoryPart(to));
    if (unlink(from.c_str()) != 0) {
        KeepErrno keep;
        unlink(to.c_str());
        return false;
    }
    return true;
}

// What a symbolic link holds; nothing when it is none or cannot be read.
std::optional<std::string> LinkText(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = readlink(path.c_str(), text.data(), text.size());
    if (length < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// A symbolic link to another file system: made again as a link, pointing
// where the old one pointed; what it points to is never touched.
bool LinkAcross(const std::string& from, const std::string& to) {
    struct stat info {};
    const std::optional<std::string> target = LinkText(from);
    if (!target || lstat(from.c_str(), &info) != 0) {
        return false;
    }
    std::string temporary;
    for (int attempt = 0;; ++attempt) {
        temporary = TemporaryName(DirectoryPart(to), kMoveTemporaryPrefix, "");
        if (symlink(target->c_str(), temporary.c_str()) == 0) {
            break;
        }
        if (errno != EEXIST || attempt == 100) {
            return false;
        }
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    utimensat(AT_FDCWD, temporary.c_str(), times, AT_SYMLINK_NOFOLLOW);
    if (!RenameExclusive(temporary.c_str(), to.c_str())) {
        KeepErrno keep;
        unlink(temporary.c_str());
        return false;
    }
    if (unlink(from.c_str()) != 0) {
        KeepErrno keep;
        unlink(to.c_str());
        return false;
    }
    return true;
}

bool SameBytes(int a, int b, std::int64_t length) {
    std::vector<char> left(1 << 16);
    std::vector<char> right(left.size());
    for (std::int64_t offset = 0; offset < length;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(length - offset, left.size()));
        if (ReadFullyAt(a, left.data(), want, offset) != want ||
            ReadFullyAt(b, right.data(), want, offset) != want ||
            std::memcmp(left.data(), right.data(), want) != 0) {
            return false;
        }
        offset += static_cast<std::int64_t>(want);
    }
    return true;
}

// A kill between a copy taking the target's name and the removal of its
// source leaves the file in both places: on two file systems, a regular file
// of the source's size, time (to the 2 seconds that some file systems keep)
// and bytes, or a link that points where the source points. Moving it again
// then only has to remove the source; nothing is lost by that.
bool IsFinishedCopy(const std::string& from, const std::string& to) {
    constexpr long long kCoarsestTimeNs = 2'000'000'000;
    struct stat source {};
    struct stat target {};
    if (lstat(from.c_str(), &source) != 0 || lstat(to.c_str(), &target) != 0 ||
        source.st_dev == target.st_dev) {
        return false;
    }
    if (S_ISLNK(source.st_mode)) {
        const std::optional<std::string> text = LinkText(from);
        return text && LinkText(to) == text;
    }
    auto ns = [](const struct timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; };
    if (!S_ISREG(source.st_mode) || !S_ISREG(target.st_mode) || source.st_size != target.st_size ||
        std::llabs(ns(source.st_mtim) - ns(target.st_mtim)) > kCoarsestTimeNs) {
        return false;
    }
    // The very files looked at, not whatever a link put in their place since.
    auto openSeen = [](const std::string& path, const struct stat& seen) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat now {};
        if (fd >= 0 &&
            (fstat(fd, &now) != 0 || now.st_dev != seen.st_dev || now.st_ino != seen.st_ino)) {
            close(fd);
            return -1;
        }
        return fd;
    };
    const int a = openSeen(from, source);
    const int b = openSeen(to, target);
    const bool same = a >= 0 && b >= 0 && SameBytes(a, b, source.st_size);
    for (const int fd : {a, b}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    return same;
}

// The answers of `check` for every name, asked by a few threads at once when
// there are many: each answer may wait for a disk or a share.
std::vector<bool> ForEachInParallel(const std::vector<std::string>& names,
                                    const std::function<bool(const std::string&)>& check) {
    constexpr std::size_t kNamesPerThread = 64;
    constexpr std::size_t kMostThreads = 16;
    std::vector<char> answers(names.size(), 0);
    const std::size_t threads = std::min(kMostThreads, names.size() / kNamesPerThread);
    auto work = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < names.size(); i += step) {
            answers[i] = check(names[i]) ? 1 : 0;
        }
    };
    if (threads < 2) {
        work(0, 1);
    } else {
        std::vector<std::thread> workers;
        workers.reserve(threads);
        std::size_t started = 0;
        try {
            for (; started < threads; ++started) {
                workers.emplace_back(work, started, threads);
            }
        } catch (const std::system_error&) {
            // The system refuses more threads: this one does the rest.
            for (std::size_t t = started; t < threads; ++t) {
                work(t, threads);
            }
        }
        for (std::thread& worker : workers) {
            worker.join();
        }
    }
    return std::vector<bool>(answers.begin(), answers.end());
}

}  // namespace

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) {
        return std::string();
    }
    return buffer;
}

bool ChangeDirectory(const std::string& path) {
    return !path.empty() && chdir(ExpandHome(path).c_str()) == 0;
}

std::string ExpandHome(const std::string& path) {
    if (path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/')) {
        return path;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return path;
    }
    return std::string(home) + path.substr(1);
}

DirectoryScope::DirectoryScope() : saved_(CurrentDirectory()) {}

DirectoryScope::~DirectoryScope() {
    if (restore_) {
        Restore();
    }
}

bool DirectoryScope::Enter(const std::string& directory) {
    return ChangeDirectory(directory);
}

void DirectoryScope::Restore() {
    if (!saved_.empty()) {
        ChangeDirectory(saved_);
    }
}

std::vector<std::string> ListMp3Files() {
    std::vector<std::string> names;
    // Entries whose type the directory does not tell (some network and
    // FUSE file systems) or that are links need a stat each; on a far share
    // those are answered in parallel.
    std::vector<std::string> unknown;
    DIR* directory = opendir(".");
    if (directory == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(directory)) {
        std::size_t length = std::strlen(entry->d_name);
        if (!EndsWithMp3(std::string_view(entry->d_name, length))) {
            continue;
        }
        if (entry->d_type == DT_REG) {
            names.emplace_back(entry->d_name, length);
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            unknown.emplace_back(entry->d_name, length);
        }
    }
    closedir(directory);
    const std::vector<bool> regular = ForEachInParallel(unknown, [](const std::string& name) {
        struct stat info {};
        return stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    });
    for (std::size_t i = 0; i < unknown.size(); ++i) {
        if (regular[i]) {
            names.push_back(std::move(unknown[i]));
        }
    }
    return names;
}

bool FileNameLess(const std::string& a, const std::string& b) {
    const int order = CompareIgnoreAsciiCase(a, b);
    return order != 0 ? order < 0 : a < b;
}

void SortFileNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), FileNameLess);
}

std::vector<std::string> ListSubdirectories(const std::string& path) {
    std::vector<std::string> names;
    std::string base = ExpandHome(path);
    DIR* directory = opendir(base.c_str());
    if (directory == nullptr) {
        return names;
    }
    if (!base.empty() && base.back() != '/') {
        base += '/';
    }
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.') {
            continue;  // hidden, "." and ".."
        }
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            isDirectory = IsDirectory(base + entry->d_name);
        }
        if (isDirectory) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(directory);
    SortFileNames(names);
    return names;
}

std::string AbsolutePath(const std::string& path) {
    const std::string expanded = ExpandHome(path);
    if (expanded.empty() || expanded[0] == '/') {
        return expanded;
    }
    char resolved[PATH_MAX];
    if (realpath(expanded.c_str(), resolved) != nullptr) {
        return resolved;
    }
    const std::string current = CurrentDirectory();
    return current.empty() ? expanded : JoinPath(current, expanded);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && directory.back() == '/') {
        return directory + name;
    }
    return directory + "/" + name;
}

std::string DirectoryPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

EntryType TypeOf(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return EntryType::Missing;
    }
    if (S_ISREG(info.st_mode)) {
        return EntryType::Regular;
    }
    if (S_ISLNK(info.st_mode)) {
        return EntryType::Link;
    }
    if (S_ISDIR(info.st_mode)) {
        return EntryType::Directory;
    }
    return EntryType::Other;
}

std::vector<std::pair<std::string, EntryType>> ListEntries(const std::string& directory) {
    std::vector<std::pair<std::string, EntryType>> entries;
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr) {
        return entries;
    }
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        EntryType type = EntryType::Other;
        switch (entry->d_type) {
            case DT_REG:
                type = EntryType::Regular;
                break;
            case DT_LNK:
                type = EntryType::Link;
                break;
            case DT_DIR:
                type = EntryType::Directory;
                break;
            case DT_UNKNOWN:
                type = TypeOf(JoinPath(directory, name));
                break;
            default:
                break;
        }
        entries.emplace_back(name, type);
    }
    closedir(listing);
    return entries;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(ExpandHome(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsReadOnly(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool CreateDirectoryLevel(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    return errno == EEXIST && IsDirectory(path);
}

std::string ErrorReason(int error) {
    return error == 0 ? std::string() : std::string(std::strerror(error));
}

bool IsBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool IsVisibleFileName(const std::string& name) {
    if (!IsBareFileName(name) || name[0] == '.') {
        return false;
    }
    const std::size_t stemLength = EndsWithMp3(name) ? name.size() - 4 : name.size();
    return name.find_first_not_of(". ") < stemLength;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (from == to) {
        return PathExists(from);
    }
    if (RenameExclusive(from.c_str(), to.c_str())) {
        return true;
    }
    if (errno != EEXIST) {
        return false;
    }
    if (!OneEntrySpelledTwoWays(from, to)) {
        errno = EEXIST;
        return false;
    }
    // A file system that ignores letter case reports the new spelling as
    // taken by the entry itself; a plain rename then only changes the
    // spelling. The system skips a rename between two names of one file, so
    // the new spelling must be listed afterwards for it to count.
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    if (!HasEntrySpelled(DirectoryPart(to), NamePart(to))) {
        errno = EEXIST;
        return false;
    }
    return true;
}

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (RenameExclusive(from.c_str(), to.c_str())) {
        return true;
    }
    if (errno != EXDEV) {
        return false;
    }
    if (PathExists(to)) {
        if (IsFinishedCopy(from, to)) {
            return unlink(from.c_str()) == 0;
        }
        errno = EEXIST;
        return false;
    }
    switch (TypeOf(from)) {
        case EntryType::Regular:
            return CopyAcross(from, to);
        case EntryType::Link:
            return LinkAcross(from, to);
        default:
            errno = EXDEV;
            return false;
    }
}

int RemoveMoveLeftovers(const std::string& directory) {
    return RemoveLeftoverTemporaries(directory, kMoveTemporaryPrefix, "");
}

int CreateUniqueFile(const std::string& directory, const std::string& prefix, std::string& path) {
    path = JoinPath(directory, prefix + "XXXXXX");
    return mkostemp(path.data(), O_CLOEXEC);
}

bool SyncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes,
                         const std::string& temporaryPrefix) {
    const std::string directory = DirectoryPart(path);
    std::string temporary;
    const int fd = CreateUniqueFile(directory, temporaryPrefix, temporary);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteFully(fd, bytes.data(), bytes.size());
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        KeepErrno keep;
        unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(directory);
    return true;
}

int OpenRegularForReading(const std::string& path) {
    // O_NONBLOCK: opening a FIFO for reading would wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace tagnomen
