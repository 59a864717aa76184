#pragma once
// The file-system operations the commands use, on POSIX. There are no drive
// letters: the drive steps succeed without effect. A rename never replaces an
// existing file.
#include <string>
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
// Sorts without regard to ASCII case, ties by bytes.
void SortFileNames(std::vector<std::string>& names);
bool LessIgnoringCase(const std::string& a, const std::string& b);

// The sub-directories of a directory that are not hidden, sorted; "." and ".." left out.
std::vector<std::string> ListSubdirectories(const std::string& directory);

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);
// Read-only is the missing owner write bit.
bool IsReadOnly(const std::string& path);
bool MakeWritable(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates one directory level; true when it exists afterwards as a directory.
bool CreateDirectoryLevel(const std::string& path);

// The system's text for an error number ("Permission denied"), for the
// reason shown beside a failure.
std::string ErrorReason(int error);

// A bare file name: not empty, no "/", not "." or "..".
bool IsBareFileName(const std::string& name);

// Renames without ever replacing an existing file. Renaming a file to its
// own name succeeds without change; a name that differs only in letter case
// is renamed.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Moves a file, also to another file system (copy, sync, then remove the
// source); never replaces an existing target.
bool MoveFileNoReplace(const std::string& from, const std::string& to);

}  // namespace tagnomen
