// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's well-known folders as the user chose them: the XDG user
// directories file ($XDG_CONFIG_HOME/user-dirs.dirs, else
// ~/.config/user-dirs.dirs), whose lines read XDG_MUSIC_DIR="$HOME/Music".
#include <string>

namespace tagnomen {

// The Music folder, with $HOME expanded; empty when the file does not name one.
std::string UserMusicDirectory();

// One line of the file: the path it gives for `key` (e.g. "XDG_MUSIC_DIR"),
// with a leading "$HOME" replaced by home; empty when the line is about
// another key or does not read as a path.
std::string UserDirectoryFromLine(const std::string& line, const std::string& key,
                                  const std::string& home);

}  // namespace tagnomen
