// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/FullIo.h"

namespace tagnomen {

namespace {

// Most ID3v2 tags, their first frames and the ID3v1 block of a short file fit
// into the first window.
constexpr std::size_t kWindowBytes = 4096;

FileStamp StampFrom(const struct stat& info) {
    return FileStamp{
        static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

}  // namespace

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? StampFrom(info) : FileStamp{};
}

TagFile::TagFile(const std::string& path) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it has no effect on
    // regular files, the only kind kept open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    length_ = static_cast<std::int64_t>(info.st_size);
    stamp_ = StampFrom(info);
}

TagFile TagFile::FromBytes(std::string_view bytes) {
    return TagFile(InMemory{}, bytes);
}

// Bytes in memory are one window over the whole of them, which every read
// inside them hits.
TagFile::TagFile(InMemory /*unused*/, std::string_view bytes)
    : inMemory_(true),
      length_(static_cast<std::int64_t>(bytes.size())),
      window_(bytes.begin(), bytes.end()) {}

TagFile::~TagFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t TagFile::ReadAt(std::int64_t offset, void* destination, std::size_t length) const {
    if (!IsOpen() || offset < 0 || offset >= length_ || length == 0) {
        return 0;
    }
    const std::int64_t available = length_ - offset;
    if (static_cast<std::uint64_t>(available) < length) {
        length = static_cast<std::size_t>(available);
    }
    auto* out = static_cast<unsigned char*>(destination);
    const std::int64_t windowEnd = windowOffset_ + static_cast<std::int64_t>(window_.size());
    if (offset >= windowOffset_ && offset + static_cast<std::int64_t>(length) <= windowEnd) {
        std::memcpy(out, window_.data() + (offset - windowOffset_), length);
        return length;
    }
    if (length > kWindowBytes / 2) {
        return ReadFullyAt(fd_, out, length, offset);  // large reads bypass the window
    }
    // Refill the window from `offset` on; a read near the end of the file
    // starts the window earlier so that it still holds a full block.
    std::int64_t start = offset;
    if (length_ - start < static_cast<std::int64_t>(kWindowBytes)) {
        start = std::max<std::int64_t>(0, length_ - static_cast<std::int64_t>(kWindowBytes));
    }
    const auto want =
        static_cast<std::size_t>(std::min<std::int64_t>(kWindowBytes, length_ - start));
    window_.resize(want);
    const std::size_t got = ReadFullyAt(fd_, window_.data(), want, start);
    window_.resize(got);
    windowOffset_ = start;
    if (offset + static_cast<std::int64_t>(length) > start + static_cast<std::int64_t>(got)) {
        // The file shrank under us: copy what is there.
        if (offset >= start + static_cast<std::int64_t>(got)) {
            return 0;
        }
        length = static_cast<std::size_t>(start + static_cast<std::int64_t>(got) - offset);
    }
    std::memcpy(out, window_.data() + (offset - start), length);
    return length;
}

namespace tagio {

bool MakeWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT;  // nothing to change; the open that follows fails
    }
    if ((info.st_mode & S_IWUSR) != 0) {
        return true;
    }
    return ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

int OpenForUpdate(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace tagio

}  // namespace tagnomen
