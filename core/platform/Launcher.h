// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting another program without waiting for it.
#include <string>
#include <vector>

namespace tagnomen {

// Starts argv[0] (looked up in PATH) detached; true when it was started.
bool LaunchDetached(const std::vector<std::string>& argv);
// Opens an address or file in the desktop's browser (xdg-open); fails silently.
bool OpenInBrowser(const std::string& address);

}  // namespace tagnomen
