// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File access of the tag records: a read-only handle that serves positioned
// reads from one cached window (so reading both tags of a file usually costs
// one open, one fstat and one or two preads), or from bytes in memory, and
// the small POSIX helpers the writers share. Files are read and written byte
// for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tagnomen {

// What tells one state of a file from another: which file it is, its size
// and its modification time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` now (following links, as reading does);
// a default stamp when there is none.
FileStamp StampOf(const std::string& path);

class TagFile {
  public:
    // Opens a regular file for reading; anything else (missing file,
    // directory, FIFO, no permission) leaves the handle closed.
    explicit TagFile(const std::string& path);
    // A handle over a copy of `bytes` instead of a file, so that the readers
    // parse tags held in memory (the fuzz target does) through the same
    // bounded reads; it is open, and its stamp is a default stamp.
    static TagFile FromBytes(std::string_view bytes);
    ~TagFile();
    TagFile(const TagFile&) = delete;
    TagFile& operator=(const TagFile&) = delete;

    bool IsOpen() const { return fd_ >= 0 || inMemory_; }
    // Length of the file when it was opened; 0 when closed.
    std::int64_t Length() const { return length_; }
    // The file's stamp when it was opened; a default stamp when closed.
    const FileStamp& Stamp() const { return stamp_; }

    // Copies up to `length` bytes found at `offset` into `destination` and
    // returns how many were copied: fewer at the end of the file, 0 for an
    // offset outside the file or a closed handle. Never reads outside the file.
    std::size_t ReadAt(std::int64_t offset, void* destination, std::size_t length) const;

  private:
    struct InMemory {};
    TagFile(InMemory, std::string_view bytes);

    int fd_ = -1;
    bool inMemory_ = false;
    std::int64_t length_ = 0;
    FileStamp stamp_;
    mutable std::vector<unsigned char> window_;
    mutable std::int64_t windowOffset_ = 0;
};

namespace tagio {

// Adds the owner write bit when it is missing; the bit is not taken away
// again afterwards. False only when the file exists and could not be changed.
bool MakeWritable(const std::string& path);

// Opens an existing regular file for reading and writing (no creation, no
// truncation); -1 on failure.
int OpenForUpdate(const std::string& path);

void CloseQuietly(int fd);

}  // namespace tagio

}  // namespace tagnomen
