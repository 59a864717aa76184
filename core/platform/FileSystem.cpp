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

namespace tagnomen {

namespace {

unsigned char LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

bool EndsWithMp3(const char* name, std::size_t length) {
    if (length < 4)
        return false;
    const char* end = name + length - 4;
    return end[0] == '.' && LowerAscii(end[1]) == 'm' && LowerAscii(end[2]) == 'p' && end[3] == '3';
}

bool RenameExclusive(const char* from, const char* to) {
#ifdef SYS_renameat2
    if (syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 1 /* RENAME_NOREPLACE */) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // The file system does not know the flag: a hard link fails when the
    // target exists, and only then is the old name removed.
    if (link(from, to) != 0)
        return false;
    if (unlink(from) != 0) {
        unlink(to);
        return false;
    }
    return true;
}

bool CopyThenRemove(const std::string& from, const std::string& to) {
    struct stat info {};
    int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return false;
    if (fstat(source, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(source);
        return false;
    }
    int target = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (target < 0) {
        close(source);
        return false;
    }
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        ssize_t got = read(source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (ssize_t done = 0; done < got;) {
            ssize_t wrote = write(target, buffer + done, static_cast<size_t>(got - done));
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0) {
                ok = false;
                break;
            }
            done += wrote;
        }
        if (!ok)
            break;
    }
    ok = ok && fsync(target) == 0;
    ok = (close(target) == 0) && ok;
    close(source);
    if (!ok || unlink(from.c_str()) != 0) {
        unlink(to.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr)
        return std::string();
    return buffer;
}

bool ChangeDirectory(const std::string& path) {
    return !path.empty() && chdir(ExpandHome(path).c_str()) == 0;
}

std::string ExpandHome(const std::string& path) {
    if (path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/'))
        return path;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        return path;
    return std::string(home) + path.substr(1);
}

DirectoryScope::DirectoryScope() : saved_(CurrentDirectory()) {}

DirectoryScope::~DirectoryScope() {
    if (restore_)
        Restore();
}

bool DirectoryScope::Enter(const std::string& directory) {
    return ChangeDirectory(directory);
}

void DirectoryScope::Restore() {
    if (!saved_.empty())
        ChangeDirectory(saved_);
}

std::vector<std::string> ListMp3Files() {
    std::vector<std::string> names;
    DIR* directory = opendir(".");
    if (directory == nullptr)
        return names;
    while (const dirent* entry = readdir(directory)) {
        std::size_t length = std::strlen(entry->d_name);
        if (!EndsWithMp3(entry->d_name, length))
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            regular = stat(entry->d_name, &info) == 0 && S_ISREG(info.st_mode);
        }
        if (regular)
            names.emplace_back(entry->d_name, length);
    }
    closedir(directory);
    return names;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = LowerAscii(static_cast<unsigned char>(a[i]));
        unsigned char y = LowerAscii(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void SortFileNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), LessIgnoringCase);
}

std::vector<std::string> ListSubdirectories(const std::string& path) {
    std::vector<std::string> names;
    std::string base = ExpandHome(path);
    DIR* directory = opendir(base.c_str());
    if (directory == nullptr)
        return names;
    if (!base.empty() && base.back() != '/')
        base += '/';
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;  // hidden, "." and ".."
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            isDirectory = IsDirectory(base + entry->d_name);
        }
        if (isDirectory)
            names.emplace_back(entry->d_name);
    }
    closedir(directory);
    SortFileNames(names);
    return names;
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

bool MakeWritable(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    if (info.st_mode & S_IWUSR)
        return true;
    return chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool CreateDirectoryLevel(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    return errno == EEXIST && IsDirectory(path);
}

std::string ErrorReason(int error) {
    return error == 0 ? std::string() : std::string(std::strerror(error));
}

bool IsBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (from == to)
        return PathExists(from);
    if (RenameExclusive(from.c_str(), to.c_str()))
        return true;
    // Case-insensitive file systems report the target as existing when only
    // the letter case differs: it is the same file, so a plain rename is safe.
    if (errno == EEXIST) {
        struct stat a {
        }, b{};
        if (stat(from.c_str(), &a) == 0 && stat(to.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
            a.st_ino == b.st_ino) {
            return std::rename(from.c_str(), to.c_str()) == 0;
        }
    }
    return false;
}

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (RenameExclusive(from.c_str(), to.c_str()))
        return true;
    if (errno != EXDEV)
        return false;
    return CopyThenRemove(from, to);
}

}  // namespace tagnomen
