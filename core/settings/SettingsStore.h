// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The persistent options: one getter and one setter per value. Every getter
// reads the stored value afresh (a settings file changed by another copy of
// the program is seen at the next read); a missing value leaves a number
// unchanged and reads as the empty text for strings.
#include <map>
#include <string>

#include "platform/SettingsFile.h"
#include "settings/RenamingMethod.h"

namespace tagnomen {

enum class FirstRunResult {
    NotFirstRun,
    FirstRun,
    Fatal,             // the store can be neither opened nor created
    Unreadable,        // the file is there but cannot be read: not a first run
    NotASettingsFile,  // another file is in its place; it is left alone
};

class SettingsStore {
  public:
    // Longest string a getter can return; longer stored texts read as empty.
    static constexpr std::size_t kMaxStringCharacters = 255;

    explicit SettingsStore(std::string path);
    // $TAGNOMEN_SETTINGS, else $XDG_CONFIG_HOME/tagnomen/settings.reg, else ~/.config/...
    static std::string DefaultPath();

    const std::string& Path() const { return file_.Path(); }

    // A value that shadows the file for this run only (the CLI's --set).
    void SetOverlay(const std::string& name, const std::string& value);

    // Makes sure the store exists and writes the defaults on a first run,
    // all under the lock every write takes, so that of two copies starting at
    // once only one has the first run. "IsFirstTime" is read like any value,
    // an overlaid one included; the defaults go to the file, and a value
    // overlaid stays an overlay. A damaged file is kept as "<file>.bad"
    // before the defaults replace it.
    FirstRunResult FirstRunCheck();
    // What is found at the settings file's path.
    SettingsFileState FileState() const { return file_.Inspect(); }

    void GetPathToWork(std::string& destination);
    void SetPathToWork(const std::string& text);
    void GetRootOrganizePath(std::string& destination);
    void SetRootOrganizePath(const std::string& text);
    void GetTemplate(std::string& destination);
    void SetTemplate(const std::string& text);
    void GetUseTemplate(int& destination) { GetNumber("UseTemplate", destination); }
    void SetUseTemplate(int value) { SetNumber("UseTemplate", value); }
    void GetBrackets(int& destination) { GetNumber("Brackets", destination); }
    void SetBrackets(int value) { SetNumber("Brackets", value); }
    void GetRenamingMethod(RenamingMethod& destination);
    void SetRenamingMethod(RenamingMethod value) {
        SetNumber("RenamingMethod", static_cast<int>(value));
    }
    void GetUnderscoreOption(int& destination) { GetNumber("UnderscoreOption", destination); }
    void SetUnderscoreOption(int value) { SetNumber("UnderscoreOption", value); }
    void GetFileInfoLoader(int& destination) { GetNumber("FileInfoLoader", destination); }
    void SetFileInfoLoader(int value) { SetNumber("FileInfoLoader", value); }
    void GetSortMethod(int& destination) { GetNumber("SortMethod", destination); }
    void SetSortMethod(int value) { SetNumber("SortMethod", value); }
    // 1 (also when missing): every ID3v2 text encoding is read and a write
    // keeps what it does not change; 0: the ISO-8859-1-only tags of old.
    // The first run does not write it.
    bool FullTagSupport();
    void SetFullTagSupport(bool on) { SetNumber("FullTagSupport", on ? 1 : 0); }

    // Generic access by value name (names compare without regard to case).
    void GetNumber(const std::string& name, int& destination);
    void SetNumber(const std::string& name, int value);
    std::string GetString(const std::string& name);
    void SetString(const std::string& name, const std::string& text);

    // Every stored value (overlay applied), for listing; numbers in decimal.
    std::map<std::string, std::string> AllValues();

  private:
    const RegistryValue* Find(const std::string& name, RegistryValue& overlayCopy);

    SettingsFile file_;
    std::map<std::string, RegistryValue, LessIgnoreAsciiCase> overlay_;
};

}  // namespace tagnomen
