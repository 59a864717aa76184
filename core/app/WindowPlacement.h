// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window stood and how large it was when it last closed,
// kept in the settings file as one text value, "x y width height maximized".
#include <optional>
#include <string>

namespace tagnomen {

class SettingsStore;

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

// Nothing when the value is missing or does not read as a placement.
std::optional<WindowPlacement> LoadWindowPlacement(SettingsStore& settings);
// False when the settings store could not keep it.
bool StoreWindowPlacement(SettingsStore& settings, const WindowPlacement& placement);

}  // namespace tagnomen
