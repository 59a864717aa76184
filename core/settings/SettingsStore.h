// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The persistent options: one getter and one setter per value. Every getter
// reads the stored value afresh (a settings file changed by another copy of
// the program is seen at the next read); a missing value leaves a number
// unchanged and reads as the empty text for strings. Every setter says
// whether the value was stored; when it was not, LastFailure() names the
// value and the reason, and ShowSettingNotStored tells the person, so that
// the command that needed the value can fail instead of going on as if it
// had been kept.
#include <map>
#include <string>

#include "platform/SettingsFile.h"
#include "platform/Ui.h"
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

    // $TAGNOMEN_SET ("NAME=VALUE;NAME=VALUE") overlays settings for every
    // store of the process, as SetOverlay does.
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
    bool SetPathToWork(const std::string& text);
    void GetRootOrganizePath(std::string& destination);
    bool SetRootOrganizePath(const std::string& text);
    void GetTemplate(std::string& destination);
    bool SetTemplate(const std::string& text);
    void GetUseTemplate(int& destination) { GetNumber("UseTemplate", destination); }
    bool SetUseTemplate(int value) { return SetNumber("UseTemplate", value); }
    void GetBrackets(int& destination) { GetNumber("Brackets", destination); }
    bool SetBrackets(int value) { return SetNumber("Brackets", value); }
    void GetRenamingMethod(RenamingMethod& destination);
    bool SetRenamingMethod(RenamingMethod value) {
        return SetNumber("RenamingMethod", static_cast<int>(value));
    }
    void GetUnderscoreOption(int& destination) { GetNumber("UnderscoreOption", destination); }
    bool SetUnderscoreOption(int value) { return SetNumber("UnderscoreOption", value); }
    void GetFileInfoLoader(int& destination) { GetNumber("FileInfoLoader", destination); }
    bool SetFileInfoLoader(int value) { return SetNumber("FileInfoLoader", value); }
    void GetSortMethod(int& destination) { GetNumber("SortMethod", destination); }
    bool SetSortMethod(int value) { return SetNumber("SortMethod", value); }
    // 1 (also when missing): every ID3v2 text encoding is read and a write
    // keeps what it does not change; 0: the ISO-8859-1-only tags of old.
    // The first run does not write it.
    bool FullTagSupport();
    // "MusicAwareNames" (number, 1 when missing; the first run does not write
    // it): 1 proposes the names a careful person would give, 0 keeps the
    // naming rules of old exactly.
    bool MusicAwareNames();
    bool SetMusicAwareNames(bool on) { return SetNumber("MusicAwareNames", on ? 1 : 0); }
    bool SetFullTagSupport(bool on) { return SetNumber("FullTagSupport", on ? 1 : 0); }

    // Generic access by value name (names compare without regard to case).
    // A setter returns false when the value was not stored; an overlaid
    // value is always stored, in the overlay.
    void GetNumber(const std::string& name, int& destination);
    bool SetNumber(const std::string& name, int value);
    std::string GetString(const std::string& name);
    bool SetString(const std::string& name, const std::string& text);

    // The value the last failed setter could not store, and why.
    struct WriteFailure {
        std::string name;
        std::string reason;
    };
    const WriteFailure& LastFailure() const { return lastFailure_; }

    // Every stored value (overlay applied), for listing; numbers in decimal.
    std::map<std::string, std::string> AllValues();

  private:
    const RegistryValue* Find(const std::string& name, RegistryValue& overlayCopy);
    // "MusicAwareNames" as overlaid, else as stored in these values (the
    // first run decides its defaults by it before the store is read).
    bool MusicAwareNamesIn(const RegistryValueList* stored) const;
    bool Store(const std::string& name, const RegistryValue& value);

    SettingsFile file_;
    WriteFailure lastFailure_;
    std::map<std::string, RegistryValue, LessIgnoreAsciiCase> overlay_;
};

// The box of a setting that was not stored: caption "Error", the value's name
// and the settings file, the reason beside it.
void ShowSettingNotStored(Ui& ui, const SettingsStore& settings);

}  // namespace tagnomen
