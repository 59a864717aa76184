// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: one key in the registry's export format.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Corvanel\Velk\Tagnomen31\Data]
//   "PathToWork"="/home/ana/Music"
//   "Brackets"=dword:00000001
//
// Value names compare without regard to case. Every write re-reads the file
// and replaces it atomically while holding an advisory lock, so that two
// running copies of the program lose nothing of each other's writes. A file
// that is not a settings file is never written over. When the path is a
// symbolic link, the link stays: the file it leads to is replaced, through a
// temporary file in that file's directory, and the lock lies beside it.
// Reading and writing take time in proportion to the file's size.
#include <sys/types.h>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace tagnomen {

struct RegistryValue {
    enum class Type { String, Dword };
    Type type = Type::String;
    std::string text;          // String
    std::uint32_t number = 0;  // Dword
};

using RegistryValues = std::map<std::string, RegistryValue, LessIgnoreAsciiCase>;
using RegistryValueList = std::vector<std::pair<std::string, RegistryValue>>;

// What is found at the settings file's path.
enum class SettingsFileState {
    Missing,     // nothing there, or an empty file: a first run makes it
    Settings,    // the header and the key
    Damaged,     // the header (or a cut-off start of it) without the key
    Foreign,     // anything else: another file, a directory, a FIFO
    Unreadable,  // there, but it cannot be read (no rights)
};

// How a locked change of the file ended.
enum class SettingsChange { Written, NothingToWrite, Refused, Failed };

class SettingsFile {
  public:
    static constexpr const char* kKeyPath =
        "HKEY_CURRENT_USER\\Software\\Corvanel\\Velk\\Tagnomen31\\Data";

    explicit SettingsFile(std::string path);
    const std::string& Path() const { return path_; }

    // The key's values, or nothing when the key cannot be opened (no file,
    // unreadable, or no key section). Parsed again only when the file changed.
    const RegistryValues* Open();
    // What the path holds now; never waits on a FIFO.
    SettingsFileState Inspect() const;
    // Writes one value into the existing key; false when it was not stored
    // (the key is missing, or the file could not be replaced): LastFailure()
    // then says why.
    bool Write(const std::string& name, const RegistryValue& value);
    // Why the last change that wrote nothing failed or was refused, in the
    // system's words where it gave any ("Permission denied").
    const std::string& LastFailure() const { return lastFailure_; }

    // One read-modify-replace under the lock (the file's directory made when
    // missing): change gets the key's values (nothing for a missing or a
    // damaged file) and returns the values to set, in order; an empty list
    // writes nothing. A damaged file is first kept as "<path>.bad". A foreign
    // or unreadable file is left alone (Refused); found, when given, tells
    // what was there. Failed: the lock, the directory or the write failed.
    // LastFailure() tells why for Refused and Failed.
    SettingsChange Change(
        const std::function<RegistryValueList(const RegistryValueList* current)>& change,
        SettingsFileState* found = nullptr);

    static std::string Serialize(const RegistryValueList& values);
    // Parses a whole file; nothing when it holds no key section.
    static std::optional<RegistryValueList> Parse(const std::string& content);
    // The state of a file with this content.
    static SettingsFileState Classify(const std::string& content);

  private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        long long modifiedNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    SettingsChange Fail(SettingsChange how, std::string reason);

    std::string path_;
    std::string lastFailure_;
    std::optional<Stamp> stamp_;
    std::optional<RegistryValues> values_;
};

}  // namespace tagnomen
