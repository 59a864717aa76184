// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-system operations the commands use, on POSIX. There are no drive
// letters: the drive steps succeed without effect. A rename never replaces an
// existing file.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tagnomen {

std::string CurrentDirectory();
bool ChangeDirectory(const std::string& path);
// "~" or "~/..." at the start means the home directory.
std::string ExpandHome(const std::string& path);

// Remembers the current directory, enters another one, and restores the
// remembered one when it goes out of scope (unless Keep() was called).
class DirectoryScope {
  public:
    DirectoryScope();
    ~DirectoryScope();
    DirectoryScope(const DirectoryScope&) = delete;
    DirectoryScope& operator=(const DirectoryScope&) = delete;
    // Makes the directory's drive current, then the directory; false when it
    // cannot be entered (the current directory is then unchanged).
    bool Enter(const std::string& directory);
    void Restore();
    // Leaves the entered directory current after the scope ends.
    void Keep() { restore_ = false; }

  private:
    std::string saved_;
    bool restore_ = true;
};

// The regular files of the current directory whose names end in ".mp3",
// without regard to case, in directory order.
std::vector<std::string> ListMp3Files();
// The order of the old-names list: without regard to ASCII case, ties by bytes.
bool FileNameLess(const std::string& a, const std::string& b);
void SortFileNames(std::vector<std::string>& names);

// The sub-directories of a directory that are not hidden, sorted; "." and ".." left out.
std::vector<std::string> ListSubdirectories(const std::string& directory);

// An absolute path for a directory: "~" expanded; an absolute path as it is;
// a relative one resolved against the current directory (without links and
// "." or ".." when it exists, else joined as written).
std::string AbsolutePath(const std::string& path);
// directory + "/" + name, with no doubled separator.
std::string JoinPath(const std::string& directory, const std::string& name);
// The directory of a path: "." for a bare name, "/" for a name in the root.
std::string DirectoryPart(const std::string& path);
// The name after the last "/".
std::string NamePart(const std::string& path);

// What a directory entry itself is; a symbolic link is not followed.
enum class EntryType { Missing, Regular, Link, Directory, Other };
EntryType TypeOf(const std::string& path);
// Every entry of a directory but "." and "..", with what it is itself, in
// directory order; empty when the directory cannot be read.
std::vector<std::pair<std::string, EntryType>> ListEntries(const std::string& directory);

// The identity of a directory entry (lstat: a link's own, not its target's).
// Two names with one identity are one file; a file replaced under its name
// gets another identity.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Nothing when the entry does not exist (errno tells why).
std::optional<FileIdentity> IdentityOf(const std::string& path);

bool PathExists(const std::string& path);
// True when the directory lists an entry spelled exactly so (a file system
// that ignores letter case lets lstat find other spellings too). Reads the
// whole directory.
bool HasEntrySpelled(const std::string& directory, const std::string& name);
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);
// Read-only is the missing owner write bit.
bool IsReadOnly(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates one directory level; true when it exists afterwards as a directory.
bool CreateDirectoryLevel(const std::string& path);

// The system's text for an error number ("Permission denied"), for the
// reason shown beside a failure.
std::string ErrorReason(int error);

// A bare file name: not empty, no "/", not "." or "..".
bool IsBareFileName(const std::string& name);
// A name a file can be given without hiding it or meaning nothing: a bare
// name that does not start with "." and holds something besides dots and
// blanks before its ".mp3" ending (so neither ".mp3" nor "...mp3").
bool IsVisibleFileName(const std::string& name);

// Renames a directory entry (a symbolic link as the link) without ever
// replacing an existing one. Renaming a file to its own name succeeds without
// change. Where the system takes two names that differ only in letter case
// for one entry, that entry is renamed; two entries (two hard links of one
// file) are never merged, and a rename the system skipped is no success. On
// failure errno tells why.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Moves a directory entry, also to another file system, never replacing an
// existing target. Across file systems a regular file is copied under a
// temporary name beside the target (locked while it is written), synced,
// given the source's mode and modification time and renamed to its name, and
// only then is the source removed; a symbolic link is made again as a link.
// No partial copy is ever found under the target's name. A move that a kill
// cut off after the copy took its name is finished: when the target is the
// source's complete copy (same size, time and bytes), only the source is
// removed. On failure errno tells why.
bool MoveFileNoReplace(const std::string& from, const std::string& to);
// Removes the temporary copies that moves of killed runs left in the
// directory (see platform/Leftovers.h); returns how many went.
int RemoveMoveLeftovers(const std::string& directory);

// Creates a new empty file "<directory>/<prefix>XXXXXX" exclusively (mode
// 0600) and returns its descriptor, or -1; path receives its name.
int CreateUniqueFile(const std::string& directory, const std::string& prefix, std::string& path);
// Makes the directory's entries (a rename, a new file) reach the disk.
bool SyncDirectory(const std::string& directory);
// Gives the path these bytes in one step: they are written to a new file
// "<prefix>XXXXXX" beside it, synced, and renamed over the path, so that the
// path holds the old bytes or the new ones and never a part.
bool ReplaceFileContents(const std::string& path, const std::string& bytes,
                         const std::string& temporaryPrefix);
// Opens a file for reading without ever blocking on a FIFO: -1 (errno
// EINVAL) unless it is a regular file or a link to one.
int OpenRegularForReading(const std::string& path);

}  // namespace tagnomen
