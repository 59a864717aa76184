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
// running copies of the program lose nothing of each other's writes.
#include <sys/types.h>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tagnomen {

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct RegistryValue {
    enum class Type { String, Dword };
    Type type = Type::String;
    std::string text;          // String
    std::uint32_t number = 0;  // Dword
};

using RegistryValues = std::map<std::string, RegistryValue, CaseInsensitiveLess>;

class SettingsFile {
  public:
    static constexpr const char* kKeyPath =
        "HKEY_CURRENT_USER\\Software\\Corvanel\\Velk\\Tagnomen31\\Data";

    explicit SettingsFile(std::string path);
    const std::string& Path() const { return path_; }

    // The key's values, or nothing when the key cannot be opened (no file,
    // unreadable, or no key section). Parsed again only when the file changed.
    const RegistryValues* Open();
    // Creates the file with an empty key (and its directory); false on failure.
    bool CreateKey();
    // Writes one value; false when the key cannot be opened for writing.
    bool Write(const std::string& name, const RegistryValue& value);
    // Writes several values in one replacement of the file, in the given order.
    bool WriteAll(const std::vector<std::pair<std::string, RegistryValue>>& values);

    static std::string Serialize(const std::vector<std::pair<std::string, RegistryValue>>& values);
    // Parses a whole file; nothing when it holds no key section.
    static std::optional<std::vector<std::pair<std::string, RegistryValue>>> Parse(
        const std::string& content);

  private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        long long modifiedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    bool ReplaceLocked(const std::vector<std::pair<std::string, RegistryValue>>& updates);

    std::string path_;
    std::optional<Stamp> stamp_;
    std::optional<RegistryValues> values_;
};

}  // namespace tagnomen
