// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace tagnomen {

// The places where the manual's start page (index.html) may be, most
// specific first:
//   1. $TAGNOMEN_HELP_DIR, when set (and then nothing else);
//   2. the installed copy beside the program (<bindir>/../share/tagnomen/help);
//   3. the source tree's resources/help, for a program run from its build tree;
//   4. the directory the build was configured to install the help into;
//   5. tagnomen/help below every directory of $XDG_DATA_DIRS.
std::vector<std::string> HelpFileCandidates();

// The first candidate that exists; when none does, the installed place beside
// the program, so that the one who opens it can name what is missing.
std::string HelpFilePath();

}  // namespace tagnomen
