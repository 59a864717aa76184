// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include <sstream>

#include "settings/SettingsStore.h"

namespace tagnomen {

namespace {
constexpr const char* kValueName = "MainWindowPlacement";
}  // namespace

std::optional<WindowPlacement> LoadWindowPlacement(SettingsStore& settings) {
    std::istringstream in(settings.GetString(kValueName));
    WindowPlacement placement;
    int maximized = 0;
    if (!(in >> placement.x >> placement.y >> placement.width >> placement.height >> maximized)) {
        return std::nullopt;
    }
    if (placement.width <= 0 || placement.height <= 0) {
        return std::nullopt;
    }
    placement.maximized = maximized != 0;
    return placement;
}

bool StoreWindowPlacement(SettingsStore& settings, const WindowPlacement& placement) {
    std::ostringstream out;
    out << placement.x << ' ' << placement.y << ' ' << placement.width << ' ' << placement.height
        << ' ' << (placement.maximized ? 1 : 0);
    return settings.SetString(kValueName, out.str());
}

}  // namespace tagnomen
