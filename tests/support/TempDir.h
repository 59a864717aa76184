// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh directory below $TMPDIR for one test, removed with everything in it
// afterwards, and small helpers to build files in it byte by byte.
#include <string>
#include <vector>

namespace tagnomen::testing {

class TempDir {
  public:
    TempDir();
    // A directory below `base` instead (the system's temporary directory
    // when `base` is empty).
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a name inside the directory.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes a file with the given bytes (creating or replacing it).
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Sorted names of the directory's entries.
    std::vector<std::string> List() const;

  private:
    std::string path_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Points TAGNOMEN_SETTINGS at a file in a fresh directory for the test's life
// and restores the previous value afterwards.
class ScopedSettingsFile {
  public:
    ScopedSettingsFile();
    ~ScopedSettingsFile();
    const std::string& Path() const { return path_; }
    const TempDir& Dir() const { return dir_; }

  private:
    TempDir dir_;
    std::string path_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// Restores the process's current directory when it goes out of scope.
class CurrentDirectoryGuard {
  public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();

  private:
    std::string saved_;
};

}  // namespace tagnomen::testing
