// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace tagnomen {

namespace {

constexpr const char* kIsFirstTime = "IsFirstTime";
constexpr const char* kMusicAwareNames = "MusicAwareNames";
constexpr const char* kOverlayVariable = "TAGNOMEN_SET";

std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

// The defaults a first run writes, in this order. With music-aware names a
// careful person's format is the default one: "Artist - Title.mp3".
RegistryValueList FirstRunDefaults(bool musicAwareNames) {
    auto text = [](const char* t) {
        RegistryValue v;
        v.text = t;
        return v;
    };
    auto number = [](std::uint32_t n) {
        RegistryValue v;
        v.type = RegistryValue::Type::Dword;
        v.number = n;
        return v;
    };
    return {{kIsFirstTime, text("0")},     {"Brackets", number(musicAwareNames ? 0 : 1)},
            {"RenamingMethod", number(1)}, {"UnderScoreOption", number(0)},
            {"PathToWork", text("/")},     {"RootOrganizePath", text("/")},
            {"UseTemplate", number(0)},    {"FileInfoLoader", number(0)},
            {"SortMethod", number(0)}};
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : file_(std::move(path)) {
    // "NAME=VALUE;NAME=VALUE": overlays for every store of the process, as
    // the command line's --set gives them for one run (which come after
    // these and win).
    if (const char* overlays = std::getenv(kOverlayVariable); overlays != nullptr) {
        std::string_view rest = overlays;
        while (!rest.empty()) {
            const std::string_view entry = rest.substr(0, rest.find(';'));
            rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
            const std::size_t equals = entry.find('=');
            if (equals != std::string_view::npos && equals > 0) {
                SetOverlay(std::string(entry.substr(0, equals)),
                           std::string(entry.substr(equals + 1)));
            }
        }
    }
}

std::string SettingsStore::DefaultPath() {
    if (const char* explicitPath = std::getenv("TAGNOMEN_SETTINGS");
        explicitPath && *explicitPath) {
        return explicitPath;
    }
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = ".config";
    }
    return base + "/tagnomen/settings.reg";
}

void SettingsStore::SetOverlay(const std::string& name, const std::string& value) {
    RegistryValue overlay;
    // A number given on the command line overlays a number value; anything
    // else is text.
    char* end = nullptr;
    long number = std::strtol(value.c_str(), &end, 10);
    if (!value.empty() && end && *end == '\0') {
        overlay.type = RegistryValue::Type::Dword;
        overlay.number = static_cast<std::uint32_t>(number);
    }
    overlay.text = value;
    overlay_[name] = overlay;
}

FirstRunResult SettingsStore::FirstRunCheck() {
    std::optional<std::string> overlaidMarker;
    if (auto it = overlay_.find(kIsFirstTime); it != overlay_.end()) {
        overlaidMarker = it->second.text;
    }
    // A first run: no key yet, or a marker (overlaid or stored) other than "0".
    auto isFirstRun = [&overlaidMarker](bool keyFound, const RegistryValue* stored) {
        std::string marker;
        if (stored != nullptr && stored->type == RegistryValue::Type::String) {
            marker = stored->text;
        }
        return !keyFound || overlaidMarker.value_or(marker).substr(0, 2) != "0";
    };
    bool firstRun = false;
    SettingsFileState found = SettingsFileState::Missing;
    const SettingsChange change = file_.Change(
        [&](const RegistryValueList* current) {
            // `stored` points into the list, so the list is never a temporary.
            const RegistryValue* stored = nullptr;
            if (current != nullptr) {
                for (const auto& [name, value] : *current) {
                    if (EqualsIgnoreAsciiCase(name, kIsFirstTime)) {
                        stored = &value;
                    }
                }
            }
            firstRun = isFirstRun(current != nullptr, stored);
            return firstRun ? FirstRunDefaults(MusicAwareNamesIn(current)) : RegistryValueList{};
        },
        &found);
    switch (change) {
        case SettingsChange::Refused:
            return found == SettingsFileState::Unreadable ? FirstRunResult::Unreadable
                                                          : FirstRunResult::NotASettingsFile;
        case SettingsChange::Failed: {
            // Nothing could be written (a store without write rights): what
            // can be read decides, and a first run writes nothing.
            const RegistryValues* values = file_.Open();
            if (values == nullptr) {
                return FirstRunResult::Fatal;
            }
            auto stored = values->find(kIsFirstTime);
            return isFirstRun(true, stored == values->end() ? nullptr : &stored->second)
                       ? FirstRunResult::FirstRun
                       : FirstRunResult::NotFirstRun;
        }
        case SettingsChange::Written:
        case SettingsChange::NothingToWrite:
            break;
    }
    return firstRun ? FirstRunResult::FirstRun : FirstRunResult::NotFirstRun;
}

const RegistryValue* SettingsStore::Find(const std::string& name, RegistryValue& overlayCopy) {
    if (auto it = overlay_.find(name); it != overlay_.end()) {
        overlayCopy = it->second;
        return &overlayCopy;
    }
    const RegistryValues* values = file_.Open();
    if (values == nullptr) {
        return nullptr;
    }
    auto it = values->find(name);
    return it == values->end() ? nullptr : &it->second;
}

void SettingsStore::GetNumber(const std::string& name, int& destination) {
    RegistryValue copy;
    const RegistryValue* value = Find(name, copy);
    if (value != nullptr && value->type == RegistryValue::Type::Dword) {
        destination = static_cast<int>(value->number);
    }
}

bool SettingsStore::SetNumber(const std::string& name, int value) {
    RegistryValue stored;
    stored.type = RegistryValue::Type::Dword;
    stored.number = static_cast<std::uint32_t>(value);
    if (auto it = overlay_.find(name); it != overlay_.end()) {
        stored.text = std::to_string(value);
        it->second = stored;
        return true;
    }
    return Store(name, stored);
}

std::string SettingsStore::GetString(const std::string& name) {
    RegistryValue copy;
    const RegistryValue* value = Find(name, copy);
    if (value == nullptr || value->type != RegistryValue::Type::String) {
        return std::string();
    }
    // Longer texts do not fit the value's buffer and read as empty.
    if (CharacterCount(value->text) > kMaxStringCharacters) {
        return std::string();
    }
    return value->text;
}

bool SettingsStore::SetString(const std::string& name, const std::string& text) {
    RegistryValue stored;
    stored.text = text;
    if (auto it = overlay_.find(name); it != overlay_.end()) {
        it->second = stored;
        return true;
    }
    return Store(name, stored);
}

bool SettingsStore::Store(const std::string& name, const RegistryValue& value) {
    if (file_.Write(name, value)) {
        return true;
    }
    lastFailure_ = {name, file_.LastFailure()};
    return false;
}

void SettingsStore::GetRenamingMethod(RenamingMethod& destination) {
    int stored = static_cast<int>(destination);
    GetNumber("RenamingMethod", stored);
    destination = static_cast<RenamingMethod>(stored);
}

bool SettingsStore::MusicAwareNamesIn(const RegistryValueList* stored) const {
    const RegistryValue* value = nullptr;
    if (auto it = overlay_.find(kMusicAwareNames); it != overlay_.end()) {
        value = &it->second;
    } else {
        for (const auto& [name, candidate] : stored ? *stored : RegistryValueList{}) {
            if (EqualsIgnoreAsciiCase(name, kMusicAwareNames)) {
                value = &candidate;
            }
        }
    }
    return value == nullptr || value->type != RegistryValue::Type::Dword || value->number != 0;
}

bool SettingsStore::MusicAwareNames() {
    int value = 1;
    GetNumber(kMusicAwareNames, value);
    return value != 0;
}

bool SettingsStore::FullTagSupport() {
    int value = 1;
    GetNumber("FullTagSupport", value);
    return value != 0;
}

void SettingsStore::GetPathToWork(std::string& destination) {
    destination = GetString("PathToWork");
}

bool SettingsStore::SetPathToWork(const std::string& text) {
    return SetString("PathToWork", text);
}

void SettingsStore::GetRootOrganizePath(std::string& destination) {
    destination = GetString("RootOrganizePath");
}

bool SettingsStore::SetRootOrganizePath(const std::string& text) {
    return SetString("RootOrganizePath", text);
}

void SettingsStore::GetTemplate(std::string& destination) {
    destination = GetString("Template");
}

bool SettingsStore::SetTemplate(const std::string& text) {
    return SetString("Template", text);
}

std::map<std::string, std::string> SettingsStore::AllValues() {
    std::map<std::string, std::string> result;
    if (const RegistryValues* values = file_.Open()) {
        for (const auto& [name, value] : *values) {
            result[name] = value.type == RegistryValue::Type::Dword
                               ? std::to_string(static_cast<int>(value.number))
                               : value.text;
        }
    }
    for (const auto& [name, value] : overlay_) {
        // Show the overlay under the stored spelling of the name when there is one.
        std::string key = name;
        for (const auto& entry : result) {
            if (EqualsIgnoreAsciiCase(entry.first, name)) {
                key = entry.first;
            }
        }
        result[key] = value.type == RegistryValue::Type::Dword
                          ? std::to_string(static_cast<int>(value.number))
                          : value.text;
    }
    return result;
}

void ShowSettingNotStored(Ui& ui, const SettingsStore& settings) {
    const SettingsStore::WriteFailure& failure = settings.LastFailure();
    ui.ShowFailure("Error",
                   "Unable to store the setting \"" + failure.name + "\" in " + settings.Path(),
                   failure.reason, MessageIcon::Stop);
}

}  // namespace tagnomen
