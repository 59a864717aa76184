#pragma once
#include <string>

namespace tagnomen {

// The manual's start page: $TAGNOMEN_HELP_DIR/index.html, else the installed
// copy beside the program (../share/tagnomen/help), else the source tree's.
std::string HelpFilePath();

}  // namespace tagnomen
