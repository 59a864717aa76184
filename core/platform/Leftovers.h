// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary files that a writer makes beside the file it changes (a rebuilt
// file, a copy on its way to another file system), and their removal after a
// run was killed half-way.
//
// A temporary is named "<prefix><pid>-<random><suffix>" after the process
// that makes it, and that process holds an exclusive lock (flock) on it for as
// long as it writes it. A leftover is a temporary that nobody holds and that
// no running process can still be making: it was last changed before the
// running process started, or the process named in it is gone. Only such
// files are removed, so a copy that another running process is writing at
// that moment is never touched.
#include <string>

namespace tagnomen {

// Creates "<directory>/<prefix><pid>-<random><suffix>" exclusively, mode
// 0600, and locks it; returns its descriptor (the lock goes with it) or -1
// with errno. `path` receives the name.
int CreateLockedTemporary(const std::string& directory, const std::string& prefix,
                          const std::string& suffix, std::string& path);

// A fresh name of that form in the directory, for a temporary that cannot be
// locked (a symbolic link); nothing is created.
std::string TemporaryName(const std::string& directory, const std::string& prefix,
                          const std::string& suffix);

// Removes the leftovers "<prefix>...<suffix>" of the directory (regular files
// and symbolic links only) and returns how many went.
int RemoveLeftoverTemporaries(const std::string& directory, const std::string& prefix,
                              const std::string& suffix);

}  // namespace tagnomen
