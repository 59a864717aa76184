// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "platform/FileSystem.h"

namespace tagnomen {

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
// The most symbolic links followed from the settings path to its file, as
// the system itself follows at most 40.
constexpr int kMostLinks = 40;

// The value of a hexadecimal digit in either case; -1 for any other character.
int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    // Never waits on a FIFO put in the settings file's place.
    int fd = OpenRegularForReading(path);
    if (fd < 0) {
        return false;
    }
    content.clear();
    char buffer[8192];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty() || directory == "." || directory == "/") {
        return true;
    }
    struct stat info {};
    if (stat(directory.c_str(), &info) == 0) {
        errno = S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
        return S_ISDIR(info.st_mode);
    }
    if (!MakeDirectories(DirectoryPart(directory))) {
        return false;
    }
    return mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string EscapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

// Reads a quoted text starting after its opening quote; position ends after the closing quote.
bool ParseQuoted(const std::string& line, std::size_t& position, std::string& text) {
    text.clear();
    while (position < line.size()) {
        char c = line[position++];
        if (c == '"') {
            return true;
        }
        if (c == '\\' && position < line.size()) {
            char next = line[position++];
            text += next == 'n' ? '\n' : next;
            continue;
        }
        text += c;
    }
    return false;
}

bool ParseValueLine(const std::string& line, std::string& name, RegistryValue& value) {
    std::size_t position = 0;
    if (line.empty() || line[0] != '"') {
        return false;
    }
    ++position;
    if (!ParseQuoted(line, position, name) || name.empty()) {
        return false;
    }
    if (position >= line.size() || line[position] != '=') {
        return false;
    }
    ++position;
    if (position < line.size() && line[position] == '"') {
        ++position;
        value.type = RegistryValue::Type::String;
        return ParseQuoted(line, position, value.text) && position == line.size();
    }
    static const char kDword[] = "dword:";
    if (line.compare(position, sizeof kDword - 1, kDword) != 0) {
        return false;
    }
    position += sizeof kDword - 1;
    std::string digits = line.substr(position);
    if (digits.empty() || digits.size() > 8) {
        return false;
    }
    std::uint32_t number = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = RegistryValue::Type::Dword;
    value.number = number;
    return true;
}

// Takes the lock beside the settings file for one read-modify-replace.
class FileLock {
  public:
    explicit FileLock(const std::string& path) {
        fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
        struct stat info {};
        if (fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
            close(fd_);
            fd_ = -1;
            errno = EINVAL;  // a FIFO or a device in the lock's place
        }
        if (fd_ >= 0) {
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// The state of the path and, for a regular file that can be read, its content.
SettingsFileState ReadState(const std::string& path, std::string& content) {
    content.clear();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? SettingsFileState::Missing
                                                   : SettingsFileState::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        return SettingsFileState::Foreign;
    }
    if (!ReadWholeFile(path, content)) {
        return SettingsFileState::Unreadable;
    }
    return SettingsFile::Classify(content);
}

// The line that starts at `start` (without its "\r\n" or "\n"); start moves
// to the next one. False after the last line.
bool NextLine(const std::string& content, std::size_t& start, std::string& line) {
    if (start > content.size()) {
        return false;
    }
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) {
        end = content.size();
    }
    line.assign(content, start, end - start);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    start = end + 1;
    return true;
}

bool IsKeyLine(const std::string& line) {
    static const std::string kKeyLine = std::string("[") + SettingsFile::kKeyPath + "]";
    return EqualsIgnoreAsciiCase(line, kKeyLine);
}

bool HasKeySection(const std::string& content) {
    std::size_t start = 0;
    std::string line;
    while (NextLine(content, start, line)) {
        if (IsKeyLine(line)) {
            return true;
        }
    }
    return false;
}

// A value list with an index of its names (without regard to case), so that
// setting each of n values costs the same whatever n is.
class IndexedValues {
  public:
    IndexedValues() = default;
    explicit IndexedValues(RegistryValueList values) : values_(std::move(values)) {
        index_.reserve(values_.size());
        for (std::size_t i = 0; i < values_.size(); ++i) {
            index_.emplace(ToLowerAscii(values_[i].first), i);
        }
    }
    // Room for about this many values without growing again.
    void Reserve(std::size_t count) {
        values_.reserve(count);
        index_.reserve(count);
    }
    // Sets a value in place (the first spelling of its name stays), or appends it.
    void Set(std::string name, RegistryValue value) {
        const auto [entry, added] = index_.try_emplace(ToLowerAscii(name), values_.size());
        if (!added) {
            values_[entry->second].second = std::move(value);
            return;
        }
        values_.emplace_back(std::move(name), std::move(value));
    }
    const RegistryValueList& List() const { return values_; }
    RegistryValueList Take() { return std::move(values_); }

  private:
    RegistryValueList values_;
    std::unordered_map<std::string, std::size_t> index_;
};

// The file a write replaces: the path itself, or the file at the end of its
// symbolic links (a relative link read from the link's own directory), so
// that a link stays a link. Empty, with errno set, when the links cannot be
// read or go round in a loop.
std::string WriteTarget(const std::string& path) {
    std::string current = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;  // the file, or nothing yet: it is made there
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            return std::string();
        }
        target.resize(static_cast<std::size_t>(length));
        current =
            !target.empty() && target[0] == '/' ? target : JoinPath(DirectoryPart(current), target);
    }
    errno = ELOOP;
    return std::string();
}

bool ReplaceFile(const std::string& path, const std::string& bytes) {
    return ReplaceFileContents(path, bytes, NamePart(path) + ".new-");
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::string SettingsFile::Serialize(const RegistryValueList& values) {
    std::string out = std::string(kHeader) + "\n\n[" + kKeyPath + "]\n";
    char number[16];
    for (const auto& [name, value] : values) {
        out += '"' + EscapeText(name) + "\"=";
        if (value.type == RegistryValue::Type::Dword) {
            std::snprintf(number, sizeof number, "dword:%08x", value.number);
            out += number;
        } else {
            out += '"' + EscapeText(value.text) + '"';
        }
        out += '\n';
    }
    return out;
}

std::optional<RegistryValueList> SettingsFile::Parse(const std::string& content) {
    IndexedValues values;
    values.Reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')));
    bool inKey = false;
    bool sawKey = false;
    std::size_t start = 0;
    std::string line;
    while (NextLine(content, start, line)) {
        if (line.empty()) {
            continue;
        }
        if (line[0] == '[') {
            inKey = IsKeyLine(line);
            sawKey = sawKey || inKey;
            continue;
        }
        if (!inKey) {
            continue;
        }
        std::string name;
        RegistryValue value;
        // A damaged line is skipped; the values around it stay readable.
        if (!ParseValueLine(line, name, value)) {
            continue;
        }
        values.Set(std::move(name), std::move(value));
    }
    if (!sawKey) {
        return std::nullopt;
    }
    return values.Take();
}

const RegistryValues* SettingsFile::Open() {
    struct stat info {};
    if (stat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        stamp_.reset();
        values_.reset();
        return nullptr;
    }
    Stamp stamp{info.st_dev, info.st_ino, info.st_size,
                static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
    if (stamp_ && *stamp_ == stamp) {
        return values_ ? &*values_ : nullptr;
    }
    std::string content;
    values_.reset();
    if (!ReadWholeFile(path_, content)) {
        stamp_.reset();
        return nullptr;
    }
    stamp_ = stamp;
    // Only a settings file has values; another file may hold the key's line
    // by chance.
    if (Classify(content) == SettingsFileState::Settings) {
        const std::optional<RegistryValueList> parsed = Parse(content);
        values_.emplace(parsed->begin(), parsed->end());
    }
    return values_ ? &*values_ : nullptr;
}

SettingsFileState SettingsFile::Inspect() const {
    std::string content;
    return ReadState(path_, content);
}

SettingsFileState SettingsFile::Classify(const std::string& content) {
    if (content.empty()) {
        return SettingsFileState::Missing;
    }
    std::string_view text = content;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::string_view firstLine = text.substr(0, text.find('\n'));
    if (!firstLine.empty() && firstLine.back() == '\r') {
        firstLine.remove_suffix(1);
    }
    if (firstLine == kHeader) {
        return HasKeySection(content) ? SettingsFileState::Settings : SettingsFileState::Damaged;
    }
    // A file cut off inside its first line.
    const bool cutHeader = text.find('\n') == std::string_view::npos &&
                           std::string_view(kHeader).substr(0, text.size()) == text;
    return cutHeader ? SettingsFileState::Damaged : SettingsFileState::Foreign;
}

bool SettingsFile::Write(const std::string& name, const RegistryValue& value) {
    // A setter writes into an existing key only.
    bool keyFound = false;
    const SettingsChange change = Change([&](const RegistryValueList* current) {
        keyFound = current != nullptr;
        return keyFound ? RegistryValueList{{name, value}} : RegistryValueList{};
    });
    if (change == SettingsChange::NothingToWrite && !keyFound) {
        Fail(change, "the settings file holds no settings");
    }
    return change == SettingsChange::Written;
}

SettingsChange SettingsFile::Fail(SettingsChange how, std::string reason) {
    lastFailure_ = reason.empty() ? std::string("the system gave no reason") : std::move(reason);
    return how;
}

SettingsChange SettingsFile::Change(
    const std::function<RegistryValueList(const RegistryValueList* current)>& change,
    SettingsFileState* found) {
    if (!MakeDirectories(DirectoryPart(path_))) {
        return Fail(SettingsChange::Failed, ErrorReason(errno));
    }
    // A link is written through: its target is the file replaced.
    const std::string target = WriteTarget(path_);
    if (target.empty()) {
        return Fail(SettingsChange::Failed, ErrorReason(errno));
    }
    FileLock lock(target);
    if (!lock.Held()) {
        return Fail(SettingsChange::Failed, "its lock cannot be taken: " + ErrorReason(errno));
    }
    // Read under the lock, so that another copy's writes are kept and its
    // first run is seen.
    std::string content;
    const SettingsFileState state = ReadState(target, content);
    if (found != nullptr) {
        *found = state;
    }
    if (state == SettingsFileState::Foreign) {
        return Fail(SettingsChange::Refused, "it is not a settings file");
    }
    if (state == SettingsFileState::Unreadable) {
        return Fail(SettingsChange::Refused, "it cannot be read");
    }
    std::optional<RegistryValueList> current;
    if (state == SettingsFileState::Settings) {
        current = Parse(content);
    }
    const RegistryValueList updates = change(current ? &*current : nullptr);
    if (updates.empty()) {
        return SettingsChange::NothingToWrite;
    }
    if (state == SettingsFileState::Damaged && !ReplaceFile(target + ".bad", content)) {
        return Fail(SettingsChange::Failed, ErrorReason(errno));
    }
    IndexedValues values(current ? std::move(*current) : RegistryValueList{});
    for (const auto& [name, value] : updates) {
        values.Set(name, value);
    }
    if (!ReplaceFile(target, Serialize(values.List()))) {
        return Fail(SettingsChange::Failed, ErrorReason(errno));
    }
    stamp_.reset();
    return SettingsChange::Written;
}

}  // namespace tagnomen
