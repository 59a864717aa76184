// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string_view>

#include "platform/FileSystem.h"

namespace tagnomen {

namespace {

constexpr int kNameAttempts = 100;
constexpr int kRandomCharacters = 10;
// A file changed this shortly before the running process started may belong
// to a process that started in the same instant; the clocks of file times and
// of process starts do not agree more closely than this.
constexpr std::int64_t kStartMarginNs = 50'000'000;
constexpr std::int64_t kNsPerSecond = 1'000'000'000;
// Field 22 of /proc/<pid>/stat, counted from field 3, the first after the name.
constexpr int kFieldsBeforeStartTime = 19;

std::int64_t Nanoseconds(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * kNsPerSecond + t.tv_nsec;
}

std::int64_t ClockNs(clockid_t clock) {
    struct timespec now {};
    ::clock_gettime(clock, &now);
    return Nanoseconds(now);
}

// When the library was loaded: the start of the process where the system
// does not say when that was.
const std::int64_t kLoadedAtNs = ClockNs(CLOCK_REALTIME);

// When the running process started, on the clock of file times. Linux keeps it
// in /proc/self/stat as clock ticks since boot (a forked child has its own).
std::int64_t ProcessStartNs() {
    std::FILE* file = std::fopen("/proc/self/stat", "re");
    if (file == nullptr) {
        return kLoadedAtNs;
    }
    char buffer[1024] = {};
    const std::size_t got = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    const std::string_view text(buffer, got);
    const std::size_t nameEnd = text.rfind(')');  // the name may hold blanks and ')'
    if (nameEnd == std::string_view::npos) {
        return kLoadedAtNs;
    }
    std::istringstream fields(std::string(text.substr(nameEnd + 1)));
    std::string skipped;
    for (int i = 0; i < kFieldsBeforeStartTime && fields >> skipped; ++i) {
    }
    unsigned long long ticks = 0;
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (!(fields >> ticks) || ticksPerSecond <= 0) {
        return kLoadedAtNs;
    }
    const std::int64_t bootNs = ClockNs(CLOCK_REALTIME) - ClockNs(CLOCK_BOOTTIME);
    return bootNs + static_cast<std::int64_t>(ticks) * (kNsPerSecond / ticksPerSecond);
}

bool IsAlphanumeric(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            return false;
        }
    }
    return true;
}

// True for "<prefix><pid>-<random><suffix>", with the pid in `maker`, and for
// "<prefix><random><suffix>" as older versions named their copies (maker 0:
// unknown).
bool IsTemporaryName(std::string_view name, std::string_view prefix, std::string_view suffix,
                     pid_t& maker) {
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix) {
        return false;
    }
    const std::string_view middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    maker = 0;
    const std::size_t dash = middle.find('-');
    if (dash == std::string_view::npos) {
        return IsAlphanumeric(middle);
    }
    const std::string_view pid = middle.substr(0, dash);
    if (pid.empty() || pid.size() > 9 || !IsAlphanumeric(middle.substr(dash + 1))) {
        return false;
    }
    for (const char c : pid) {
        if (c < '0' || c > '9') {
            return false;
        }
        maker = maker * 10 + (c - '0');
    }
    return true;
}

bool ProcessGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the entry when it is a leftover (see the header).
bool RemoveIfLeftover(int directory, const char* name, pid_t maker, std::int64_t startedNs) {
    struct stat info {};
    if (::fstatat(directory, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    const bool makerGone = ProcessGone(maker);
    if (!makerGone && Nanoseconds(info.st_ctim) >= startedNs) {
        return false;  // its maker may still be at work on it
    }
    if (S_ISLNK(info.st_mode)) {
        return ::unlinkat(directory, name, 0) == 0;  // made and renamed in one instant
    }
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    const int fd = ::openat(directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A copy that already has its file's mode (000 included) cannot be
        // opened to ask for its lock: only its maker's end tells.
        return makerGone && ::unlinkat(directory, name, 0) == 0;
    }
    bool removable = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        struct stat held {};
        struct stat named {};
        removable = ::fstat(fd, &held) == 0 &&
                    ::fstatat(directory, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                    SameInode(held, named);
    } else if (errno != EWOULDBLOCK) {
        removable = makerGone;  // a file system without locks
    }
    removable = removable && ::unlinkat(directory, name, 0) == 0;
    ::close(fd);
    return removable;
}

}  // namespace

std::string TemporaryName(const std::string& directory, const std::string& prefix,
                          const std::string& suffix) {
    static constexpr char kCharacters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name = prefix + std::to_string(::getpid()) + "-";
    for (int i = 0; i < kRandomCharacters; ++i) {
        name += kCharacters[random() % (sizeof kCharacters - 1)];
    }
    return JoinPath(directory, name + suffix);
}

int CreateLockedTemporary(const std::string& directory, const std::string& prefix,
                          const std::string& suffix, std::string& path) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = TemporaryName(directory, prefix, suffix);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
            return fd;  // locked, or a file system without locks
        }
        ::close(fd);  // taken for a leftover in the instant it appeared: it goes
    }
    errno = EEXIST;
    return -1;
}

int RemoveLeftoverTemporaries(const std::string& directory, const std::string& prefix,
                              const std::string& suffix) {
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) {
        return 0;
    }
    const std::int64_t startedNs = ProcessStartNs() - kStartMarginNs;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        pid_t maker = 0;
        if (IsTemporaryName(entry->d_name, prefix, suffix, maker) &&
            RemoveIfLeftover(::dirfd(listing), entry->d_name, maker, startedNs)) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
}

}  // namespace tagnomen
